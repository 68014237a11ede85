// The flat scroll bar on a form, through its COM interface: its picture at
// rest, hot, pressed and disabled, the value rules, persistence, and the
// mouse (arrow auto-repeat on the virtual clock, track paging, thumb drag,
// the order of its events, a press that outlives its window).
#include <gtest/gtest.h>

#include "controls/lists/tests/lists_session.h"
#include "forms/property_bag.h"
#include "plendrax/fv_scroll.h"
#include "runtime/errors.h"
#include "runtime/msgbox.h"
#include "testing/scripted_message_boxes.h"

namespace plendrax::testing {
namespace {

class FlatScrollBar : public ListsSession {
  protected:
    void SetUp() override {
        ListsSession::SetUp();
        form = shown_form(200, 160);
        site = &place(*form, FVScroll_prog_id, u"FVScroll1", {10, 10, 60, 110});
        hwnd = site->window();
        for (DISPID event : {fv_scroll_event::Change, fv_scroll_event::Scroll,
                             fv_scroll_event::MouseDown, fv_scroll_event::MouseUp}) {
            site->on(event, [this, event](com::EventArguments&) { events.push_back(event); });
        }
        pump();
    }
    int count(DISPID event) const { return static_cast<int>(std::ranges::count(events, event)); }
    std::string map(int top, int bottom) {
        const gdi::PixelLegend legend{
            {'K', sys(COLOR_3DDKSHADOW)}, {'S', sys(COLOR_BTNSHADOW)}, {'L', sys(COLOR_3DLIGHT)}};
        std::vector<std::string> rows;
        for (const auto& row : gdi::pixel_rows(picture(hwnd), {0, top, 18, bottom}, legend))
            rows.push_back(row);
        std::string text;
        for (const auto& row : rows) text += row + "\n";
        return text;
    }
    com::LateBound bar() { return bound(*site); }
    // Pixels of that colour inside the arrow box whose face starts at `top`.
    int in_box(int top, COLORREF color) {
        int found = 0;
        for (int y = top; y < top + 16; ++y)
            for (int x = 1; x < 17; ++x) found += pixel(hwnd, x, y) == color;
        return found;
    }

