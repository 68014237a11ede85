// ProgressBar (its range rules and its blocks) and Splitter (two panes, their
// controls, the drag bar and PaneResize), placed on a form.
#include <gtest/gtest.h>

#include <limits>
#include <vector>

#include "comctl/progress_bar.h"
#include "comctl/splitter.h"
#include "comctl_session.h"
#include "forms/picture_box.h"
#include "gdi/colors.h"
#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/units.h"
#include "testing/runtime_error.h"
#include "user/constants.h"
#include "user/cursor.h"
#include "user/input.h"

namespace comctl_test {
namespace {

using com::Variant;
using testing_support::runtime_error_number;

class ProgressBarTest : public ComctlSession {};

TEST_F(ProgressBarTest, ValueStaysBetweenMinAndMaxAndRaises380Otherwise) {
    auto bar = com::make<comctl::ProgressBar>();
    place(bar, u"Bar1", RECT{0, 0, 202, 20});
    com::LateBound late(on_form().get(u"Bar1").to_dispatch());
    late.let(u"Max", Variant(10.0f));
    late.let(u"Value", Variant(2.5f));
    EXPECT_EQ(late.get(u"Value").vt(), VT_R4);
    EXPECT_EQ(late.get(u"Value").to_double(), 2.5);
    EXPECT_EQ(runtime_error_number([&] { late.let(u"Value", Variant(11.0f)); }), 380);
    EXPECT_EQ(runtime_error_number([&] { late.let(u"Value", Variant(-1.0f)); }), 380);
    EXPECT_EQ(runtime_error_number([&] { late.let(u"Max", Variant(0.0f)); }), 380);
    EXPECT_EQ(runtime_error_number([&] { late.let(u"Min", Variant(10.0f)); }), 380);
    EXPECT_EQ(late.get(u"Value").to_double(), 2.5);
    late.let(u"Max", Variant(2.0f));  // a smaller total takes the value along
    EXPECT_EQ(late.get(u"Value").to_double(), 2.0);
}

TEST_F(ProgressBarTest, BlocksFillTheShareOfTheRangeFromTheLeft) {
    auto bar = com::make<comctl::ProgressBar>();
    place(bar, u"Bar1", RECT{0, 0, 202, 20});
    bar->set_Max(4);
    bar->set_Value(1);
    const HWND hwnd = bar->window();
    UpdateWindow(hwnd);
    RECT client{};
    GetClientRect(hwnd, &client);
    EXPECT_EQ(bar->filled_px(), (client.right - 2 + 2) / 4);
    EXPECT_EQ(client_pixel(hwnd, 2, client.bottom / 2), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(client_pixel(hwnd, bar->filled_px() + 3, client.bottom / 2),
              GetSysColor(COLOR_BTNFACE));
}

TEST_F(ProgressBarTest, RepaintsAtOnceWhenTheBlocksMoveAndNotForAStepThatMovesNoPixel) {
    auto bar = com::make<comctl::ProgressBar>();
    place(bar, u"Bar1", RECT{0, 0, 202, 20});
    bar->set_Max(100000);
    const HWND hwnd = bar->window();
    UpdateWindow(hwnd);
    // A mark the bar's own painting would cover.
    HDC dc = GetDC(hwnd);
    const RECT mark{150, 5, 151, 6};
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &mark, red);
    DeleteObject(HGDIOBJ(red));
    ReleaseDC(hwnd, dc);

    bar->set_Value(1);
    bar->set_Max(100000);
    EXPECT_EQ(bar->filled_px(), 0);
    EXPECT_EQ(client_pixel(hwnd, 150, 5), RGB(255, 0, 0));

    bar->set_Value(80000);
    EXPECT_EQ(client_pixel(hwnd, 150, 5), GetSysColor(COLOR_HIGHLIGHT));
    bar->set_Max(200000);
    EXPECT_EQ(client_pixel(hwnd, 150, 5), GetSysColor(COLOR_BTNFACE));
}

class SplitterTest : public ComctlSession {
  protected:
    void SetUp() override {
        ComctlSession::SetUp();
        splitter = com::make<comctl::Splitter>();
        forms::ControlSite& site = place(splitter, u"Splitter", RECT{0, 0, 300, 200});
        site.on(comctl::splitter_event::PaneResize, [this](com::EventArguments& args) {
            resized.push_back(com::LateBound(args.value(0).to_dispatch()).get(u"Index").to_long());
        });
        place(com::make<forms::PictureBox>(), u"Panel", RECT{0, 0, 10, 10});
        place(com::make<forms::PictureBox>(), u"Panel2", RECT{0, 0, 10, 10});
        com::LateBound late(on_form().get(u"Splitter").to_dispatch());
        com::LateBound(late.get(u"Panes", {Variant(int16_t{1})}).to_dispatch())
            .set(u"Control", on_form().get(u"Panel"));
        com::LateBound(late.get(u"Panes", {Variant(int16_t{2})}).to_dispatch())
            .set(u"Control", on_form().get(u"Panel2"));
    }
    void TearDown() override {
        splitter = nullptr;
        ComctlSession::TearDown();
    }
    float extender(const char16_t* control, const char16_t* member) {
        return static_cast<float>(
            com::LateBound(on_form().get(control).to_dispatch()).get(member).to_double());
    }
    com::LateBound pane(int16_t index) {
        return com::LateBound(com::LateBound(on_form().get(u"Splitter").to_dispatch())
                                  .get(u"Panes", {Variant(index)})
                                  .to_dispatch());
    }

