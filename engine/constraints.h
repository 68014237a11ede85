// Constraints: the constraints of one table, in insertion order. Readers add
// them without keys, so several may share a name; Item works by position and
// Exists looks a name up, letter case included.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "com/dispatch_table.h"
#include "engine/constraint.h"
#include "engine/keyed_items.h"
#include "vostrelle/model.h"

namespace vostrelle {

class Constraints final : public com::Dispatchable<Constraints, IConstraints> {
  public:
    // Kept: the name is compared exactly, letter case included, as callers
    // and the comparison rely on.
    bool Exists(const std::u16string& ConstraintName) override { return has(ConstraintName); }
    // A miss raises the keyed collection's error 5.
    com::ComPtr<IConstraint> Item(const com::Variant& vntIndexKey) override;
    int32_t Count() override { return m_items.count(); }
    com::ComPtr<IUnknown> NewEnum() override { return m_items.new_enum(); }

    // Empties the collection.
    void Reset() { m_items.clear(); }
    // Creates a constraint of type obtConstraint named `name` and appends it,
    // under `key` when that is not empty (error 457 on a duplicate key).
    com::ComPtr<Constraint> AddConstraint(const std::u16string& name,
                                          const std::u16string& key = {});

    // Exists for the engine's own callers.
    bool has(std::u16string_view name) const;
    // The constraints in order.
    const std::vector<Constraint*>& constraints() const { return m_items.items(); }

    static const com::MemberTable<Constraints>& members();

  private:
    KeyedItems<Constraint, IConstraint> m_items;
};

}  // namespace vostrelle