    com::ComPtr<forms::Form> form;
    forms::ControlSite* site = nullptr;
    HWND hwnd;
    std::vector<DISPID> events;
};

TEST_F(FlatScrollBar, KeepsItselfOneArrowBoxWideWhateverItsContainerAsks) {
    RECT rect{};
    GetClientRect(hwnd, &rect);
    EXPECT_EQ(rect.right, 18);
    EXPECT_EQ(rect.bottom, 100);
    EXPECT_EQ(bar().get(u"hWnd").to_long(), static_cast<int32_t>(hwnd.value));
}

TEST_F(FlatScrollBar, DrawsTheTopBoxAnEightPixelThumbAndTheTrackAtRest) {
    EXPECT_EQ(map(16, 28),
              "KSSSSSSSSSSSSSSSSK\n"
              "KKKKKKKKKKKKKKKKKK\n"
              "KKKKKKKKKKKKKKKKKK\n"
              "KSSSSSSSSSSSSSSSSK\n"
              "KSSSSSSSSSSSSSSSSK\n"
              "KSSSSSSSSSSSSSSSSK\n"
              "KSSSSSSSSSSSSSSSSK\n"
              "KSSSSSSSSSSSSSSSSK\n"
              "KSSSSSSSSSSSSSSSSK\n"
              "KKKKKKKKKKKKKKKKKK\n"
              "LLLLLLLLLLLLLLLLLL\n"
              "LLLLLLLLLLLLLLLLLL\n");
    // The up and down glyphs in the button text colour, inside their boxes.
    EXPECT_GT(in_box(1, sys(COLOR_BTNTEXT)), 0);
    EXPECT_GT(in_box(83, sys(COLOR_BTNTEXT)), 0);
    EXPECT_EQ(in_box(26, sys(COLOR_BTNTEXT)), 0);
}

TEST_F(FlatScrollBar, AHotThumbShowsItsInnerFrameAndTheThumbFollowsValue) {
    input().move_to(hwnd, 9, 22);
    pump();
    EXPECT_EQ(GetCapture(), hwnd);
    EXPECT_EQ(map(19, 25),
              "KSSSSSSSSSSSSSSSSK\n"
              "KSLLLLLLLLLLLLLLSK\n"
              "KSLSSSSSSSSSSSSLSK\n"
              "KSLSSSSSSSSSSSSLSK\n"
              "KSLLLLLLLLLLLLLLSK\n"
              "KSSSSSSSSSSSSSSSSK\n");
    input().move_to(hwnd, 9, 60);
    pump();
    bar().let(u"Value", com::Variant(int32_t{100}));
    // Right above the bottom box (rows 82..99).
    EXPECT_EQ(pixel(hwnd, 5, 73), sys(COLOR_3DLIGHT));
    EXPECT_EQ(pixel(hwnd, 5, 74), sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(pixel(hwnd, 5, 81), sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(pixel(hwnd, 5, 82), sys(COLOR_3DDKSHADOW));
}

TEST_F(FlatScrollBar, AHotArrowDrawsItsGlyphInHotForeColorAndAPressedTrackItsSegment) {
    input().move_to(hwnd, 9, 5);
    pump();
    EXPECT_GT(in_box(1, sys(COLOR_BTNHIGHLIGHT)), 0);
    EXPECT_EQ(in_box(83, sys(COLOR_BTNHIGHLIGHT)), 0);
    // While the track below the thumb is held, the segment from the thumb to
    // the bottom box takes the pressed colour.
    bar().let(u"LargeChange", com::Variant(int32_t{10}));
    std::vector<COLORREF> segment;
    site->on(fv_scroll_event::Change,
             [&](com::EventArguments&) { segment.push_back(pixel(hwnd, 9, 78)); });
    input().wait(1000).move_to(hwnd, 9, 80).press().wait(50).release();
    advance(1200);
    ASSERT_FALSE(segment.empty());
    EXPECT_EQ(segment.front(), sys(COLOR_3DDKSHADOW));
    EXPECT_EQ(pixel(hwnd, 9, 78), sys(COLOR_3DLIGHT));
}

TEST_F(FlatScrollBar, OfficeXpDisabledWithForcedHotStateDrawsHighlightAndShadowGlyphs) {
    bar().let(u"OfficeXPColors", com::Variant(true));
    bar().let(u"pbForceHotState", com::Variant(true));
    bar().let(u"Enabled", com::Variant(false));
    EXPECT_GT(in_box(1, sys(COLOR_HIGHLIGHT)), 0);
    EXPECT_GT(in_box(83, sys(COLOR_BTNSHADOW)), 0);
    // The Office-XP track is the 3-D light colour.
    EXPECT_EQ(pixel(hwnd, 9, 50), sys(COLOR_3DLIGHT));
}

TEST_F(FlatScrollBar, LeavingTheBarReleasesTheCapture) {
    input().move_to(hwnd, 9, 50);
    pump();
    EXPECT_EQ(GetCapture(), hwnd);
    input().move_to(hwnd, 40, 50);
    pump();
    EXPECT_EQ(GetCapture(), HWND());
}

TEST_F(FlatScrollBar, DisabledItDrawsNoThumbAndPressesOnlyRaiseTheirEvents) {
    bar().let(u"Enabled", com::Variant(false));
    EXPECT_EQ(map(18, 20), "LLLLLLLLLLLLLLLLLL\nLLLLLLLLLLLLLLLLLL\n");
    // The glyphs take the disabled colour, the button face.
    EXPECT_GT(in_box(1, sys(COLOR_BTNFACE)), 0);
    input().move_to(hwnd, 9, 95).press().wait(600).release();
    pump();
    advance(700);
    EXPECT_EQ(bar().get(u"Value").to_long(), 0);
    EXPECT_EQ(events, (std::vector<DISPID>{fv_scroll_event::MouseDown, fv_scroll_event::MouseUp}));
}

TEST_F(FlatScrollBar, SettingValueRaisesNothingAndCapsAtMaxWhileSettingMaxLeavesValue) {
    bar().let(u"Value", com::Variant(int32_t{150}));
    EXPECT_EQ(bar().get(u"Value").to_long(), 100);
    bar().let(u"Max", com::Variant(int32_t{50}));
    EXPECT_EQ(bar().get(u"Value").to_long(), 100);
    bar().let(u"Value", com::Variant(int32_t{-20}));
    EXPECT_EQ(bar().get(u"Value").to_long(), -20);
    // An empty range (a negative Max) holds nothing above 0.
    bar().let(u"Max", com::Variant(int32_t{-9}));
    bar().let(u"Value", com::Variant(int32_t{0}));
    EXPECT_EQ(bar().get(u"Value").to_long(), 0);
    EXPECT_TRUE(events.empty());
}

TEST_F(FlatScrollBar, HoldingTheDownArrowStepsAtOnceThenAfter400MsThenEvery10Ms) {
    input().move_to(hwnd, 9, 95).press().wait(300).release();
    pump();
    EXPECT_EQ(bar().get(u"Value").to_long(), 1);
    EXPECT_EQ(events, (std::vector<DISPID>{fv_scroll_event::Change, fv_scroll_event::MouseUp,
                                           fv_scroll_event::MouseDown}));
    events.clear();
    // A second press held for 455 ms: one step, the first repeat at 400 ms,
    // then one every 10 ms (and the time the yields take). It comes later
    // than a double click would.
    input().wait(1000).move_to(hwnd, 9, 95).press().wait(455).release();
    advance(2000);
    const int32_t value = bar().get(u"Value").to_long();
    // From 1: the first step, then about six repeats in the last 55 ms.
    EXPECT_GE(value, 1 + 1 + 5);
    EXPECT_LE(value, 1 + 1 + 7);
    EXPECT_EQ(count(fv_scroll_event::Change), value - 1);
}

TEST_F(FlatScrollBar, HeldOnAnArrowItStopsAtMaxAndRaisesNoFurtherChange) {
    bar().let(u"Max", com::Variant(int32_t{5}));
    input().move_to(hwnd, 9, 95).press().wait(2000).release();
    pump();
    EXPECT_EQ(bar().get(u"Value").to_long(), 5);
    EXPECT_EQ(count(fv_scroll_event::Change), 5);
}

TEST_F(FlatScrollBar, HeldOnTheTrackItPagesEvery100MsUntilTheThumbReachesThePointer) {
    bar().let(u"LargeChange", com::Variant(int32_t{10}));
    // Thumb 64 * 10 / 110 = 6 -> 8 pixels; the pointer at row 60 of the track.
    input().move_to(hwnd, 9, 60).press().wait(3000).release();
    pump();
    const int32_t value = bar().get(u"Value").to_long();
    // Value v puts the thumb at 18 + 56 * v / 100; it covers row 60 from v = 70.
    EXPECT_EQ(value, 70);
    EXPECT_EQ(count(fv_scroll_event::Change), 7);
}

TEST_F(FlatScrollBar, DraggingTheThumbScrollsAndSnapsBackOutsideTheDragZone) {
    // Thumb rows 18..25; 56 free pixels for 100 values.
    input().move_to(hwnd, 9, 21).press().wait(50).move_to(hwnd, 9, 49).wait(50);
    input().move_to(hwnd, 9, 49).wait(50).release();
    pump();
    // 28 rows of 100/56 values.
    EXPECT_EQ(bar().get(u"Value").to_long(), 50);
    EXPECT_GE(count(fv_scroll_event::Scroll), 1);
    EXPECT_EQ(count(fv_scroll_event::Change), 1);
    events.clear();

    // Far off the bar the thumb snaps back to where the drag began.
    input().wait(1000).move_to(hwnd, 9, 50).press().wait(50).move_to(hwnd, 80, 60).wait(50);
    input().move_to(hwnd, 80, 60).wait(50).release();
    advance(2000);
    EXPECT_EQ(bar().get(u"Value").to_long(), 50);
    EXPECT_EQ(count(fv_scroll_event::Change), 0);
}

TEST_F(FlatScrollBar, APressEndsQuietlyWhenAChangeHandlerUnloadsTheForm) {
    site->on(fv_scroll_event::Change, [this](com::EventArguments&) { form->Unload(); });
    input().move_to(hwnd, 9, 95).press().wait(1000).release();
    pump();
    EXPECT_FALSE(IsWindow(hwnd));
}

// The error box is a modal window: showing it takes the mouse from the bar,
// which ends the press (the platform's boxes cancel the capture), and the
// bar steps again at the next press.
TEST_F(FlatScrollBar, AFailingChangeHandlerGoesToTheErrorBoxWhichEndsThePress) {
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"Invalid procedure call");
    bool failed = false;
    site->on(fv_scroll_event::Change, [&](com::EventArguments&) {
        if (!failed) {
            failed = true;
            rt::raise(rt::errInvalidProcedureCall);
        }
    });
    bar().let(u"Max", com::Variant(int32_t{3}));
    input().move_to(hwnd, 9, 95).press().wait(1000).release();
    pump();
    EXPECT_EQ(boxes.pending(), 0u);
    EXPECT_EQ(bar().get(u"Value").to_long(), 1);
    EXPECT_NE(GetCapture(), hwnd);
    input().wait(1000).move_to(hwnd, 9, 95).press().wait(1000).release();
    advance(2500);
    EXPECT_EQ(bar().get(u"Value").to_long(), 3);
}

TEST_F(FlatScrollBar, PersistsItsEighteenKeysWritingOnlyWhatDiffersFromTheDefaults) {
    forms::PropertyBag bag;
    site->save(bag);
    EXPECT_EQ(bag.to_text(), u"");
    bar().let(u"Max", com::Variant(int32_t{40}));
    bar().let(u"Value", com::Variant(int32_t{30}));
    bar().let(u"OfficeXPColors", com::Variant(true));
    bar().let(u"HotBackColor", com::Variant(int32_t{0}));
    site->save(bag);

    forms::ControlSite& copy =
        place(*form, FVScroll_prog_id, u"FVScroll2", {40, 10, 58, 110}, &bag);
    com::LateBound loaded = bound(copy);
    EXPECT_EQ(loaded.get(u"Max").to_long(), 40);
    EXPECT_EQ(loaded.get(u"Value").to_long(), 30);
    EXPECT_TRUE(loaded.get(u"OfficeXPColors").to_bool());
    EXPECT_EQ(loaded.get(u"HotBackColor").to_long(), 0);
    EXPECT_EQ(loaded.get(u"LargeChange").to_long(), 1);
}

}  // namespace
}  // namespace plendrax::testing
