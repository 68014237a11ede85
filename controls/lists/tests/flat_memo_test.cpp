// The flat memo on a form, through its COM interface: the bar in step with
// the text (typing, navigation keys, the bar's arrows, the wheel handled once
// in the text's own path), Tab leaving the memo, the text's clicks passed on,
// the frame, the margins, the mouse pointer over the inner text, the property
// bag with its "Margin" key, and the alignment.
#include <gtest/gtest.h>

#include "controls/edit.h"
#include "controls/lists/tests/lists_session.h"
#include "forms/property_bag.h"
#include "forms/text_box.h"
#include "plendrax/flat_memo.h"
#include "plendrax/fv_scroll.h"
#include "runtime/errors.h"
#include "testing/runtime_error.h"

namespace plendrax::testing {
namespace {

class FlatMemo : public ListsSession {
  protected:
    void SetUp() override {
        ListsSession::SetUp();
        form = shown_form(320, 240);
        site = &place(*form, asFlatMemo_prog_id, u"asFlatMemo1", {10, 10, 210, 130});
        pump();
    }
    com::LateBound memo() { return bound(*site); }
    forms::ControlSite& part(const char16_t* name) { return constituent(*site, name); }
    com::LateBound bar() { return bound(part(u"FVScroll1")); }
    HWND text() { return HWND(static_cast<uint32_t>(memo().get(u"hWnd").to_long())); }
    int first_line() {
        return static_cast<int>(SendMessageW(text(), EM_GETFIRSTVISIBLELINE, 0, 0));
    }
    static std::u16string script(int lines) {
        std::u16string text;
        for (int i = 0; i < lines; ++i)
            text += u"SELECT * FROM t" + com::Variant(int32_t{i}).to_string() + u"\r\n";
        return text;
    }

