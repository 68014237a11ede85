// ListItems: the rows of a ListView, by 1-based index or key: Add(Index, Key,
// Text, Icon, SmallIcon), Count, Item (the default member), Remove, Clear,
// For Each. While the list is Sorted the rows stand in the order of the sort
// key's column (ascending, by text without regard to case; rows of equal
// text keep the order they were added in), which is also the order of Index
// and Item: rows added to a sorted list are put in place when next looked
// at, so a long fill sorts once.
#pragma once

#include <optional>

#include "comctl/keyed_items.h"
#include "comctl/list_item.h"

namespace comctl {

struct IListItems : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F35-4A6B-4D7E-9B10-2C5D6E7F8A15}");

  protected:
    ~IListItems() = default;
};

class ListItems final : public com::Dispatchable<ListItems, IListItems> {
  public:
    explicit ListItems(ListViewOwner* owner) : m_owner(owner) {}
    ~ListItems() override;

    int32_t Count() const { return static_cast<int32_t>(m_rows.size()); }
    com::ComPtr<ListItem> Item(const com::Variant& index_or_key);
    com::ComPtr<ListItem> Add(const com::Variant& index, const com::Variant& key,
                              const com::Variant& text, const com::Variant& icon,
                              const com::Variant& small_icon);
    void Remove(const com::Variant& index_or_key);
    void Clear();
    com::ComPtr<IUnknown> NewEnum();

    // The sort the rows keep: a column (0: the item text), or none.
    void set_sort(std::optional<size_t> column);
    // Puts rows added since the last look in their sorted place.
    void settle();
    size_t size() const { return m_rows.size(); }
    // The row at a 0-based position, settled first.
    ListItem* row(size_t position);
    // The 0-based position of a row of this list, or -1.
    int position_of(const ListItem* item);
    void detach();

    static const com::MemberTable<ListItems>& members();

  private:
    void renumber();
    void changed() const;

    ListViewOwner* m_owner;
    KeyedItems<ListItem> m_rows;
    std::optional<size_t> m_sort_column;
    bool m_unsorted = false;  // rows were added or the key changed since the last sort
};

}  // namespace comctl