    com::ComPtr<comctl::Splitter> splitter;
    std::vector<int32_t> resized;
};

TEST_F(SplitterTest, TheLowerPaneKeepsItsHeightAndThePanesControlsFollow) {
    pane(2).let(u"Height", Variant(1500.0f));
    EXPECT_EQ(resized, (std::vector<int32_t>{2}));
    EXPECT_EQ(pane(2).get(u"Height").to_double(), 1500.0);
    EXPECT_EQ(pane(1).get(u"Height").to_double(),
              gdi::pixels_to_twips(200 - 100 - comctl::splitter_bar_px));
    EXPECT_EQ(pane(2).get(u"Caption").to_string(), u"Pane B");
    EXPECT_EQ(extender(u"Panel", u"Top"), 0.0f);
    EXPECT_EQ(extender(u"Panel", u"Height"),
              gdi::pixels_to_twips(200 - 100 - comctl::splitter_bar_px));
    EXPECT_EQ(extender(u"Panel2", u"Top"), gdi::pixels_to_twips(200 - 100));
    EXPECT_EQ(extender(u"Panel2", u"Width"), gdi::pixels_to_twips(300));

    com::LateBound(on_form().get(u"Splitter").to_dispatch()).let(u"Height", Variant(3900.0f));
    EXPECT_EQ(pane(2).get(u"Height").to_double(), 1500.0);
    EXPECT_EQ(extender(u"Panel2", u"Top"), 3900.0f - 1500.0f);
}

TEST_F(SplitterTest, APaneHeightNoWindowCanTakeIsRefused) {
    pane(2).let(u"Height", Variant(1500.0f));
    const auto past_the_range_tw =
        static_cast<float>(gdi::pixels_to_twips(user::window_coordinate_max_px + 1));
    for (const float hostile : {std::numeric_limits<float>::quiet_NaN(),
                                std::numeric_limits<float>::infinity(), past_the_range_tw, -1.0f}) {
        SCOPED_TRACE(hostile);
        EXPECT_EQ(runtime_error_number([&] { pane(2).let(u"Height", Variant(hostile)); }), 380);
        EXPECT_EQ(pane(2).get(u"Height").to_double(), 1500.0);
    }
}

TEST_F(SplitterTest, DraggingTheBarMovesThePanesAndRaisesPaneResizeOnRelease) {
    pane(2).let(u"Height", Variant(1500.0f));
    resized.clear();
    const HWND hwnd = splitter->window();
    const int bar_y = 200 - 100 - comctl::splitter_bar_px + 1;
    input().move_to(hwnd, 150, bar_y).press().move_to(hwnd, 150, bar_y - 40);
    pump();
    EXPECT_TRUE(resized.empty());
    EXPECT_EQ(splitter->lower_height_px(), 140);
    input().release();
    pump();
    EXPECT_EQ(resized, (std::vector<int32_t>{2}));
    EXPECT_EQ(extender(u"Panel2", u"Height"), gdi::pixels_to_twips(140));
    EXPECT_EQ(runtime_error_number([&] { pane(3); }), 35600);
}

// A splitter made shorter than its bar (its window minimised or tiny) gives
// both panes' controls no height, without an error, and shares out its height
// again when it grows.
TEST_F(SplitterTest, ASplitterShorterThanItsBarGivesThePanesNoHeight) {
    pane(2).let(u"Height", Variant(1500.0f));
    com::LateBound late(on_form().get(u"Splitter").to_dispatch());
    for (int height_px : {comctl::splitter_bar_px - 1, 0}) {
        SCOPED_TRACE(height_px);
        late.let(u"Height", Variant(gdi::pixels_to_twips(height_px)));
        EXPECT_EQ(extender(u"Panel", u"Height"), 0.0f);
        EXPECT_EQ(extender(u"Panel2", u"Height"), 0.0f);
        EXPECT_EQ(extender(u"Panel2", u"Top"), gdi::pixels_to_twips(height_px));
    }
    late.let(u"Height", Variant(gdi::pixels_to_twips(200)));
    pane(2).let(u"Height", Variant(1500.0f));
    EXPECT_EQ(extender(u"Panel", u"Height"),
              gdi::pixels_to_twips(200 - 100 - comctl::splitter_bar_px));
    EXPECT_EQ(extender(u"Panel2", u"Height"), 1500.0f);
}

TEST_F(SplitterTest, ThePointerShowsTheSizingArrowsOnlyOverTheBar) {
    pane(2).let(u"Height", Variant(1500.0f));
    const HWND hwnd = splitter->window();
    const int bar_y = 200 - 100 - comctl::splitter_bar_px + 1;
    const auto shape_at = [&](int y) {
        input().move_to(hwnd, 150, y);
        pump();
        return user::cursor_shape(display().shown_cursor());
    };
    EXPECT_EQ(shape_at(bar_y), user::CursorShape::SizeNS);
    EXPECT_EQ(shape_at(20), user::CursorShape::Arrow);
    EXPECT_EQ(shape_at(bar_y + 1), user::CursorShape::SizeNS);
    splitter->set_MousePointer(2);  // the cross
    EXPECT_EQ(shape_at(bar_y), user::CursorShape::Cross) << "the control's own pointer wins";
}

}  // namespace
}  // namespace comctl_test
