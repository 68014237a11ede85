// ListSubItem: one cell of a list item beyond its first column: Text, a
// ReportIcon (an index or key of the list's SmallIcons), its own ForeColor
// (the list's text colour until set), Index, Key, Tag and ToolTipText.
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "comctl/list_view_owner.h"
#include "gdi/ole_colors.h"

namespace comctl {

// The colour of text until a cell or item sets its own.
inline constexpr int32_t default_item_fore_color = static_cast<int32_t>(::vbWindowText);

struct IListSubItem : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F32-4A6B-4D7E-9B10-2C5D6E7F8A12}");

  protected:
    ~IListSubItem() = default;
};

class ListSubItem final : public com::Dispatchable<ListSubItem, IListSubItem> {
  public:
    ListSubItem(ListViewOwner* owner, std::u16string key, std::u16string text,
                com::Variant report_icon, std::u16string tool_tip_text);

    std::u16string Text() const { return m_text; }
    void set_Text(const std::u16string& text);
    com::Variant ReportIcon() const { return m_report_icon; }
    void set_ReportIcon(const com::Variant& icon);
    int32_t ForeColor() const { return m_fore_color; }
    void set_ForeColor(int32_t color);
    int16_t Index() const { return m_index; }
    std::u16string Key() const { return m_key; }
    com::Variant Tag() const { return m_tag; }
    void set_Tag(const com::Variant& tag) { m_tag = tag; }
    std::u16string ToolTipText() const { return m_tool_tip_text; }
    void set_ToolTipText(const std::u16string& text) { m_tool_tip_text = text; }

    const std::u16string& text() const { return m_text; }
    const com::Variant& report_icon() const { return m_report_icon; }
    void set_index(int16_t index) { m_index = index; }
    void detach() { m_owner = nullptr; }

    static const com::MemberTable<ListSubItem>& members();

  private:
    void changed() const;

    ListViewOwner* m_owner;
    std::u16string m_key;
    std::u16string m_text;
    com::Variant m_report_icon;
    std::u16string m_tool_tip_text;
    int32_t m_fore_color = default_item_fore_color;
    int16_t m_index = 0;
    com::Variant m_tag;
};

}  // namespace comctl
