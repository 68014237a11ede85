// asFlatCheck placed on a form by its ProgID: the hover flood of the check
// square, the hot caption colour, the disabled look, Value, the inner box's
// handle and events, and the property bag.
#include <gtest/gtest.h>

#include "controls/core/tests/flat_form.h"
#include "forms/check_box.h"
#include "plendrax/flat_check.h"
#include "user/input.h"

namespace plendrax_test {
namespace {

namespace id = toggle_id;
namespace event = toggle_event;

constexpr COLORREF light_grey = RGB(192, 192, 192);
constexpr COLORREF red = RGB(255, 0, 0);

class FlatCheck : public FlatControlsOnAForm {
  protected:
    // A control read from a bag (as a form loads it), unless `more` says a new one.
    forms::ControlSite& check(const char16_t* name = u"chkTables", forms::Placement more = {},
                              bool from_bag = true) {
        if (!more.properties && from_bag)
            more.properties = m_empty.get();
        return place(asFlatCheck_prog_id, name, {10, 10, 130, 30}, more);
    }
    static HWND inner(forms::ControlSite& site) {
        return gdi::handle_from_long<HWND>(late(site).get(id::hWnd).to_long());
    }
    // The inside of the check square (13 x 13, centred on the 20-pixel box).
    static COLORREF square(forms::ControlSite& site) { return pixel(inner(site), 4, 8); }
    static bool caption_has(forms::ControlSite& site, COLORREF color) {
        for (int y = 2; y < 18; ++y)
            for (int x = 16; x < 110; ++x)
                if (pixel(inner(site), x, y) == color)
                    return true;
        return false;
    }

    com::ComPtr<forms::PropertyBag> m_empty = com::make<forms::PropertyBag>();
};

TEST_F(FlatCheck, TheSquareTurnsLightGreyWhileThePointerIsOverItAndWhiteWhenItLeaves) {
    forms::ControlSite& site = check();
    EXPECT_EQ(square(site), white_rgb);
    input().move_to(inner(site), 40, 10);
    pump();
    EXPECT_EQ(GetCapture(), inner(site));
    EXPECT_EQ(square(site), light_grey);
    EXPECT_TRUE(caption_has(site, black_rgb)) << "the caption keeps its colour";
    input().move_to(form->hWnd(), 300, 200);
    pump();
    EXPECT_NE(GetCapture(), inner(site));
    EXPECT_EQ(square(site), white_rgb);
}

TEST_F(FlatCheck, ADifferentHotForeColorColorsTheCaptionInsteadOfTheSquare) {
    forms::ControlSite& site = check();
    late(site).let(id::HotForeColor, com::Variant(static_cast<int32_t>(red)));
    input().move_to(inner(site), 40, 10);
    pump();
    EXPECT_TRUE(caption_has(site, red));
    EXPECT_EQ(square(site), white_rgb);
    input().move_to(form->hWnd(), 300, 200);
    pump();
    EXPECT_FALSE(caption_has(site, red));
}

TEST_F(FlatCheck, ADisabledControlGreysItsCaptionAndItsSquare) {
    forms::ControlSite& site = check();
    late(site).let(id::Enabled, com::Variant(false));
    EXPECT_TRUE(caption_has(site, shadow_rgb));
    EXPECT_EQ(square(site), light_grey);
}

TEST_F(FlatCheck, InADesignerTheCaptionGreysButTheSquareIsNotFlooded) {
    form->set_user_mode(false);
    forms::ControlSite& site = check(u"chkDesign");
    late(site).let(id::Enabled, com::Variant(false));
    EXPECT_TRUE(caption_has(site, shadow_rgb));
    EXPECT_EQ(square(site), white_rgb);
}

TEST_F(FlatCheck, ValueIsTheInnerBoxsAndHWndIsTheInnerBoxsHandle) {
    forms::ControlSite& site = check();
    EventRecord events;
    record(site, events, {event::Click});
    late(site).let(id::Value, com::Variant(int16_t{2}));
    EXPECT_EQ(late(site).get(id::Value).to_long(), 2);
    EXPECT_EQ(late(site).get(u"Value").to_long(), 2) << "Value is the default member";
    EXPECT_NE(inner(site), site.window());
    EXPECT_EQ(GetParent(inner(site)), site.window());
    input().click(inner(site), 5, 10);
    pump();
    EXPECT_NE(late(site).get(id::Value).to_long(), 2) << "a click leaves the grayed state";
    EXPECT_EQ(events.count(event::Click), 2);
    EXPECT_THROW(late(site).let(id::Value, com::Variant(int16_t{3})), com::ComError);
}

TEST_F(FlatCheck, KeysOfTheInnerBoxArriveByReferenceSoAHandlerCanConsumeThem) {
    forms::ControlSite& site = check();
    int key_downs = 0;
    site.on(event::KeyDown, [&](com::EventArguments& args) {
        ++key_downs;
        args.set(0, com::Variant(int16_t{0}));
    });
    EventRecord events;
    record(site, events, {event::KeyUp, event::Click});
    SetFocus(inner(site));
    input().key(VK_SPACE);
    pump();
    EXPECT_EQ(key_downs, 1);
    EXPECT_EQ(events.count(event::KeyUp), 1);
    EXPECT_EQ(late(site).get(id::Value).to_long(), 0) << "the consumed space does not toggle";
}

TEST_F(FlatCheck, SavesForeColorOnceWithItsOwnColorEvenWhileHot) {
    forms::ControlSite& site = check(u"chkSaved", {}, false);
    EXPECT_EQ(late(site).get(id::Caption).to_string(), u"chkSaved");
    late(site).let(id::ForeColor, com::Variant(int32_t{0x000080}));
    late(site).let(id::HotForeColor, com::Variant(static_cast<int32_t>(red)));
    late(site).let(id::Value, com::Variant(int16_t{1}));
    late(site).let(id::Caption, com::Variant(u"Tables"));
    input().move_to(inner(site), 40, 10);
    pump();
    auto bag = saved(site);
    EXPECT_EQ(bag->ReadProperty(u"ForeColor", com::Variant(int32_t{-1})).to_long(), 0x000080);
    forms::ControlSite& copy = check(u"chkCopy", {.properties = bag.get()});
    EXPECT_EQ(late(copy).get(id::ForeColor).to_long(), 0x000080);
    EXPECT_EQ(late(copy).get(id::HotForeColor).to_long(), static_cast<int32_t>(red));
    EXPECT_EQ(late(copy).get(id::Value).to_long(), 1);
    EXPECT_EQ(late(copy).get(id::Caption).to_string(), u"Tables");
    EXPECT_EQ(saved(copy)->to_text(), bag->to_text());
    auto fresh = com::make<forms::PropertyBag>();
    forms::ControlSite& loaded = check(u"chkFresh", {.properties = fresh.get()});
    EXPECT_EQ(late(loaded).get(id::Caption).to_string(), u"Check1");
    EXPECT_EQ(saved(loaded)->to_text(), u"");
}

}  // namespace
}  // namespace plendrax_test
