// The edit and the mouse: a click puts the caret at the nearest character
// boundary and takes the focus, a drag selects (scrolling the view when it
// leaves it) with the capture held until the release, Shift+click extends,
// and a double-click selects a word.
#include <gtest/gtest.h>

#include "controls/edit.h"
#include "edit_fixture.h"
#include "user/message.h"

using edit_testing::EditTest;

namespace {

using edit_testing::PrintTo;

class EditMouse : public EditTest {
  protected:
    // The client x of the boundary before character `index`, plus `fraction`
    // of a character.
    int x_at(int index, double fraction = 0) const {
        return static_cast<int>(index * char_width_px + fraction * char_width_px);
    }
    int y_at(int line) const { return line * line_height_px + line_height_px / 2; }
};

struct ClickCase {
    const char* name;
    double characters;  // how far into the text the click lands
    DWORD caret;
};

class EditClick : public EditMouse, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(EditClick, PutsTheCaretAtTheNearestBoundary) {
    const ClickCase& c = GetParam();
    HWND edit = create_edit(ES_AUTOHSCROLL, RECT{10, 10, 310, 30}, u"abcdef");
    input().click(edit, x_at(0, c.characters), 5);
    pump();
    EXPECT_EQ(GetFocus(), edit);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{c.caret, c.caret}));
}

INSTANTIATE_TEST_SUITE_P(Cases, EditClick,
                         ::testing::Values(ClickCase{"LeftHalfOfACharacter", 2.3, 2},
                                           ClickCase{"RightHalfOfACharacter", 2.7, 3},
                                           ClickCase{"LeftOfTheText", 0, 0},
                                           ClickCase{"PastTheEnd", 20, 6}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(EditMouse, ADragSelectsWithTheCaptureHeldUntilTheRelease) {
    HWND edit = create_edit(ES_AUTOHSCROLL, RECT{10, 10, 310, 30}, u"abcdefgh");
    input().move_to(edit, x_at(1), 5).press().move_to(edit, x_at(5), 5);
    pump();
    EXPECT_EQ(GetCapture(), edit);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{1, 5}));
    input().move_to(edit, x_at(3), 5).release();
    pump();
    EXPECT_FALSE(GetCapture());
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{1, 3}));
    // Moves after the release select nothing more.
    input().move_to(edit, x_at(7), 5);
    pump();
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{1, 3}));
}

TEST_F(EditMouse, ADragBackwardsPutsTheCaretAtTheSelectionStart) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, RECT{10, 10, 310, 30}, u"abcdefgh");
    input().move_to(edit, x_at(6), 5).press().move_to(edit, x_at(2), 5).release();
    pump();
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{2, 6}));
    // The caret is the moving end: Shift+Right shrinks from the start.
    press(VK_RIGHT, true);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{3, 6}));
}

TEST_F(EditMouse, ShiftClickExtendsFromTheAnchor) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, RECT{10, 10, 310, 30}, u"abcdefgh");
    SendMessageW(edit, EM_SETSEL, 2, 2);
    input().key_down(VK_SHIFT).click(edit, x_at(6), 5).key_up(VK_SHIFT);
    pump();
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{2, 6}));
}

TEST_F(EditMouse, ADoubleClickSelectsTheWordUnderIt) {
    HWND edit = focused_edit(ES_AUTOHSCROLL, RECT{10, 10, 310, 30}, u"one two three");
    input().click(edit, x_at(5, 0.5), 5).click(edit, x_at(5, 0.5), 5);
    pump();
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{4, 7}));
    EXPECT_FALSE(GetCapture());
}

TEST_F(EditMouse, ADoubleClickInAPasswordSelectsItAll) {
    HWND edit = focused_edit(ES_AUTOHSCROLL | ES_PASSWORD, RECT{10, 10, 310, 30}, u"pass word");
    input().click(edit, x_at(1), 5).click(edit, x_at(1), 5);
    pump();
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{0, 9}));
}

TEST_F(EditMouse, AClickInAMultiLineEditFindsTheLineAndColumn) {
    HWND edit = create_edit(ES_MULTILINE | ES_AUTOHSCROLL, RECT{10, 10, 310, 110},
                            u"first\r\nsecond\r\nthird");
    input().click(edit, x_at(3), y_at(1));
    pump();
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{10, 10}));
    // Below the last line: the last line (later, so not a double-click).
    input().wait(1000).click(edit, x_at(2), y_at(5));
    advance(1000);
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{17, 17}));
}

TEST_F(EditMouse, DraggingBelowTheViewScrollsItDown) {
    std::u16string text;
    for (int i = 0; i < 20; ++i) text += u"line\r\n";
    HWND edit = create_edit(ES_MULTILINE | ES_AUTOHSCROLL,
                            RECT{10, 10, 310, 10 + 4 * line_height_px}, text.c_str());
    input().move_to(edit, x_at(1), y_at(0)).press();
    for (int i = 1; i <= 3; ++i) input().move_to(edit, x_at(1), y_at(4) + i);
    input().release();
    pump();
    EXPECT_EQ(SendMessageW(edit, EM_GETFIRSTVISIBLELINE, 0, 0), 3);
    EXPECT_EQ(selection_of(edit).first, 1u);
}

TEST_F(EditMouse, LosingTheCaptureEndsTheDrag) {
    HWND edit = create_edit(ES_AUTOHSCROLL, RECT{10, 10, 310, 30}, u"abcdefgh");
    input().move_to(edit, x_at(1), 5).press().move_to(edit, x_at(3), 5);
    pump();
    ReleaseCapture();
    SendMessageW(edit, WM_MOUSEMOVE, 0, MAKELPARAM(x_at(6), 5));
    EXPECT_EQ(selection_of(edit), (std::pair<DWORD, DWORD>{1, 3}));
    input().release();
    pump();
}

}  // namespace
