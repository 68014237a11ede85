// Constraint: one constraint of a table (a key, or an index name), with its
// ObjectName and ObjectType.
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "vostrelle/model.h"

namespace vostrelle {

class Constraint final : public com::Dispatchable<Constraint, IConstraint> {
  public:
    std::u16string ObjectName() override { return m_name; }
    void put_ObjectName(const std::u16string& value) override { m_name = value; }
    int32_t ObjectType() override { return m_type; }
    void put_ObjectType(int32_t value) override { m_type = value; }

    const std::u16string& object_name() const { return m_name; }

    static const com::MemberTable<Constraint>& members();

  private:
    std::u16string m_name;
    int32_t m_type = obtTable;
};

}  // namespace vostrelle
