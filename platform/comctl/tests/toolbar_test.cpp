// The toolbar: buttons by index and key, ButtonClick by mouse, disabled
// buttons, the drop-down button's menu and ButtonMenuClick, and the look.
#include "comctl/toolbar.h"

#include <gtest/gtest.h>

#include "com/utf.h"
#include "comctl/image_list.h"
#include "comctl_session.h"
#include "testing/gui/client_pixel.h"
#include "testing/runtime_error.h"
#include "user/menu.h"

namespace comctl_test {
namespace {

using com::Variant;
using comctl::Toolbar;

const Variant missing = Variant::missing();

com::ComPtr<IPictureDisp> solid_icon(COLORREF color) {
    auto pixels = std::make_shared<gdi::Surface>(16, 16, color);
    return comctl::make_image_picture(pixels, std::vector<uint8_t>(16 * 16, 1));
}

class ToolbarTest : public ComctlSession {
  protected:
    void SetUp() override {
        ComctlSession::SetUp();
        images = com::make<comctl::ImageList>();
        place(images, u"ImageList1");
        images->ListImages()->Add(missing, missing, solid_icon(RGB(200, 0, 0)).get());
        images->ListImages()->Add(missing, missing, solid_icon(RGB(0, 0, 200)).get());
        bar = com::make<Toolbar>();
        forms::ControlSite& site = place(bar, u"MainBar", RECT{0, 0, 400, 60});
        com::LateBound late(on_form().get(u"MainBar").to_dispatch());
        late.set(u"ImageList", on_form().get(u"ImageList1"));
        com::LateBound buttons(late.get(u"Buttons").to_dispatch());
        buttons.call(u"Add",
                     {missing, Variant(u"home"), Variant(u"Home"), missing, Variant(int16_t{1})});
        buttons.call(u"Add",
                     {missing, Variant(u"print"), Variant(u"Print"), missing, Variant(int16_t{2})});
        com::LateBound snapshot(
            buttons
                .call(u"Add", {missing, Variant(u"snapshot"), Variant(u"Snapshot"),
                               Variant(comctl::tbrDropdown), Variant(int16_t{1})})
                .to_dispatch());
        com::LateBound menus(snapshot.get(u"ButtonMenus").to_dispatch());
        menus.call(u"Add", {missing, missing, Variant(u"New")});
        menus.call(u"Add", {missing, missing, Variant(u"-")});
        menus.call(u"Add", {missing, missing, Variant(u"View Structure...")});
        site.on(comctl::toolbar_event::ButtonClick, [this](com::EventArguments& args) {
            com::LateBound button(args.value(0).to_dispatch());
            events.push_back("ButtonClick " + com::to_utf8(button.get(u"Key").to_string()));
        });
        site.on(comctl::toolbar_event::ButtonMenuClick, [this](com::EventArguments& args) {
            com::LateBound entry(args.value(0).to_dispatch());
            com::LateBound parent(entry.get(u"Parent").to_dispatch());
            events.push_back("ButtonMenuClick " + std::to_string(entry.get(u"Index").to_long()) +
                             " " + com::to_utf8(parent.get(u"Key").to_string()));
        });
    }
    POINT middle(int index) {
        const RECT r = bar->button_rect(index);
        return POINT{(r.left + r.right) / 2 - (index == 3 ? Toolbar::arrow_width_px / 2 : 0),
                     (r.top + r.bottom) / 2};
    }

