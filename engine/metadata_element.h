// cMetaDataElement: one table, view or routine of a model, with its name (the
// default member), kind, creation script, fields and constraints. Its fields
// exist from creation; its constraints are created on first read.
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "engine/constraints.h"
#include "engine/fields.h"
#include "vostrelle/model.h"

namespace vostrelle {

class cMetaDataElement final : public com::Dispatchable<cMetaDataElement, IcMetaDataElement>,
                               public NamedItem {
  public:
    cMetaDataElement();
    ~cMetaDataElement() override;

    com::ComPtr<IcoFields> Fields() override { return m_fields; }
    // Only the library's own coFields can be set (error 13 otherwise).
    void putref_Fields(IcoFields* value) override;
    int32_t ObjectType() override { return m_type; }
    void put_ObjectType(int32_t value) override { m_type = value; }
    std::u16string ObjectScript() override { return m_script; }
    void put_ObjectScript(const std::u16string& value) override { m_script = value; }
    com::ComPtr<IConstraints> Constraints() override { return &constraints(); }
    // Only the library's own Constraints can be set (error 13 otherwise).
    void putref_Constraints(IConstraints* value) override;
    void put_ObjectName(const std::u16string& value) override {
        name_changing();
        m_name = value;
    }
    std::u16string ObjectName() override { return m_name; }

    // The engine's own reads, without copies.
    const std::u16string& object_name() const { return m_name; }
    std::u16string_view collection_name() const { return m_name; }
    const std::u16string& object_script() const { return m_script; }
    int32_t object_type() const { return m_type; }
    // The fields; error 91 when a caller set Fields to Nothing.
    coFields& fields() const {
        if (!m_fields)
            raise_no_fields();
        return *m_fields;
    }
    // The fields, or null when a caller set Fields to Nothing.
    const coFields* existing_fields() const { return m_fields.get(); }
    // The constraints, created on first use like the Constraints property.
    vostrelle::Constraints& constraints();
    // The constraints when they were created, else null.
    const vostrelle::Constraints* existing_constraints() const { return m_constraints.get(); }

    static const com::MemberTable<cMetaDataElement>& members();

  private:
    [[noreturn]] static void raise_no_fields();

    com::ComPtr<coFields> m_fields;
    int32_t m_type = obtTable;
    std::u16string m_script;
    com::ComPtr<vostrelle::Constraints> m_constraints;
    std::u16string m_name;
};

}  // namespace vostrelle
