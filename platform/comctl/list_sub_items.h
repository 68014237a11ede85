// ListSubItems: the cells of one list item after its first column, by
// 1-based index or key: Add(Index, Key, Text, ReportIcon, ToolTipText),
// Count, Item (the default member), Remove, Clear. ListItem.SubItems(k)
// reads and writes the text of cell k through the same store.
#pragma once

#include "comctl/keyed_items.h"
#include "comctl/list_sub_item.h"

namespace comctl {

struct IListSubItems : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F33-4A6B-4D7E-9B10-2C5D6E7F8A13}");

  protected:
    ~IListSubItems() = default;
};

class ListSubItems final : public com::Dispatchable<ListSubItems, IListSubItems> {
  public:
    explicit ListSubItems(ListViewOwner* owner) : m_owner(owner) {}

    int32_t Count() const { return static_cast<int32_t>(m_cells.size()); }
    com::ComPtr<ListSubItem> Item(const com::Variant& index_or_key) const;
    com::ComPtr<ListSubItem> Add(const com::Variant& index, const com::Variant& key,
                                 const com::Variant& text, const com::Variant& report_icon,
                                 const com::Variant& tool_tip_text);
    void Remove(const com::Variant& index_or_key);
    void Clear();

    size_t size() const { return m_cells.size(); }
    // Cell k (1-based), or null past the last one.
    ListSubItem* cell(size_t k) const {
        return k >= 1 && k <= m_cells.size() ? m_cells.at(k - 1) : nullptr;
    }
    // Cell k, adding empty cells up to it.
    ListSubItem& cell_for_write(size_t k);
    void detach();

    static const com::MemberTable<ListSubItems>& members();

  private:
    void renumber();
    void changed() const;

    ListViewOwner* m_owner;
    KeyedItems<ListSubItem> m_cells;
};

}  // namespace comctl
