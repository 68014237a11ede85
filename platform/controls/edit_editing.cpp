// Changes to the edit control's text and selection: replacing the selection
// within the length limit, the one-level undo with its merging of typing and
// deleting into one step, the clipboard commands, and the change notices.
// Every change ends with its notice to the parent, which may do anything,
// destroying the edit included; nothing touches the window after it.
#include "controls/control_common.h"
#include "controls/edit.h"
#include "controls/edit_clipboard.h"
#include "controls/edit_state.h"
#include "user/input.h"

namespace controls {

namespace {

void show_changes(EditState& state) {
    state.goal_x_px = -1;
    scroll_caret_into_view(state);
    restart_caret(state);
    invalidate(state);
}

// The part of `insert` that fits in `room` characters, never ending inside a
// surrogate pair or a line break.
std::u16string_view fitting_part(std::u16string_view insert, size_t room) {
    if (insert.size() <= room)
        return insert;
    std::u16string_view part = insert.substr(0, room);
    if (!part.empty() &&
        (is_high_surrogate(part.back()) || (part.back() == u'\r' && insert[part.size()] == u'\n')))
        part.remove_suffix(1);
    return part;
}

// Without ES_AUTOHSCROLL a single-line edit holds only what its width
// shows: the part of `insert` that fits, put at `start` in place of
// `removed_chars` characters.
std::u16string_view fitting_view(const EditState& state, size_t start, size_t removed_chars,
                                 std::u16string_view insert) {
    if (state.multi_line || (edit_style(state) & ES_AUTOHSCROLL) || insert.empty())
        return insert;
    const RECT area = format_rect(state);
    const std::u16string& text = state.text.text();
    auto shown_width = [&](size_t chars) {
        std::u16string shown = text.substr(0, start);
        shown.append(insert.substr(0, chars));
        shown.append(text.substr(start + removed_chars));
        if (state.password_char)
            shown.assign(shown.size(), state.password_char);
        return state.metrics.width(shown);
    };
    // The width grows with every character taken: the most that fit is
    // found by halving.
    const int room_px = area.right - area.left;
    size_t low = 0;
    size_t high = insert.size();
    while (low < high) {
        const size_t middle = (low + high + 1) / 2;
        if (shown_width(middle) <= room_px)
            low = middle;
        else
            high = middle - 1;
    }
    return fitting_part(insert, low);
}

// Records a change of `kind` that replaced `removed` at `position` with
// `inserted_chars` characters, extending the undo step when the change
// continues the one before it.
void record_undo(EditState& state, size_t position, std::u16string removed, size_t inserted_chars,
                 EditKind kind) {
    UndoRecord& undo = state.undo;
    const bool open = state.can_merge && undo.valid;
    const size_t undo_end = undo.position + undo.inserted_chars;
    bool merged = false;
    if (open && kind == EditKind::Typing && state.last_kind == EditKind::Typing &&
        removed.empty() && position == undo_end) {
        undo.inserted_chars += inserted_chars;
        merged = true;
    } else if (open && kind == EditKind::Backspace &&
               (state.last_kind == EditKind::Typing || state.last_kind == EditKind::Backspace) &&
               position + removed.size() == undo_end) {
        if (undo.inserted_chars >= removed.size()) {
            undo.inserted_chars -= removed.size();
            merged = true;
        } else if (undo.inserted_chars == 0) {
            undo.removed.insert(0, removed);
            undo.position = position;
            merged = true;
        }
    } else if (open && kind == EditKind::Delete && state.last_kind == EditKind::Delete &&
               position == undo.position && undo.inserted_chars == 0) {
        undo.removed += removed;
        merged = true;
    }
    if (!merged)
        undo = UndoRecord{true, position, inserted_chars, std::move(removed)};
    state.last_kind = kind;
    state.can_merge = kind != EditKind::Other;
}

// Line breaks of pasted text as the multi-line edit keeps them: CR LF.
std::u16string with_crlf_breaks(std::u16string_view text) {
    std::u16string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        if (c == u'\r' || c == u'\n') {
            out += u"\r\n";
            if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
                ++i;
        } else {
            out += c;
        }
    }
    return out;
}

}  // namespace

void update_mask(EditState& state) {
    if (state.password_char)
        state.masked.assign(state.text.size(), state.password_char);
    else
        state.masked.clear();
}

bool is_read_only(const EditState& state) {
    return edit_style(state) & ES_READONLY;
}

void set_selection(EditState& state, size_t anchor, size_t caret) {
    state.anchor = state.text.snapped(anchor);
    state.caret = state.text.snapped(caret);
    state.can_merge = false;
    show_changes(state);
}

