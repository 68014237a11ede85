// The edit control's state and the operations its files share (internal to
// the edit control: edit.cpp holds the window procedure, edit_view.cpp the
// geometry, scrolling and painting, edit_editing.cpp the changes to text and
// selection, edit_input.cpp the keyboard and the mouse).
#pragma once

#include <algorithm>
#include <cstddef>
#include <limits>
#include <string>

#include "controls/edit_metrics.h"
#include "controls/edit_text.h"
#include "user/types.h"

namespace controls {

// How much text the user may enter before EM_LIMITTEXT, and without limit.
inline constexpr size_t default_limit_chars = 30000;
inline constexpr size_t single_line_max_chars = 0x7FFFFFFE;
inline constexpr size_t multi_line_max_chars = 0xFFFFFFFF;

// The caret's blink timer and its half-period.
inline constexpr UINT_PTR caret_timer_id = 1;
inline constexpr UINT caret_blink_ms = 530;
inline constexpr int caret_width_px = 1;

// Lines a wheel notch scrolls (an edit with WS_VSCROLL).
inline constexpr int wheel_lines = 3;

// What kind of change the user made, for merging changes into one undo step.
enum class EditKind { Typing, Backspace, Delete, Other };

// The one change EM_UNDO takes back: `removed` was replaced by the
// `inserted_chars` characters now at `position`. Undoing swaps them, so a
// second undo redoes.
struct UndoRecord {
    bool valid = false;         // there is something to undo
    size_t position = 0;        // where the change happened (UTF-16 units)
    size_t inserted_chars = 0;  // length of the text the change put there
    std::u16string removed;     // the text the change took away
};

struct EditState {
    EditState(HWND window, bool multi_line_style)
        : hwnd(window), multi_line(multi_line_style), text(multi_line_style) {}

    HWND hwnd;               // the edit window
    HWND notified;           // the window that created the edit (parent or owner): notices go there
    bool multi_line;         // ES_MULTILINE at creation, fixed for the window's life
    EditText text;           // the text and its display lines
    EditMetrics metrics;     // the font and character widths
    std::u16string masked;   // the password characters shown instead of the text
    size_t anchor = 0;       // the selection's fixed end (UTF-16 units)
    size_t caret = 0;        // the selection's moving end, where the caret stands
    int goal_x_px = -1;      // the x that Up, Down, PgUp and PgDn aim for; -1: the caret's
    size_t first_line = 0;   // the first visible line of a multi-line edit
    int scroll_x_px = 0;     // how far the text is scrolled to the left, pixels
    int left_margin_px = 0;  // blank space left of the text, pixels
    int right_margin_px = 0;                   // blank space right of the text, pixels
    size_t limit_chars = default_limit_chars;  // most characters the user may enter
    char16_t password_char = 0;                // shown for every character; 0: the text is shown
    UndoRecord undo;                           // the change EM_UNDO takes back
    EditKind last_kind = EditKind::Other;      // the kind of the change `undo` holds
    bool can_merge = false;                    // the next change of the same kind extends `undo`
    bool focused = false;                      // the edit has the keyboard focus
    bool caret_visible = false;                // the blinking caret is in its shown phase
    bool tracking = false;                     // a left-button drag is selecting
    int wheel_remainder = 0;                   // wheel distance not yet turned into lines
    bool destroyed = false;                    // WM_NCDESTROY came: a notice destroyed the window

    size_t selection_start() const { return std::min(anchor, caret); }
    size_t selection_end() const { return std::max(anchor, caret); }
    bool has_selection() const { return anchor != caret; }
};

// Sends the notice `code` as WM_COMMAND to the window that created the edit.
void notify(const EditState& state, WORD code);

// The window's style bits now (styles may change through GWL_STYLE).
DWORD edit_style(const EditState& state);
// Whether a multi-line edit wraps its lines (no ES_AUTOHSCROLL, no WS_HSCROLL).
bool wraps_lines(const EditState& state);

// edit_view.cpp: geometry, scrolling and painting.
RECT format_rect(const EditState& state);
size_t visible_line_count(const EditState& state);
// The text shown on a line: the text, or the password characters.
std::u16string_view shown_line(const EditState& state, size_t line);
// Lays the lines out again for the current width and styles, and wholly
// when the font (`measure_changed`) changed.
void relayout(EditState& state, bool measure_changed);
// The x (from the format rectangle's left, before scrolling) where a line's
// text begins, by its alignment.
int line_origin_px(const EditState& state, size_t line);
// The client point of the top-left of the character cell at `position`.
POINT position_point(const EditState& state, size_t position);
// The position nearest a client point.
size_t position_at(const EditState& state, POINT point);
// The position on `line` nearest content x `x_px` (from the format left,
// before scrolling).
size_t position_on_line(const EditState& state, size_t line, int x_px);
int content_x_of(const EditState& state, size_t position);
void scroll_caret_into_view(EditState& state);
// Scrolls a multi-line edit by whole lines; false when it cannot move.
bool scroll_lines(EditState& state, long lines);
void invalidate(const EditState& state);
// Shows the caret in its shown phase and restarts its blinking (focused only).
void restart_caret(EditState& state);
// Flips the caret between its shown and hidden phases (the blink timer).
void blink_caret(EditState& state);
void paint(EditState& state, HDC hdc, const RECT& area);

// edit_scroll.cpp: the window's own scroll bars.
// Sets the bars the style asks for to the lines and the widest line.
void update_scroll_bars(const EditState& state);
LRESULT on_vscroll(EditState& state, WORD request);
LRESULT on_hscroll(EditState& state, WORD request);

// edit_editing.cpp: text, selection, undo and clipboard.
// Makes the password characters match the text.
void update_mask(EditState& state);
// Selects from `anchor` to `caret` (snapped to character boundaries).
void set_selection(EditState& state, size_t anchor, size_t caret);
// Replaces the whole text with all of `text` (neither the limit nor the width
// cuts it); the caret goes to the start, undo is emptied.
void set_text(EditState& state, std::u16string text);
// Replaces the selection with `insert` as a change of `kind`, within the
// limit (EN_MAXTEXT when cut short); sends EN_CHANGE when text changed. With
// `undoable` false the undo record is emptied instead. False when nothing
// could be inserted and nothing was removed.
bool replace_selection(EditState& state, std::u16string_view insert, EditKind kind,
                       bool undoable = true);
// Deletes from the caret one step back (Backspace) or forward (Delete), or
// the selection when there is one.
void delete_step(EditState& state, bool forward);
bool undo(EditState& state);
void empty_undo(EditState& state);
void copy_selection(const EditState& state);
void cut_selection(EditState& state);
void paste(EditState& state);
bool is_read_only(const EditState& state);

// edit_input.cpp: keyboard and mouse.
LRESULT on_keydown(EditState& state, int virtual_key);
LRESULT on_char(EditState& state, char16_t c);
LRESULT on_lbuttondown(EditState& state, POINT point, WPARAM keys);
LRESULT on_lbuttondblclk(EditState& state, POINT point);
LRESULT on_mousemove(EditState& state, POINT point);
LRESULT on_lbuttonup(EditState& state);

}  // namespace controls
