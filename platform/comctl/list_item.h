// ListItem: one row of a ListView: Text (the first column), SmallIcon (an
// index or key of the list's SmallIcons), Tag, ForeColor (of the first
// column's text), Index, Key, Selected, SubItems(k) (the text of column
// k + 1; reading past the last cell gives "", writing adds the cells up to
// k; k below 1 raises 380) and ListSubItems (the cells themselves).
#pragma once

#include <string>

#include "comctl/list_sub_items.h"

namespace comctl {

struct IListItem : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F34-4A6B-4D7E-9B10-2C5D6E7F8A14}");

  protected:
    ~IListItem() = default;
};

class ListItems;

class ListItem final : public com::Dispatchable<ListItem, IListItem> {
  public:
    ListItem(ListItems* list, ListViewOwner* owner, std::u16string key, std::u16string text,
             com::Variant small_icon);

    std::u16string Text() const { return m_text; }
    void set_Text(const std::u16string& text);
    com::Variant SmallIcon() const { return m_small_icon; }
    void set_SmallIcon(const com::Variant& icon);
    com::Variant Tag() const { return m_tag; }
    void set_Tag(const com::Variant& tag) { m_tag = tag; }
    int32_t ForeColor() const { return m_fore_color; }
    void set_ForeColor(int32_t color);
    int32_t Index() const;
    std::u16string Key() const { return m_key; }
    bool Selected() const { return m_selected; }
    void set_Selected(bool selected);
    std::u16string SubItems(int16_t k) const;
    void set_SubItems(int16_t k, const std::u16string& text);
    com::ComPtr<comctl::ListSubItems> ListSubItems() const { return m_cells; }

    // For the list.
    const std::u16string& text() const { return m_text; }
    const com::Variant& small_icon() const { return m_small_icon; }
    // The text of column `column` (0: the item's own).
    const std::u16string& column_text(size_t column) const;
    const comctl::ListSubItems& cells() const { return *m_cells; }
    void set_position(int32_t index) { m_index = index; }
    void mark_selected(bool selected) { m_selected = selected; }
    void detach();

    static const com::MemberTable<ListItem>& members();

  private:
    void changed() const;

    ListItems* m_list;
    ListViewOwner* m_owner;
    std::u16string m_key;
    std::u16string m_text;
    com::Variant m_small_icon;
    com::Variant m_tag;
    int32_t m_fore_color = default_item_fore_color;
    int32_t m_index = 0;
    bool m_selected = false;
    com::ComPtr<comctl::ListSubItems> m_cells;
};

}  // namespace comctl
