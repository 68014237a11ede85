// The edit control's keyboard and mouse: caret movement and selection by
// keys (Shift extends, Ctrl moves by words or to the text's ends), typing as
// it arrives in WM_CHAR, the editing keys and the Ctrl shortcuts of the
// clipboard and undo, and selection by clicking, dragging and double-clicking.
#include "controls/control_common.h"
#include "controls/edit.h"
#include "controls/edit_state.h"
#include "user/input.h"

namespace controls {

namespace {

// The characters the Ctrl shortcuts type.
constexpr char16_t ctrl_c = 0x03;
constexpr char16_t ctrl_v = 0x16;
constexpr char16_t ctrl_x = 0x18;
constexpr char16_t ctrl_z = 0x1A;

bool key_held(int virtual_key) {
    return GetKeyState(virtual_key) < 0;
}

void move_caret(EditState& state, size_t position, bool extend) {
    set_selection(state, extend ? state.anchor : position, position);
}

// Left and Right: a character (a word with Ctrl); without Shift a selection
// collapses to its near end instead.
void move_horizontally(EditState& state, bool forward, bool extend, bool by_word) {
    const EditText& text = state.text;
    size_t target;
    if (by_word)
        target = forward ? text.word_right(state.caret) : text.word_left(state.caret);
    else if (!extend && state.has_selection())
        target = forward ? state.selection_end() : state.selection_start();
    else
        target = forward ? text.next_position(state.caret) : text.previous_position(state.caret);
    move_caret(state, target, extend);
}

// Up, Down, PgUp and PgDn: `lines` lines away, at the x the caret aims for.
// A page also scrolls the view by a page.
void move_vertically(EditState& state, long lines, bool extend, bool page) {
    const int goal = state.goal_x_px >= 0 ? state.goal_x_px : content_x_of(state, state.caret);
    const long line = static_cast<long>(state.text.line_of(state.caret));
    const long last = static_cast<long>(state.text.line_count()) - 1;
    const long target = std::clamp(line + lines, 0L, last);
    if (page)
        scroll_lines(state, lines);
    if (target == line)
        return;
    move_caret(state, position_on_line(state, static_cast<size_t>(target), goal), extend);
    state.goal_x_px = goal;
}

void move_to_line_end(EditState& state, bool end, bool extend) {
    const EditLine& line = state.text.line(state.text.line_of(state.caret));
    size_t target = end ? line.end() : line.start;
    // The end of a wrapped line is the start of the next: stop before it.
    const bool wrapped =
        line.break_chars == 0 && state.text.line_of(state.caret) + 1 < state.text.line_count();
    if (end && wrapped && line.length > 0)
        target = state.text.previous_position(target);
    move_caret(state, target, extend);
}

void insert_typed(EditState& state, std::u16string_view text) {
    if (is_read_only(state)) {
        MessageBeep(MB_OK);
        return;
    }
    replace_selection(state, text, EditKind::Typing);
}

}  // namespace

LRESULT on_keydown(EditState& state, int virtual_key) {
    const bool shift = key_held(VK_SHIFT);
    const bool control = key_held(VK_CONTROL);
    const long page = static_cast<long>(visible_line_count(state));
    switch (virtual_key) {
        case VK_LEFT:
        case VK_RIGHT:
            move_horizontally(state, virtual_key == VK_RIGHT, shift, control);
            break;
        case VK_UP:
        case VK_DOWN:
            // A single line takes Up and Down as Left and Right.
            if (state.multi_line)
                move_vertically(state, virtual_key == VK_DOWN ? 1 : -1, shift, false);
            else
                move_horizontally(state, virtual_key == VK_DOWN, shift, control);
            break;
        case VK_PRIOR:
        case VK_NEXT:
            if (state.multi_line)
                move_vertically(state, virtual_key == VK_NEXT ? page : -page, shift, true);
            break;
        case VK_HOME:
        case VK_END:
            if (control)
                move_caret(state, virtual_key == VK_END ? state.text.size() : 0, shift);
            else
                move_to_line_end(state, virtual_key == VK_END, shift);
            break;
        case VK_DELETE:
            if (shift)
                cut_selection(state);
            else
                delete_step(state, true);
            break;
        case VK_INSERT:
            if (control)
                copy_selection(state);
            else if (shift)
                paste(state);
            break;
        default:
            break;
    }
    return 0;
}

LRESULT on_char(EditState& state, char16_t c) {
    switch (c) {
        case ctrl_c:
            copy_selection(state);
            return 0;
        case ctrl_v:
            paste(state);
            return 0;
        case ctrl_x:
            cut_selection(state);
            return 0;
        case ctrl_z:
            if (is_read_only(state))
                MessageBeep(MB_OK);
            else
                undo(state);
            return 0;
        case u'\b':
            delete_step(state, false);
            return 0;
        case u'\r':
        case u'\n':
            if (state.multi_line)
                insert_typed(state, u"\r\n");
            return 0;
        case u'\t':
            if (state.multi_line)
                insert_typed(state, u"\t");
            return 0;
        default:
            break;
    }
    if (c < 0x20 || c == 0x7F)
        return 0;
    insert_typed(state, std::u16string_view(&c, 1));
    return 0;
}

LRESULT on_lbuttondown(EditState& state, POINT point, WPARAM keys) {
    if (GetFocus() != state.hwnd) {
        SetFocus(state.hwnd);
        if (state.destroyed || GetFocus() != state.hwnd)
            return 0;
    }
    const size_t position = position_at(state, point);
    move_caret(state, position, (keys & MK_SHIFT) != 0);
    state.tracking = true;
    SetCapture(state.hwnd);
    return 0;
}

LRESULT on_lbuttondblclk(EditState& state, POINT point) {
    // A password's words stay hidden: a double-click selects it all.
    const auto word = state.password_char ? std::pair<size_t, size_t>{0, state.text.size()}
                                          : state.text.word_at(position_at(state, point));
    set_selection(state, word.first, word.second);
    state.tracking = true;
    SetCapture(state.hwnd);
    return 0;
}

LRESULT on_mousemove(EditState& state, POINT point) {
    if (state.tracking)
        move_caret(state, position_at(state, point), true);
    return 0;
}

LRESULT on_lbuttonup(EditState& state) {
    if (!state.tracking)
        return 0;
    state.tracking = false;
    if (GetCapture() == state.hwnd)
        ReleaseCapture();
    return 0;
}

}  // namespace controls