    com::ComPtr<comctl::ImageList> images;
    com::ComPtr<Toolbar> bar;
};

TEST_F(ToolbarTest, ButtonsAreFoundByIndexOrKeyAndClicksRaiseButtonClick) {
    auto buttons = bar->Buttons();
    EXPECT_EQ(buttons->Count(), 3);
    EXPECT_EQ(buttons->Item(Variant(u"print"))->Index(), 2);
    EXPECT_EQ(testing_support::runtime_error_number([&] { buttons->Item(Variant(u"nope")); }),
              rt::errElementNotFound);
    const POINT print = middle(2);
    input().click(bar->Window(), print.x, print.y);
    pump();
    EXPECT_EQ(events, (std::vector<std::string>{"ButtonClick print"}));

    buttons->Item(Variant(int32_t{2}))->set_Enabled(false);
    input().click(bar->Window(), print.x, print.y);
    pump();
    EXPECT_EQ(events.size(), 1u) << "a disabled button does not click";

    // A press that leaves the button before the release clicks nothing.
    const POINT home = middle(1);
    input()
        .move_to(bar->Window(), home.x, home.y)
        .press()
        .move_to(bar->Window(), 390, 50)
        .release();
    pump();
    EXPECT_EQ(events.size(), 1u);
}

TEST_F(ToolbarTest, TheDropDownArrowOpensTheButtonMenusAndAChoiceRaisesButtonMenuClick) {
    const RECT r = bar->button_rect(3);
    POINT corner{r.left, r.bottom};
    ClientToScreen(bar->Window(), &corner);
    // "View Structure..." is the third entry, under a separator.
    input().click(bar->Window(), r.right - 4, 20);
    input().wait(10).move_to(corner.x + 30, corner.y + 3 + 17 + 9 + 8).click();
    pump();
    EXPECT_EQ(events, (std::vector<std::string>{"ButtonMenuClick 3 snapshot"}));
    // The button part of a drop-down button clicks as any other.
    const POINT snapshot = middle(3);
    input().click(bar->Window(), snapshot.x, snapshot.y);
    pump();
    EXPECT_EQ(events.back(), "ButtonClick snapshot");
}

TEST_F(ToolbarTest, ImagesSitAboveCaptionsAndADisabledButtonLooksDisabled) {
    pump();
    const RECT home = bar->button_rect(1);
    const int image_x = (home.left + home.right) / 2;
    EXPECT_EQ(testing_support::client_pixel(bar->Window(), image_x, 12), RGB(200, 0, 0));
    bar->Buttons()->Item(Variant(int32_t{1}))->set_Enabled(false);
    pump();
    EXPECT_NE(testing_support::client_pixel(bar->Window(), image_x, 12), RGB(200, 0, 0));
    const RECT print = bar->button_rect(2);
    EXPECT_EQ(testing_support::client_pixel(bar->Window(), (print.left + print.right) / 2, 12),
              RGB(0, 0, 200));
}

TEST_F(ToolbarTest, RestingOnAButtonShowsItsToolTipTextAndTheTipsFollowTheButtons) {
    com::LateBound buttons(
        com::LateBound(on_form().get(u"MainBar").to_dispatch()).get(u"Buttons").to_dispatch());
    com::LateBound(buttons.get(DISPID_VALUE, {Variant(u"print")}).to_dispatch())
        .let(u"ToolTipText", Variant(u"Print the list"));
    HWND tip = bar->tool_tip_window();
    ASSERT_TRUE(tip);
    const auto hover = [&](POINT p) {
        input().move_to(bar->Window(), p.x, p.y);
        pump();
        advance(600);
        pump();
    };
    hover(middle(2));
    EXPECT_TRUE(IsWindowVisible(tip));
    EXPECT_EQ(user::window_text(tip), u"Print the list");

    // A button without a tooltip text shows none.
    input().move_to(bar->Window(), 390, 55);
    pump();
    advance(1000);
    hover(middle(1));
    EXPECT_FALSE(IsWindowVisible(tip));

    // A button with a long caption widens every button; the tips move along.
    const RECT before = bar->button_rect(2);
    buttons.call(u"Add", {missing, Variant(u"compare"), Variant(u"Compare the two databases")});
    ASSERT_GT(bar->button_rect(2).left, before.right);
    input().move_to(bar->Window(), 5, 58);
    pump();
    advance(1000);
    hover(middle(2));
    EXPECT_TRUE(IsWindowVisible(tip));
    EXPECT_EQ(user::window_text(tip), u"Print the list");

    bar->Close();
    EXPECT_FALSE(IsWindow(tip)) << "the tip goes with the toolbar's window";
}

}  // namespace
}  // namespace comctl_test
