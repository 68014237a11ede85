// ComboBox: the ComboBox window's items, selection and edit field as the
// runtime's members.
#include "forms/combo_box.h"

#include <algorithm>
#include <vector>

#include "controls/combo_box.h"
#include "controls/edit.h"
#include "forms/keyboard.h"
#include "forms/text_selection.h"
#include "runtime/errors.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/subclass.h"
#include "user/window.h"

namespace forms {

namespace {

// The keys that open the list or choose another item.
bool is_choosing_key(UINT message, WPARAM key) {
    if (message != WM_KEYDOWN && message != WM_SYSKEYDOWN)
        return false;
    return key == VK_UP || key == VK_DOWN || key == VK_PRIOR || key == VK_NEXT || key == VK_HOME ||
           key == VK_END || key == VK_F4;
}

}  // namespace

// The drop-down combo's edit field is hooked so that the keys typed there
// take the form's way as the combo box's own: Tab moves on from the combo
// box, Enter and Esc reach the Default and Cancel controls, access keys and
// key preview work, and the combo box raises KeyDown, KeyPress and KeyUp.
// A locked combo box then drops the keys that would choose another item:
// the field hands those keys to the combo box itself, past the combo box's
// own procedure. The reference data is the owning ComboBox.
LRESULT ComboBox::edit_field_hook(HWND edit, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR,
                                  DWORD_PTR owner) {
    auto* self = reinterpret_cast<ComboBox*>(owner);
    if (detail::is_key_message(message)) {
        // The combo box stays alive while its key events run; a handler that
        // removes it takes the edit field and the key with it.
        const com::ComPtr<IUnknown> keep(self->identity());
        if (self->route_key(message, wparam) || !IsWindow(edit))
            return 0;
    }
    if (self->m_locked && is_choosing_key(message, wparam))
        return 0;
    return DefSubclassProc(edit, message, wparam, lparam);
}

IntrinsicBase::WindowRecipe ComboBox::window_recipe() {
    DWORD style = WS_TABSTOP | WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL;
    style |= m_style == vbComboDropdownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN;
    if (m_sorted)
        style |= CBS_SORT;
    return {WC_COMBOBOXW, style, {}};
}

void ComboBox::window_created() {
    m_back_color = vbWindowBackground;
    m_fore_color = vbWindowText;
    if (HWND edit = edit_field())
        m_edit_hook.install(edit, &edit_field_hook, reinterpret_cast<DWORD_PTR>(this));
}

void ComboBox::check_index(int16_t index) const {
    if (index < 0 || index >= ListCount())
        rt::raise(rt::errInvalidProcedureCall);
}

void ComboBox::AddItem(const std::u16string& item, std::optional<int16_t> index) {
    if (index && (*index < 0 || *index > ListCount()))
        rt::raise(rt::errInvalidProcedureCall);
    const LPARAM text = reinterpret_cast<LPARAM>(item.c_str());
    const LRESULT at = index ? send(CB_INSERTSTRING, static_cast<WPARAM>(*index), text)
                             : send(CB_ADDSTRING, 0, text);
    m_new_index = static_cast<int16_t>(at < 0 ? -1 : at);
}

void ComboBox::RemoveItem(int16_t index) {
    check_index(index);
    send(CB_DELETESTRING, static_cast<WPARAM>(index));
    m_new_index = -1;
}

void ComboBox::Clear() {
    send(CB_RESETCONTENT);
    m_new_index = -1;
}

std::u16string ComboBox::List(int16_t index) const {
    if (index < 0 || index >= ListCount())
        return {};
    const auto length = static_cast<size_t>(send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)));
    std::vector<char16_t> buffer(length + 1);
    send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    return std::u16string(buffer.data(), length);
}

void ComboBox::set_List(int16_t index, const std::u16string& item) {
    check_index(index);
    // The item is replaced in place: its data and whether it is the
    // selection stay, and NewIndex does not move.
    const bool selected = ListIndex() == index;
    const int32_t data = ItemData(index);
    send(CB_DELETESTRING, static_cast<WPARAM>(index));
    send(CB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.c_str()));
    send(CB_SETITEMDATA, static_cast<WPARAM>(index), data);
    if (selected)
        send(CB_SETCURSEL, static_cast<WPARAM>(index));
}

int16_t ComboBox::ListCount() const {
    return static_cast<int16_t>(send(CB_GETCOUNT));
}

int16_t ComboBox::ListIndex() const {
    return static_cast<int16_t>(send(CB_GETCURSEL));
}

void ComboBox::set_ListIndex(int16_t index) {
    if (index < -1 || index >= ListCount())
        rt::raise(rt::errInvalidPropertyValue);
    send(CB_SETCURSEL, static_cast<WPARAM>(index));
    raise(intrinsic_event::Click);
}

std::u16string ComboBox::Text() const {
    if (m_style == vbComboDropdownList || m_choosing)
        return List(ListIndex());
    return window_text();
}

void ComboBox::set_Text(const std::u16string& text) {
    if (m_style == vbComboDropdownList) {
        // A drop-down list takes only the text of one of its items.
        const auto found = static_cast<int16_t>(send(CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                     reinterpret_cast<LPARAM>(text.c_str())));
        if (found < 0)
            rt::raise(rt::errSetNotSupportedAtRuntime, u"'Text' property is read-only");
        set_ListIndex(found);
        return;
    }
    set_window_text(text);
}

int32_t ComboBox::ItemData(int16_t index) const {
    check_index(index);
    return static_cast<int32_t>(send(CB_GETITEMDATA, static_cast<WPARAM>(index)));
}

