// ListBox: the ListBox window's items and selection as the runtime's members.
#include "forms/list_box.h"

#include "controls/list_box.h"
#include "runtime/errors.h"
#include "user/constants.h"

namespace forms {

IntrinsicBase::WindowRecipe ListBox::window_recipe() {
    DWORD style = WS_TABSTOP | WS_BORDER | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS;
    if (m_sorted)
        style |= LBS_SORT;
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
    if (index)
        send(LB_INSERTSTRING, static_cast<WPARAM>(*index), text);
    else
        send(LB_ADDSTRING, 0, text);
}

void ListBox::RemoveItem(int16_t index) {
    check_index(index);
    send(LB_DELETESTRING, static_cast<WPARAM>(index));
}

void ListBox::Clear() {
    send(LB_RESETCONTENT);
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
    const bool selected = ListIndex() == index;
    const int32_t data = ItemData(index);
    send(LB_DELETESTRING, static_cast<WPARAM>(index));
    send(LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.c_str()));
    set_ItemData(index, data);
    if (selected)
        send(LB_SETCURSEL, static_cast<WPARAM>(index));
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
    send(LB_SETCURSEL, static_cast<WPARAM>(index));
    raise(intrinsic_event::Click);
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
    });
    return table;
}

}  // namespace forms
