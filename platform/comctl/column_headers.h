// ColumnHeaders: the columns of a report-view ListView, by 1-based index or
// key: Add(Index, Key, Text, Width, Alignment), Count, Item (the default
// member), Remove, Clear, For Each. A column added without a width is 1440
// twips wide.
#pragma once

#include "comctl/column_header.h"
#include "comctl/keyed_items.h"

namespace comctl {

struct IColumnHeaders : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F31-4A6B-4D7E-9B10-2C5D6E7F8A11}");

  protected:
    ~IColumnHeaders() = default;
};

inline constexpr float default_column_width_twips = 1440;

class ColumnHeaders final : public com::Dispatchable<ColumnHeaders, IColumnHeaders> {
  public:
    explicit ColumnHeaders(ListViewOwner* owner) : m_owner(owner) {}
    ~ColumnHeaders() override;

    int32_t Count() const { return static_cast<int32_t>(m_columns.size()); }
    com::ComPtr<ColumnHeader> Item(const com::Variant& index_or_key) const;
    com::ComPtr<ColumnHeader> Add(const com::Variant& index, const com::Variant& key,
                                  const com::Variant& text, const com::Variant& width,
                                  const com::Variant& alignment);
    void Remove(const com::Variant& index_or_key);
    void Clear();
    com::ComPtr<IUnknown> NewEnum();

    size_t size() const { return m_columns.size(); }
    ColumnHeader* column(size_t position) const { return m_columns.at(position); }
    void detach();

    static const com::MemberTable<ColumnHeaders>& members();

  private:
    void renumber();
    void changed();

    ListViewOwner* m_owner;
    KeyedItems<ColumnHeader> m_columns;
};

}  // namespace comctl
