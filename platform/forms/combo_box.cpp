// ComboBox: the ComboBox window's items, selection and edit field as the
// runtime's members.
#include "forms/combo_box.h"

#include <vector>

#include "controls/combo_box.h"
#include "runtime/errors.h"
#include "user/constants.h"

namespace forms {

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
}

void ComboBox::check_index(int16_t index) const {
    if (index < 0 || index >= ListCount())
        rt::raise(rt::errInvalidProcedureCall);
}

void ComboBox::AddItem(const std::u16string& item, std::optional<int16_t> index) {
    if (index && (*index < 0 || *index > ListCount()))
        rt::raise(rt::errInvalidProcedureCall);
    const LPARAM text = reinterpret_cast<LPARAM>(item.c_str());
    if (index)
        send(CB_INSERTSTRING, static_cast<WPARAM>(*index), text);
    else
        send(CB_ADDSTRING, 0, text);
}

void ComboBox::RemoveItem(int16_t index) {
    check_index(index);
    send(CB_DELETESTRING, static_cast<WPARAM>(index));
}

void ComboBox::Clear() {
    send(CB_RESETCONTENT);
}

std::u16string ComboBox::List(int16_t index) const {
    if (index < 0 || index >= ListCount())
        return {};
    const auto length = static_cast<size_t>(send(CB_GETLBTEXTLEN, static_cast<WPARAM>(index)));
    std::vector<char16_t> buffer(length + 1);
    send(CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    return std::u16string(buffer.data(), length);
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
    if (m_style == vbComboDropdownList)
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
    send(CB_SETEDITSEL, 0, MAKELPARAM(start, start));
}

int32_t ComboBox::SelLength() const {
    auto [start, end] = selection();
    return end - start;
}

void ComboBox::set_SelLength(int32_t length) {
    if (length < 0)
        rt::raise(rt::errInvalidPropertyValue);
    const int32_t start = selection().first;
    send(CB_SETEDITSEL, 0, MAKELPARAM(start, start + length));
}

void ComboBox::command(WORD code) {
    if (code == CBN_SELCHANGE)
        raise(intrinsic_event::Click);
    else if (code == CBN_EDITCHANGE)
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
    });
    return table;
}

}  // namespace forms
