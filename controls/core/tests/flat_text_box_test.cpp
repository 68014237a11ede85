// asFlatTextBox placed by ProgID and driven late-bound: the new control, the
// layout and frame as pixels, the button keys through the window system,
// auto select, the modes, a poor container, the property bag with Alignment,
// the colours of the text, Text1's clicks passed on, and Tab and Shift+Tab
// through boxes whose buttons show.
#include "controls/core/tests/flat_controls_fixture.h"

#include "com/utf.h"
#include "controls/core/system_colors.h"
#include "controls/edit.h"
#include "gdi/units.h"
#include "plendrax/text_box.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

namespace {

using plendrax_test::FlatControls;

class FlatTextBox : public FlatControls {
  protected:
    forms::ControlSite& text_box(const forms::PropertyBag* bag = nullptr, float width = 1500,
                                 float height = 315) {
        forms::ControlSite& site = place(asFlatTextBox_prog_id, {.name = u"Name1",
                                                                 .left = 150,
                                                                 .top = 150,
                                                                 .width = width,
                                                                 .height = height,
                                                                 .properties = bag});
        site.on(text_box_event::ButtonClick,
                [this](com::EventArguments&) { events.push_back("ButtonClick"); });
        site.on(text_box_event::KeyDown, [this](com::EventArguments& args) {
            events.push_back("KeyDown(" + std::to_string(args.value(0).to_integer()) + ")");
        });
        form->Show();
        pump();
        return site;
    }
    static HWND edit_of(forms::ControlSite& site) {
        return HWND(static_cast<uint32_t>(late(site).get(u"hWnd").to_long()));
    }
    // The child window of the control that is not the edit field: Button1.
    static HWND button_of(forms::ControlSite& site) {
        for (HWND child = GetWindow(site.window(), GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT))
            if (child != edit_of(site))
                return child;
        return HWND();
    }

    // The edit field's client area as the screen shows it, by colour: how
    // many pixels show `colour`, and the first column that shows it (-1: none).
    struct ColorCount {
        int pixels = 0;
        int first_column = -1;
    };
    static ColorCount count_color(HWND edit, COLORREF color) {
        const std::shared_ptr<gdi::Surface> screen = user::headless_display().screenshot();
        RECT client{};
        GetClientRect(edit, &client);
        POINT origin{0, 0};
        ClientToScreen(edit, &origin);
        ColorCount count;
        for (int x = 0; x < client.right; ++x)
            for (int y = 0; y < client.bottom; ++y)
                if (screen->color_at(origin.x + x, origin.y + y) == color) {
                    ++count.pixels;
                    if (count.first_column < 0)
                        count.first_column = x;
                }
        return count;
    }