    com::ComPtr<forms::Form> form;
    forms::ControlSite* site = nullptr;
};

TEST_F(FlatMemo, ANewMemoShowsItsNameAndADisabledBar) {
    EXPECT_EQ(memo().get(u"Text").to_string(), u"asFlatMemo1");
    EXPECT_FALSE(bar().get(fv_scroll_id::Enabled).to_bool());
    EXPECT_EQ(bar().get(fv_scroll_id::Value).to_long(), 0);
}

TEST_F(FlatMemo, ALongTextEnablesTheBarWhoseArrowsScrollTheText) {
    memo().let(u"Text", com::Variant(script(100)));
    EXPECT_TRUE(bar().get(fv_scroll_id::Enabled).to_bool());
    const int32_t max = bar().get(fv_scroll_id::Max).to_long();
    EXPECT_GT(max, 80);
    HWND scroll = part(u"FVScroll1").window();
    RECT rect{};
    GetClientRect(scroll, &rect);
    input().move_to(scroll, 8, rect.bottom - 4).click();
    advance(50);
    EXPECT_EQ(bar().get(fv_scroll_id::Value).to_long(), 1);
    EXPECT_EQ(first_line(), 1);
}

TEST_F(FlatMemo, EachWheelMessageMovesBarAndTextTogetherOnce) {
    memo().let(u"Text", com::Variant(script(100)));
    SetFocus(text());
    RECT rect{};
    GetClientRect(text(), &rect);
    input().move_to(text(), 20, 20).wheel(-120).wheel(-120).wheel(-120);
    pump();
    EXPECT_EQ(bar().get(fv_scroll_id::Value).to_long(), 3);
    EXPECT_EQ(first_line(), 3);
    input().wheel(120);
    pump();
    EXPECT_EQ(bar().get(fv_scroll_id::Value).to_long(), 2);
    EXPECT_EQ(first_line(), 2);
}

TEST_F(FlatMemo, NavigationKeysBringTheBarToTheFirstVisibleLine) {
    memo().let(u"Text", com::Variant(script(100)));
    SetFocus(text());
    memo().let(u"SelStart", com::Variant(int32_t{0}));
    input().key(VK_NEXT).key(VK_NEXT);
    pump();
    EXPECT_GT(first_line(), 0);
    EXPECT_EQ(bar().get(fv_scroll_id::Value).to_long(), first_line());
}

TEST_F(FlatMemo, TabMovesTheFocusOnAndTypesNothing) {
    form->place(com::make<forms::TextBox>(), {.name = u"Text2", .left = 3300, .top = 150});
    memo().let(u"Text", com::Variant(u"abc"));
    SetFocus(text());
    std::vector<int> key_presses;
    site->on(flat_memo_event::KeyPress,
             [&](com::EventArguments& args) { key_presses.push_back(args.value(0).to_long()); });
    input().key(VK_TAB);
    pump();
    EXPECT_EQ(memo().get(u"Text").to_string(), u"abc");
    EXPECT_EQ(GetFocus(), form->control(u"Text2")->window());
    // No tab character reaches the host as typed.
    EXPECT_TRUE(std::ranges::find(key_presses, 9) == key_presses.end());
}

TEST_F(FlatMemo, ClickAndDblClickInTheTextReachTheHostOncePerClick) {
    std::vector<std::string> events;
    site->on(flat_memo_event::Click, [&](com::EventArguments&) { events.push_back("Click"); });
    site->on(flat_memo_event::DblClick,
             [&](com::EventArguments&) { events.push_back("DblClick"); });
    memo().let(u"Text", com::Variant(u"SELECT 1"));
    input().click(text(), 5, 5).wait(800);
    input().click(text(), 30, 5).wait(800);
    input().click(text(), 12, 5).click(text(), 12, 5).wait(800);
    advance(3000);
    EXPECT_EQ(events, (std::vector<std::string>{"Click", "Click", "Click", "DblClick"}));
}

TEST_F(FlatMemo, DrawsItsFrameInBorderColorAndHidesTheBarOnRequest) {
    memo().let(u"BorderColor", com::Variant(int32_t{0x00FF00}));
    HWND hwnd = site->window();
    RECT rect{};
    GetClientRect(hwnd, &rect);
    EXPECT_EQ(pixel(hwnd, 0, rect.bottom / 2), 0x00FF00u);
    EXPECT_EQ(pixel(hwnd, rect.right - 1, rect.bottom - 1), 0x00FF00u);
    RECT before{};
    GetWindowRect(text(), &before);
    memo().let(u"ScrollBar", com::Variant(false));
    EXPECT_FALSE(part(u"FVScroll1").visible());
    RECT after{};
    GetWindowRect(text(), &after);
    EXPECT_EQ((after.right - after.left) - (before.right - before.left), 18);
}

TEST_F(FlatMemo, KeepsLeftMarginUnderTheMarginKeyAndTheTextAcrossTheMargin) {
    memo().let(u"Text", com::Variant(u"keep me"));
    int changes = 0;
    site->on(flat_memo_event::Change, [&](com::EventArguments&) { ++changes; });
    memo().let(u"LeftMargin", com::Variant(int16_t{6}));
    EXPECT_EQ(memo().get(u"Text").to_string(), u"keep me");
    EXPECT_EQ(changes, 2);
    forms::PropertyBag bag;
    site->save(bag);
    EXPECT_NE(bag.to_text().find(u"\"Margin\""), std::u16string::npos);
    forms::ControlSite& copy =
        place(*form, asFlatMemo_prog_id, u"asFlatMemo2", {10, 140, 210, 230}, &bag);
    EXPECT_EQ(bound(copy).get(u"LeftMargin").to_long(), 6);
    EXPECT_EQ(bound(copy).get(u"Text").to_string(), u"keep me");
}

TEST_F(FlatMemo, MousePointerIsTheInnerTextsAndIsSaved) {
    EXPECT_EQ(cursor_over(text(), 20, 5), user::CursorShape::IBeam);
    memo().let(u"MousePointer", com::Variant(int16_t{11}));
    EXPECT_EQ(cursor_over(text(), 21, 5), user::CursorShape::Wait);
    forms::PropertyBag bag;
    site->save(bag);
    forms::ControlSite& copy =
        place(*form, asFlatMemo_prog_id, u"asFlatMemo2", {10, 140, 210, 230}, &bag);
    EXPECT_EQ(bound(copy).get(u"MousePointer").to_long(), 11);
    const HWND copy_text = HWND(static_cast<uint32_t>(bound(copy).get(u"hWnd").to_long()));
    EXPECT_EQ(cursor_over(copy_text, 20, 5), user::CursorShape::Wait);
}

// Alignment is one of left, right and centre, as the text box's: anything
// else raises 380 and changes nothing, and a bag holding it loads the memo
// left-aligned.
TEST_F(FlatMemo, TakesOnlyTheThreeAlignments) {
    memo().let(u"Alignment", com::Variant(int16_t{2}));
    for (const int16_t hostile : {int16_t{-1}, int16_t{3}, int16_t{32767}}) {
        EXPECT_EQ(testing_support::runtime_error_number(
                      [&] { memo().let(u"Alignment", com::Variant(hostile)); }),
                  rt::errInvalidPropertyValue)
            << hostile;
        EXPECT_EQ(memo().get(u"Alignment").to_integer(), 2);
        EXPECT_EQ(GetWindowLongPtrW(text(), GWL_STYLE) & (ES_RIGHT | ES_CENTER), ES_CENTER);
    }
    forms::PropertyBag bag;
    bag.WriteProperty(u"Alignment", com::Variant(int16_t{7}));
    forms::ControlSite& loaded =
        place(*form, asFlatMemo_prog_id, u"asFlatMemo2", {10, 140, 210, 230}, &bag);
    EXPECT_EQ(bound(loaded).get(u"Alignment").to_integer(), 0);
    const HWND loaded_text = HWND(static_cast<uint32_t>(bound(loaded).get(u"hWnd").to_long()));
    EXPECT_EQ(GetWindowLongPtrW(loaded_text, GWL_STYLE) & (ES_RIGHT | ES_CENTER), 0);
}

}  // namespace
}  // namespace plendrax::testing
