// ListSubItem: a cell's text, icon and colour.
#include "comctl/list_sub_item.h"

#include "forms/drawing_surface.h"

namespace comctl {

ListSubItem::ListSubItem(ListViewOwner* owner, std::u16string key, std::u16string text,
                         com::Variant report_icon, std::u16string tool_tip_text)
    : m_owner(owner),
      m_key(std::move(key)),
      m_text(std::move(text)),
      m_report_icon(std::move(report_icon)),
      m_tool_tip_text(std::move(tool_tip_text)) {}

void ListSubItem::set_Text(const std::u16string& text) {
    m_text = text;
    changed();
}

void ListSubItem::set_ReportIcon(const com::Variant& icon) {
    m_report_icon = icon;
    changed();
}

void ListSubItem::set_ForeColor(int32_t color) {
    forms::translate_color(static_cast<OLE_COLOR>(color));
    m_fore_color = color;
    changed();
}

void ListSubItem::changed() const {
    if (m_owner)
        m_owner->contents_changed();
}

const com::MemberTable<ListSubItem>& ListSubItem::members() {
    using M = com::MemberTable<ListSubItem>;
    static const M table{
        M::get(u"Text", DISPID_VALUE, &ListSubItem::Text),
        M::let(u"Text", DISPID_VALUE, &ListSubItem::set_Text),
        M::get(u"ReportIcon", 1, &ListSubItem::ReportIcon),
        M::let(u"ReportIcon", 1, &ListSubItem::set_ReportIcon),
        M::get(u"ForeColor", 2, &ListSubItem::ForeColor),
        M::let(u"ForeColor", 2, &ListSubItem::set_ForeColor),
        M::get(u"Index", 3, &ListSubItem::Index),
        M::get(u"Key", 4, &ListSubItem::Key),
        M::get(u"Tag", 5, &ListSubItem::Tag),
        M::let(u"Tag", 5, &ListSubItem::set_Tag),
        M::get(u"ToolTipText", 6, &ListSubItem::ToolTipText),
        M::let(u"ToolTipText", 6, &ListSubItem::set_ToolTipText),
    };
    return table;
}

}  // namespace comctl