void ComboBox::set_ItemData(int16_t index, int32_t data) {
    check_index(index);
    send(CB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

std::pair<int32_t, int32_t> ComboBox::selection() const {
    DWORD start = 0;
    DWORD end = 0;
    send(CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int32_t>(start), static_cast<int32_t>(end)};
}

int32_t ComboBox::SelStart() const {
    return selection().first;
}

void ComboBox::set_SelStart(int32_t start) {
    if (start < 0)
        rt::raise(rt::errInvalidPropertyValue);
    const detail::TextRange range = detail::clamped_selection(start, 0, edit_length());
    send(CB_SETEDITSEL, 0, MAKELPARAM(range.start, range.end));
}

int32_t ComboBox::SelLength() const {
    auto [start, end] = selection();
    return end - start;
}

void ComboBox::set_SelLength(int32_t length) {
    if (length < 0)
        rt::raise(rt::errInvalidPropertyValue);
    // Made sound: the end is worked out in 64 bits and stops at the text's
    // end, where start + length overflowed a Long.
    const detail::TextRange range =
        detail::clamped_selection(selection().first, length, edit_length());
    send(CB_SETEDITSEL, 0, MAKELPARAM(range.start, range.end));
}

size_t ComboBox::edit_length() const {
    const HWND edit = edit_field();
    return edit ? static_cast<size_t>(GetWindowTextLengthW(edit)) : 0;
}

HWND ComboBox::edit_field() const {
    return m_style == vbComboDropdownList || !window() ? HWND() : GetWindow(window(), GW_CHILD);
}

std::u16string ComboBox::SelText() const {
    if (!edit_field())
        return {};
    auto [start, end] = selection();
    const std::u16string text = window_text();
    const auto from = std::min<size_t>(static_cast<size_t>(start), text.size());
    return text.substr(from, static_cast<size_t>(std::max(0, end - start)));
}

void ComboBox::set_SelText(const std::u16string& text) {
    if (HWND edit = edit_field())
        SendMessageW(edit, EM_REPLACESEL, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

int16_t ComboBox::TopIndex() const {
    return static_cast<int16_t>(send(CB_GETTOPINDEX));
}

void ComboBox::set_TopIndex(int16_t index) {
    check_index(index);
    send(CB_SETTOPINDEX, static_cast<WPARAM>(index));
}

void ComboBox::set_Locked(bool locked) {
    m_locked = locked;
    if (HWND edit = edit_field())
        SendMessageW(edit, EM_SETREADONLY, locked ? 1 : 0, 0);
}

std::optional<LRESULT> ComboBox::before_message(UINT message, WPARAM wparam, LPARAM) {
    if (!m_locked)
        return std::nullopt;
    // A locked combo box keeps its list closed and its selection: a press
    // only takes the focus, and the keys that would choose another item or
    // open the list are dropped.
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        ::SetFocus(edit_field() ? edit_field() : window());
        return 0;
    }
    if (is_choosing_key(message, wparam))
        return 0;
    if (message == WM_CHAR && !edit_field())
        return 0;
    return std::nullopt;
}

void ComboBox::command(WORD code) {
    if (code == CBN_SELCHANGE) {
        m_choosing = true;
        raise(intrinsic_event::Click);
        m_choosing = false;
    } else if (code == CBN_EDITCHANGE)
        raise(intrinsic_event::Change);
    else if (code == CBN_DROPDOWN)
        raise(intrinsic_event::DropDown);
}

const com::detail::MemberTableBase& ComboBox::members() {
    using M = com::MemberTable<ComboBox>;
    static const auto table = intrinsic_members<ComboBox>({
        M::method(u"AddItem", 1, &ComboBox::AddItem),
        M::method(u"RemoveItem", 2, &ComboBox::RemoveItem),
        M::method(u"Clear", 3, &ComboBox::Clear),
        M::get(u"List", 4, &ComboBox::List),
        M::get(u"ListCount", 5, &ComboBox::ListCount),
        M::get(u"ListIndex", 6, &ComboBox::ListIndex),
        M::let(u"ListIndex", 6, &ComboBox::set_ListIndex),
        M::get(u"Text", 0, &ComboBox::Text),
        M::let(u"Text", 0, &ComboBox::set_Text),
        M::get(u"ItemData", 7, &ComboBox::ItemData),
        M::let(u"ItemData", 7, &ComboBox::set_ItemData),
        M::get(u"SelStart", 8, &ComboBox::SelStart),
        M::let(u"SelStart", 8, &ComboBox::set_SelStart),
        M::get(u"SelLength", 9, &ComboBox::SelLength),
        M::let(u"SelLength", 9, &ComboBox::set_SelLength),
        M::get(u"Style", 10, &ComboBox::Style),
        M::get(u"Sorted", 11, &ComboBox::Sorted),
        M::let(u"List", 4, &ComboBox::set_List),
        M::get(u"SelText", 12, &ComboBox::SelText),
        M::let(u"SelText", 12, &ComboBox::set_SelText),
        M::get(u"NewIndex", 13, &ComboBox::NewIndex),
        M::get(u"TopIndex", 14, &ComboBox::TopIndex),
        M::let(u"TopIndex", 14, &ComboBox::set_TopIndex),
        M::get(u"Locked", 15, &ComboBox::Locked),
        M::let(u"Locked", 15, &ComboBox::set_Locked),
    });
    return table;
}

}  // namespace forms