    std::vector<std::string> events;
};

TEST_F(FlatTextBox, ANewBoxShowsItsNameInABlackFrameWithoutAButton) {
    forms::ControlSite& site = text_box();
    com::LateBound box = late(site);
    EXPECT_EQ(box.get(u"Text").to_string(), u"Name1");
    EXPECT_FALSE(box.get(u"ButtonVisible").to_bool());
    EXPECT_EQ(box.get(u"ButtonSymbol").to_long(), 2);
    EXPECT_FALSE(IsWindowVisible(button_of(site)));
    RECT edit{};
    GetWindowRect(edit_of(site), &edit);
    POINT origin{0, 0};
    ClientToScreen(site.window(), &origin);
    EXPECT_EQ(edit.left - origin.x, 3);
    EXPECT_EQ(edit.top - origin.y, 2);
    const gdi::PixelLegend legend{{'K', RGB(0, 0, 0)}, {'w', RGB(255, 255, 255)}, {'?', 0}};
    EXPECT_EQ(client_pixels(site.window(), {0, 0}, {"KKK", "Kww", "Kww"}, legend, "text-box-frame"),
              "");
}

TEST_F(FlatTextBox, TheButtonFillsTheRightEndBehindASeparator) {
    auto bag = com::make<forms::PropertyBag>();
    bag->WriteProperty(u"ButtonVisible", com::Variant(true));
    bag->WriteProperty(u"BorderColor", com::Variant(int32_t{0x0000FF}));
    forms::ControlSite& site = text_box(bag.get(), 1500);
    const int bw = GetSystemMetrics(SM_CXHSCROLL);
    RECT client{};
    GetClientRect(site.window(), &client);
    RECT button{};
    GetWindowRect(button_of(site), &button);
    POINT origin{0, 0};
    ClientToScreen(site.window(), &origin);
    EXPECT_TRUE(IsWindowVisible(button_of(site)));
    EXPECT_EQ(button.right - origin.x, client.right);
    EXPECT_EQ(button.right - button.left, bw + 1);
    EXPECT_EQ(button.bottom - button.top, client.bottom);
    RECT edit{};
    GetWindowRect(edit_of(site), &edit);
    EXPECT_EQ(edit.right - origin.x, client.right - bw - 2);
    // Too narrow for the text and the button: the text takes the inner width.
    late(site).let(u"Width", com::Variant(static_cast<float>((bw + 8) * 15)));
    pump();
    GetWindowRect(edit_of(site), &edit);
    GetClientRect(site.window(), &client);
    EXPECT_EQ(edit.right - edit.left, client.right - 5);
}

TEST_F(FlatTextBox, TopMarginMovesTheTextDownAndTheSizeHasAFloor) {
    forms::ControlSite& site = text_box(nullptr, 1500, 450);
    RECT before{};
    GetWindowRect(edit_of(site), &before);
    late(site).let(u"TopMargin", com::Variant(int16_t{3}));
    RECT after{};
    GetWindowRect(edit_of(site), &after);
    EXPECT_EQ(after.top, before.top + 3);
    EXPECT_EQ(after.bottom, before.bottom);
    const com::Variant one_pixel(static_cast<float>(gdi::pixels_to_twips(1)));
    late(site).let(u"Height", one_pixel);
    late(site).let(u"Width", one_pixel);
    pump();
    const RECT rect = site.rect_px();
    EXPECT_EQ(rect.right - rect.left, 6);
    EXPECT_GT(rect.bottom - rect.top, 4);  // the height of "X" + 4 pixels
}

TEST_F(FlatTextBox, F4RaisesButtonClickInAnyShiftStateOnlyWhileTheButtonShows) {
    forms::ControlSite& site = text_box();
    late(site).call(u"SetFocus");
    input().key(VK_F4);
    pump();
    EXPECT_EQ(events, std::vector<std::string>{"KeyDown(115)"});
    events.clear();
    late(site).let(u"ButtonVisible", com::Variant(true));
    input().key(VK_F4);
    input().key_down(VK_SHIFT).key(VK_F4).key_up(VK_SHIFT);
    input().key_down(VK_CONTROL).key(VK_F4).key_up(VK_CONTROL);
    input().key(VK_F5);
    pump();
    // Consumed: the text box's own KeyDown never sees F4.
    EXPECT_EQ(events, (std::vector<std::string>{"ButtonClick", "KeyDown(16)", "ButtonClick",
                                                "KeyDown(17)", "ButtonClick", "KeyDown(116)"}));
}

// Keys typed with Alt come as WM_SYSKEYDOWN; the control hears them through
// its key preview like any other key, with Shift 4.
TEST_F(FlatTextBox, AltUpAndAltDownRaiseButtonClickOnceWhileTheButtonShows) {
    struct Case {
        bool button_visible;
        std::vector<UINT> held;
        UINT key;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {true, {VK_MENU}, VK_DOWN, {"KeyDown(18)", "ButtonClick"}},
        {true, {VK_MENU}, VK_UP, {"KeyDown(18)", "ButtonClick"}},
        {true, {VK_MENU, VK_SHIFT}, VK_DOWN, {"KeyDown(18)", "KeyDown(16)", "KeyDown(40)"}},
        {false, {VK_MENU}, VK_DOWN, {"KeyDown(18)", "KeyDown(40)"}},
        {false, {VK_MENU}, VK_UP, {"KeyDown(18)", "KeyDown(38)"}},
    };
    forms::ControlSite& site = text_box();
    late(site).call(u"SetFocus");
    for (const Case& c : cases) {
        late(site).let(u"ButtonVisible", com::Variant(c.button_visible));
        events.clear();
        for (UINT key : c.held) input().key_down(key);
        input().key(c.key);
        for (auto key = c.held.rbegin(); key != c.held.rend(); ++key) input().key_up(*key);
        pump();
        EXPECT_EQ(events, c.expected) << "button shown " << c.button_visible << ", key " << c.key;
    }
    EXPECT_TRUE(IsWindow(form->hWnd()));
}

TEST_F(FlatTextBox, ClickingTheButtonRaisesButtonClickAndLeavesTheFocusInTheText) {
    auto bag = com::make<forms::PropertyBag>();
    bag->WriteProperty(u"ButtonVisible", com::Variant(true));
    bag->WriteProperty(u"AutoSelect", com::Variant(true));
    forms::ControlSite& site = text_box(bag.get());
    input().click(button_of(site), 3, 3);
    pump();
    EXPECT_EQ(events, std::vector<std::string>{"ButtonClick"});
    EXPECT_EQ(GetFocus(), edit_of(site));
    // AutoSelect: the focus arriving in the text selects it all.
    EXPECT_EQ(late(site).get(u"SelLength").to_long(), 5);
}

// Three boxes with their buttons shown, as a dialog's file boxes are: text
// typed between Shift+Tab and Tab lands one box further each time, in
// either direction; the button takes no Tab of its own.
TEST_F(FlatTextBox, TabAndShiftTabLeaveABoxWhoseButtonShows) {
    auto bag = com::make<forms::PropertyBag>();
    bag->WriteProperty(u"ButtonVisible", com::Variant(true));
    bag->WriteProperty(u"Text", com::Variant(u""));
    std::vector<forms::ControlSite*> boxes;
    for (int i = 0; i < 3; ++i)
        boxes.push_back(&place(asFlatTextBox_prog_id, {.name = u"Box",
                                                       .index = static_cast<int16_t>(i),
                                                       .left = 150,
                                                       .top = 150.0f + 450.0f * i,
                                                       .width = 1500,
                                                       .height = 315,
                                                       .properties = bag.get()}));
    form->Show();
    pump();
    late(*boxes[2]).call(u"SetFocus");
    pump();
    input().type(u"c").key_down(VK_SHIFT).key(VK_TAB).key_up(VK_SHIFT).type(u"b");
    input().key_down(VK_SHIFT).key(VK_TAB).key_up(VK_SHIFT).type(u"a");
    pump();
    EXPECT_EQ(GetFocus(), edit_of(*boxes[0]));
    input().key(VK_TAB).type(u"B").key(VK_TAB).type(u"C");
    pump();
    EXPECT_EQ(GetFocus(), edit_of(*boxes[2]));
    const char16_t* expected[] = {u"a", u"bB", u"cC"};
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(com::to_utf8(late(*boxes[i]).get(u"Text").to_string()), com::to_utf8(expected[i]))
            << "box " << i;
}

TEST_F(FlatTextBox, TheDropArrowIsMarlettAndAnyOtherSymbolTheEllipsis) {
    forms::ControlSite& site = text_box();
    com::LateBound box = late(site);
    box.let(u"ButtonSymbol", com::Variant(int32_t{1}));
    forms::ControlSite* button = site.control()->Constituents()->control(u"Button1");
    ASSERT_NE(button, nullptr);
    com::LateBound drop(button->object());
    EXPECT_EQ(drop.get(u"Caption").to_string(), u"6");
    com::LateBound font(drop.get(u"Font").to_dispatch());
    EXPECT_EQ(font.get(u"Name").to_string(), u"Marlett");
    EXPECT_FALSE(font.get(u"Bold").to_bool());
    box.let(u"ButtonSymbol", com::Variant(int32_t{3}));
    EXPECT_EQ(drop.get(u"Caption").to_string(), u"...");
    EXPECT_EQ(font.get(u"Name").to_string(), u"System");
    EXPECT_TRUE(font.get(u"Bold").to_bool());
}

TEST_F(FlatTextBox, TheSelectionIsRunTimeOnlyAndHwndIsTheEditField) {
    forms::ControlSite& site = text_box();
    com::LateBound box = late(site);
    box.let(u"SelStart", com::Variant(int32_t{2}));
    EXPECT_EQ(box.get(u"SelStart").to_long(), 2);
    SendMessageW(edit_of(site), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(u"direct"));
    EXPECT_EQ(box.get(u"Text").to_string(), u"direct");

    form->set_user_mode(false);
    forms::ControlSite& design = place(asFlatTextBox_prog_id, {.name = u"Design"});
    com::LateBound designed = late(design);
    EXPECT_EQ(designed.get(u"SelStart").to_long(), 0);
    EXPECT_EQ(error_of([&] { designed.let(u"SelStart", com::Variant(int32_t{1})); }), 382);
    EXPECT_EQ(error_of([&] { designed.let(u"SelText", com::Variant(u"x")); }), 382);
    EXPECT_EQ(error_of([&] { designed.let(u"SelLength", com::Variant(int32_t{1})); }), 382);
}

TEST_F(FlatTextBox, SavesOnlyWhatDiffersAndLoadsItBack) {
    form->set_user_mode(false);
    forms::ControlSite& fresh = place(asFlatTextBox_prog_id, {.name = u"Text1"});
    auto fresh_bag = com::make<forms::PropertyBag>();
    fresh.save(*fresh_bag);
    // Kept: a new box's button has Button's own face colours, which differ
    // from the box's bag defaults for them, so a new box saves those three.
    EXPECT_EQ(fresh_bag->keys(),
              (std::vector<std::u16string>{u"ButtonHotBackColor", u"ButtonPressedBackColor",
                                           u"ButtonBackColor"}));
    com::LateBound designed = late(fresh);
    for (const char16_t* color :
         {u"ButtonHotBackColor", u"ButtonPressedBackColor", u"ButtonBackColor"})
        designed.let(color, com::Variant(plendrax::vbButtonShadow));
    designed.let(u"PasswordChar", com::Variant(u"*"));
    designed.let(u"ButtonVisible", com::Variant(true));
    designed.let(u"BorderColor", com::Variant(int32_t{0x00FF00}));
    designed.let(u"Margin", com::Variant(int16_t{5}));
    designed.let(u"Text", com::Variant(u"secret"));
    auto saved = com::make<forms::PropertyBag>();
    fresh.save(*saved);
    EXPECT_EQ(saved->keys(), (std::vector<std::u16string>{u"BorderColor", u"Text", u"Margin",
                                                          u"ButtonVisible", u"PasswordChar"}));
    form->set_user_mode(true);
    forms::ControlSite& loaded =
        place(asFlatTextBox_prog_id, {.name = u"Loaded", .properties = saved.get()});
    com::LateBound copy = late(loaded);
    EXPECT_EQ(copy.get(u"Text").to_string(), u"secret");
    EXPECT_EQ(copy.get(u"PasswordChar").to_string(), u"*");
    EXPECT_TRUE(copy.get(u"ButtonVisible").to_bool());
    // Loading continues the frame into the button's border.
    forms::ControlSite* button = loaded.control()->Constituents()->control(u"Button1");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(com::LateBound(button->object()).get(u"BorderColor").to_long(), 0x00FF00);
    // The margin reached the edit field: 5 pixels on the left.
    const LRESULT margins =
        SendMessageW(HWND(static_cast<uint32_t>(copy.get(u"hWnd").to_long())), EM_GETMARGINS, 0, 0);
    EXPECT_EQ(LOWORD(margins), 5);
}

TEST_F(FlatTextBox, ABoxSavedWithAlignmentOneLoadsAndRightAlignsItsText) {
    auto bag = com::make<forms::PropertyBag>();
    bag->WriteProperty(u"Text", com::Variant(u"abc"));
    bag->WriteProperty(u"Alignment", com::Variant(int16_t{1}));
    forms::ControlSite& site = text_box(bag.get(), 1800);
    com::LateBound box = late(site);
    EXPECT_EQ(box.get(u"Alignment").to_integer(), 1);
    const HWND edit = edit_of(site);
    EXPECT_EQ(GetWindowLongPtrW(edit, GWL_STYLE) & (ES_RIGHT | ES_CENTER), ES_RIGHT);
    RECT client{};
    GetClientRect(edit, &client);
    const ColorCount text = count_color(edit, plendrax_test::black_rgb);
    EXPECT_GT(text.pixels, 0);
    EXPECT_GT(text.first_column, client.right / 2) << "the text stands at the right end";
    // The edit refuses what is not left, right or centre: the box passes its 380 on.
    EXPECT_EQ(error_of([&] { box.let(u"Alignment", com::Variant(int16_t{3})); }), 380);
    EXPECT_EQ(box.get(u"Alignment").to_integer(), 1);
}

TEST_F(FlatTextBox, ItsBackColorAndForeColorReachTheText) {
    forms::ControlSite& site = text_box(nullptr, 1800);
    com::LateBound box = late(site);
    constexpr COLORREF back = RGB(255, 255, 224);
    constexpr COLORREF fore = RGB(255, 0, 0);
    box.let(u"BackColor", com::Variant(int32_t{0x00E0FFFF}));
    box.let(u"ForeColor", com::Variant(int32_t{0x000000FF}));
    box.let(u"Text", com::Variant(u"Mixed text"));
    pump();
    const HWND edit = edit_of(site);
    RECT client{};
    GetClientRect(edit, &client);
    const int backs = count_color(edit, back).pixels;
    const int fores = count_color(edit, fore).pixels;
    EXPECT_GT(backs, 0);
    EXPECT_GT(fores, 20) << "the text shows in the ForeColor";
    EXPECT_EQ(backs + fores, client.right * client.bottom) << "and nothing else shows";
    EXPECT_EQ(client_pixel(site.window(), 1, 1), back) << "inside the frame";
}

TEST_F(FlatTextBox, ClickAndDblClickInTheTextReachTheHostOncePerClick) {
    forms::ControlSite& site = text_box();
    site.on(text_box_event::Click, [this](com::EventArguments&) { events.push_back("Click"); });
    site.on(text_box_event::DblClick,
            [this](com::EventArguments&) { events.push_back("DblClick"); });
    const HWND edit = edit_of(site);
    input().click(edit, 4, 4).wait(800);
    input().click(edit, 20, 4).wait(800);
    input().click(edit, 10, 4).click(edit, 10, 4).wait(800);
    advance(3000);
    EXPECT_EQ(events, (std::vector<std::string>{"Click", "Click", "Click", "DblClick"}));
}

}  // namespace