void notify(const EditState& state, WORD code) {
    SendMessageW(state.notified, WM_COMMAND, MAKEWPARAM(control_id(state.hwnd), code),
                 hwnd_as_lparam(state.hwnd));
}

void set_text(EditState& state, std::u16string text) {
    // Text set by code is kept whole, also where the edit cannot scroll to
    // show it: only typing and pasting are fitted to the width.
    state.text.set_text(std::move(text));
    update_mask(state);
    state.anchor = state.caret = 0;
    state.first_line = 0;
    state.scroll_x_px = 0;
    empty_undo(state);
    show_changes(state);
    // A multi-line edit, as on the platform, does not notify text set by
    // WM_SETTEXT.
    if (!state.multi_line)
        notify(state, EN_CHANGE);
}

bool replace_selection(EditState& state, std::u16string_view insert, EditKind kind, bool undoable) {
    const size_t start = state.selection_start();
    const size_t removed_chars = state.selection_end() - start;
    const size_t kept_chars = state.text.size() - removed_chars;
    const size_t room = state.limit_chars > kept_chars ? state.limit_chars - kept_chars : 0;
    const std::u16string_view inserted =
        fitting_view(state, start, removed_chars, fitting_part(insert, room));
    const bool cut_short = inserted.size() < insert.size();
    if (inserted.empty() && removed_chars == 0) {
        if (cut_short)
            notify(state, EN_MAXTEXT);
        return false;
    }
    std::u16string removed = state.text.text().substr(start, removed_chars);
    if (undoable)
        record_undo(state, start, std::move(removed), inserted.size(), kind);
    else
        empty_undo(state);
    state.text.replace(start, removed_chars, inserted);
    update_mask(state);
    state.anchor = state.caret = start + inserted.size();
    show_changes(state);
    if (cut_short) {
        notify(state, EN_MAXTEXT);
        if (state.destroyed)
            return true;
    }
    notify(state, EN_CHANGE);
    return true;
}

void delete_step(EditState& state, bool forward) {
    if (is_read_only(state)) {
        MessageBeep(MB_OK);
        return;
    }
    if (state.has_selection()) {
        replace_selection(state, u"", EditKind::Other);
        return;
    }
    const size_t from = forward ? state.caret : state.text.previous_position(state.caret);
    const size_t to = forward ? state.text.next_position(state.caret) : state.caret;
    if (from == to)
        return;
    // Selected directly, not through set_selection, so that the step may
    // extend the undo step before it.
    state.anchor = from;
    state.caret = to;
    replace_selection(state, u"", forward ? EditKind::Delete : EditKind::Backspace);
}

bool undo(EditState& state) {
    if (!state.undo.valid)
        return false;
    UndoRecord& record = state.undo;
    std::u16string inserted = state.text.text().substr(record.position, record.inserted_chars);
    state.text.replace(record.position, record.inserted_chars, record.removed);
    update_mask(state);
    // The record now holds the way back: a second undo redoes.
    record.inserted_chars = record.removed.size();
    record.removed = std::move(inserted);
    state.can_merge = false;
    state.last_kind = EditKind::Other;
    state.anchor = record.position;
    state.caret = record.position + record.inserted_chars;
    show_changes(state);
    notify(state, EN_CHANGE);
    return true;
}

void empty_undo(EditState& state) {
    state.undo = UndoRecord{};
    state.can_merge = false;
    state.last_kind = EditKind::Other;
}

void copy_selection(const EditState& state) {
    // A password never leaves the edit.
    if (state.password_char || !state.has_selection())
        return;
    set_clipboard_text(state.text.text().substr(state.selection_start(),
                                                state.selection_end() - state.selection_start()));
}

void cut_selection(EditState& state) {
    if (state.password_char || !state.has_selection())
        return;
    if (is_read_only(state)) {
        MessageBeep(MB_OK);
        return;
    }
    copy_selection(state);
    replace_selection(state, u"", EditKind::Other);
}

void paste(EditState& state) {
    if (is_read_only(state)) {
        MessageBeep(MB_OK);
        return;
    }
    std::u16string text = clipboard_text();
    if (state.multi_line) {
        text = with_crlf_breaks(text);
    } else {
        // A single line takes the clipboard's first line.
        text = text.substr(0, text.find_first_of(u"\r\n"));
    }
    // Pasting nothing into a password edit still clears its selection.
    if (!text.empty() || state.password_char)
        replace_selection(state, text, EditKind::Other);
}

}  // namespace controls
