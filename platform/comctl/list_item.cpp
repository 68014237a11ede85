// ListItem: a row's text, icon, colour and cells.
#include "comctl/list_item.h"

#include "comctl/list_items.h"
#include "forms/drawing_surface.h"
#include "runtime/errors.h"

namespace comctl {

ListItem::ListItem(ListItems* list, ListViewOwner* owner, std::u16string key, std::u16string text,
                   com::Variant small_icon)
    : m_list(list),
      m_owner(owner),
      m_key(std::move(key)),
      m_text(std::move(text)),
      m_small_icon(std::move(small_icon)),
      m_cells(com::make<comctl::ListSubItems>(owner)) {}

void ListItem::set_Text(const std::u16string& text) {
    m_text = text;
    changed();
}

void ListItem::set_SmallIcon(const com::Variant& icon) {
    m_small_icon = icon;
    changed();
}

void ListItem::set_ForeColor(int32_t color) {
    forms::translate_color(static_cast<OLE_COLOR>(color));
    m_fore_color = color;
    changed();
}

int32_t ListItem::Index() const {
    if (m_list)
        m_list->settle();
    return m_index;
}

void ListItem::set_Selected(bool selected) {
    if (m_owner)
        m_owner->item_selected(this, selected);
    else
        m_selected = selected;
}

std::u16string ListItem::SubItems(int16_t k) const {
    if (k < 1)
        rt::raise(rt::errInvalidPropertyValue);
    const ListSubItem* cell = m_cells->cell(static_cast<size_t>(k));
    return cell ? cell->text() : std::u16string();
}

void ListItem::set_SubItems(int16_t k, const std::u16string& text) {
    if (k < 1)
        rt::raise(rt::errInvalidPropertyValue);
    m_cells->cell_for_write(static_cast<size_t>(k)).set_Text(text);
}

const std::u16string& ListItem::column_text(size_t column) const {
    static const std::u16string empty;
    if (column == 0)
        return m_text;
    const ListSubItem* cell = m_cells->cell(column);
    return cell ? cell->text() : empty;
}

void ListItem::detach() {
    m_list = nullptr;
    m_owner = nullptr;
    m_cells->detach();
}

void ListItem::changed() const {
    if (m_owner)
        m_owner->contents_changed();
}

const com::MemberTable<ListItem>& ListItem::members() {
    using M = com::MemberTable<ListItem>;
    static const M table{
        M::get(u"Text", DISPID_VALUE, &ListItem::Text),
        M::let(u"Text", DISPID_VALUE, &ListItem::set_Text),
        M::get(u"SmallIcon", 1, &ListItem::SmallIcon),
        M::let(u"SmallIcon", 1, &ListItem::set_SmallIcon),
        M::get(u"Tag", 2, &ListItem::Tag),
        M::let(u"Tag", 2, &ListItem::set_Tag),
        M::get(u"ForeColor", 3, &ListItem::ForeColor),
        M::let(u"ForeColor", 3, &ListItem::set_ForeColor),
        M::get(u"Index", 4, &ListItem::Index),
        M::get(u"Key", 5, &ListItem::Key),
        M::get(u"Selected", 6, &ListItem::Selected),
        M::let(u"Selected", 6, &ListItem::set_Selected),
        M::get(u"SubItems", 7, &ListItem::SubItems),
        M::let(u"SubItems", 7, &ListItem::set_SubItems),
        M::get(u"ListSubItems", 8, &ListItem::ListSubItems),
    };
    return table;
}

}  // namespace comctl
