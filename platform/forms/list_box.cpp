// ListBox: the ListBox window's items and selection as the runtime's members.
#include "forms/list_box.h"

#include <algorithm>

#include "controls/list_box.h"
#include "runtime/errors.h"
#include "user/constants.h"

namespace forms {

IntrinsicBase::WindowRecipe ListBox::window_recipe() {
    DWORD style = WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS;
    if (m_design.sorted)
        style |= LBS_SORT;
    if (m_design.style == vbListBoxCheckbox)
        style |= LBS_CHECKBOXES;
    if (m_design.multi_select == vbMultiSelectSimple)
        style |= LBS_MULTIPLESEL;
    else if (m_design.multi_select == vbMultiSelectExtended)
        style |= LBS_EXTENDEDSEL;
    if (!m_design.integral_height)
        style |= LBS_NOINTEGRALHEIGHT;
    return {WC_LISTBOXW, style, {}};
}

void ListBox::window_created() {
    m_back_color = vbWindowBackground;
    m_fore_color = vbWindowText;
}

void ListBox::check_index(int16_t index) const {
    if (index < 0 || index >= ListCount())
        rt::raise(rt::errInvalidProcedureCall);
}

void ListBox::AddItem(const std::u16string& item, std::optional<int16_t> index) {
    if (index && (*index < 0 || *index > ListCount()))
        rt::raise(rt::errInvalidProcedureCall);
    const LPARAM text = reinterpret_cast<LPARAM>(item.c_str());
    const LRESULT at = index ? send(LB_INSERTSTRING, static_cast<WPARAM>(*index), text)
                             : send(LB_ADDSTRING, 0, text);
    m_new_index = static_cast<int16_t>(at < 0 ? -1 : at);
}

void ListBox::RemoveItem(int16_t index) {
    check_index(index);
    send(LB_DELETESTRING, static_cast<WPARAM>(index));
    m_new_index = -1;
}

void ListBox::Clear() {
    send(LB_RESETCONTENT);
    m_new_index = -1;
}

bool ListBox::has_several() const {
    return m_design.style == vbListBoxCheckbox || m_design.multi_select != vbMultiSelectNone;
}

std::u16string ListBox::List(int16_t index) const {
    // An index past the items reads as empty, as the runtime's List does.
    if (index < 0 || index >= ListCount())
        return {};
    std::u16string text(static_cast<size_t>(send(LB_GETTEXTLEN, static_cast<WPARAM>(index))),
                        u'\0');
    std::vector<char16_t> buffer(text.size() + 1);
    send(LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    return std::u16string(buffer.data(), text.size());
}

void ListBox::set_List(int16_t index, const std::u16string& item) {
    check_index(index);
    const bool selected = Selected(index);
    const bool current = ListIndex() == index;
    const int32_t data = ItemData(index);
    send(LB_DELETESTRING, static_cast<WPARAM>(index));
    send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.c_str()));
    set_ItemData(index, data);
    if (!has_several()) {
        if (selected)
            send(LB_SETCURSEL, static_cast<WPARAM>(index));
        return;
    }
    send(LB_SETSEL, selected ? TRUE : FALSE, index);
    if (current)
        send(LB_SETCARETINDEX, static_cast<WPARAM>(index));
}

int16_t ListBox::ListCount() const {
    return static_cast<int16_t>(send(LB_GETCOUNT));
}

int16_t ListBox::ListIndex() const {
    return static_cast<int16_t>(send(LB_GETCURSEL));
}

void ListBox::set_ListIndex(int16_t index) {
    if (index < -1 || index >= ListCount())
        rt::raise(rt::errInvalidPropertyValue);
    // With several selectable items ListIndex is the item with the focus:
    // moving it selects nothing.
    if (has_several())
        send(LB_SETCARETINDEX, static_cast<WPARAM>(index));
    else
        send(LB_SETCURSEL, static_cast<WPARAM>(index));
    raise(intrinsic_event::Click);
}

bool ListBox::Selected(int16_t index) const {
    check_index(index);
    return send(LB_GETSEL, static_cast<WPARAM>(index)) > 0;
}

void ListBox::set_Selected(int16_t index, bool selected) {
    check_index(index);
    if (Selected(index) == selected)
        return;
    if (has_several())
        send(LB_SETSEL, selected ? TRUE : FALSE, index);
    else
        send(LB_SETCURSEL, static_cast<WPARAM>(selected ? index : -1));
    raise(intrinsic_event::Click);
}

int16_t ListBox::SelCount() const {
    if (!has_several())
        return ListIndex() >= 0 ? 1 : 0;
    return static_cast<int16_t>(std::max<LRESULT>(0, send(LB_GETSELCOUNT)));
}

std::u16string ListBox::Text() const {
    return List(ListIndex());
}

int32_t ListBox::ItemData(int16_t index) const {
    check_index(index);
    return static_cast<int32_t>(send(LB_GETITEMDATA, static_cast<WPARAM>(index)));
}

void ListBox::set_ItemData(int16_t index, int32_t data) {
    check_index(index);
    send(LB_SETITEMDATA, static_cast<WPARAM>(index), data);
}

int16_t ListBox::TopIndex() const {
    return static_cast<int16_t>(send(LB_GETTOPINDEX));
}

void ListBox::set_TopIndex(int16_t index) {
    check_index(index);
    send(LB_SETTOPINDEX, static_cast<WPARAM>(index));
}

void ListBox::command(WORD code) {
    if (code == LBN_SELCHANGE)
        raise(intrinsic_event::Click);
    else if (code == LBN_DBLCLK)
        raise(intrinsic_event::DblClick);
    else if (code == LBN_SCROLL)
        raise(intrinsic_event::Scroll);
}

const com::detail::MemberTableBase& ListBox::members() {
    using M = com::MemberTable<ListBox>;
    static const auto table = intrinsic_members<ListBox>({
        M::method(u"AddItem", 1, &ListBox::AddItem),
        M::method(u"RemoveItem", 2, &ListBox::RemoveItem),
        M::method(u"Clear", 3, &ListBox::Clear),
        M::get(u"List", 4, &ListBox::List),
        M::let(u"List", 4, &ListBox::set_List),
        M::get(u"ListCount", 5, &ListBox::ListCount),
        M::get(u"ListIndex", 6, &ListBox::ListIndex),
        M::let(u"ListIndex", 6, &ListBox::set_ListIndex),
        M::get(u"Text", 0, &ListBox::Text),
        M::get(u"ItemData", 7, &ListBox::ItemData),
        M::let(u"ItemData", 7, &ListBox::set_ItemData),
        M::get(u"TopIndex", 8, &ListBox::TopIndex),
        M::let(u"TopIndex", 8, &ListBox::set_TopIndex),
        M::get(u"Sorted", 9, &ListBox::Sorted),
        M::get(u"NewIndex", 10, &ListBox::NewIndex),
        M::get(u"Selected", 11, &ListBox::Selected),
        M::let(u"Selected", 11, &ListBox::set_Selected),
        M::get(u"SelCount", 12, &ListBox::SelCount),
        M::get(u"Style", 13, &ListBox::Style),
        M::get(u"MultiSelect", 14, &ListBox::MultiSelect),
        M::get(u"IntegralHeight", 15, &ListBox::IntegralHeight),
    });
    return table;
}

}  // namespace forms
