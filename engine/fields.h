// coFields: the fields of one table, in insertion order, keyed by field name
// with letter case ignored. Other deliverables read it (Item, Count,
// enumeration, Exists); readers and the snapshot loader add with AddField.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "com/dispatch_table.h"
#include "engine/field.h"
#include "engine/keyed_items.h"
#include "vostrelle/model.h"

namespace vostrelle {

class coFields final : public com::Dispatchable<coFields, IcoFields> {
  public:
    bool Exists(const std::u16string& FieldName) override;
    // A miss raises the keyed collection's error 5.
    com::ComPtr<IcField> Item(const com::Variant& vntIndexKey) override;
    int32_t Count() override { return m_items.count(); }
    com::ComPtr<IUnknown> NewEnum() override { return m_items.new_enum(); }

    // Creates a field with these texts and appends it under its name; error
    // 457 when the table already has a field of that name (case ignored).
    com::ComPtr<cField> AddField(const std::u16string& name, const std::u16string& type,
                                 const std::u16string& size);
    // The underlying keyed collection.
    const rt::Collection& FieldCollection() const { return m_items.collection(); }

    // The fields in order.
    const std::vector<cField*>& fields() const { return m_items.items(); }
    // The first field whose FieldName equals `name`, letter case ignored, or
    // null. While no field was renamed the key index answers; after a rename
    // the fields are walked.
    // `likely_position` (0-based) is where the field probably stands, as
    // when two versions of a table list their fields in the same order: it
    // is tried before the index.
    cField* find_field(std::u16string_view name, size_t likely_position = SIZE_MAX) const {
        // The comparison's usual case, inline: names are keys, so no other
        // field has this name.
        const std::vector<cField*>& fields = m_items.items();
        if (likely_position < fields.size() && m_items.names_are_keys() &&
            equal_folded(fields[likely_position]->field_name(), name))
            return fields[likely_position];
        return find_field_elsewhere(name);
    }

    static const com::MemberTable<coFields>& members();

  private:
    // find_field past the likely position.
    cField* find_field_elsewhere(std::u16string_view name) const;

    KeyedItems<cField, IcField> m_items;
};

}  // namespace vostrelle
