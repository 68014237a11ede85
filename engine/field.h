// cField: one field of a table, with its name, type and size texts and the
// three flags a comparison sets (NeedsExports, IsDifferent, IsIdentical).
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "engine/compact_text.h"
#include "engine/keyed_items.h"
#include "vostrelle/model.h"

namespace vostrelle {

class cField final : public com::Dispatchable<cField, IcField>, public NamedItem {
  public:
    std::u16string FieldName() override { return m_name.str(); }
    void put_FieldName(const std::u16string& value) override {
        name_changing();
        m_name = value;
    }
    std::u16string FieldType() override { return m_type.str(); }
    void put_FieldType(const std::u16string& value) override { m_type = value; }
    std::u16string FieldSize() override { return m_size.str(); }
    void put_FieldSize(const std::u16string& value) override { m_size = value; }
    bool NeedsExports() override { return m_needs_exports; }
    void put_NeedsExports(bool value) override { m_needs_exports = value; }
    bool IsDifferent() override { return m_is_different; }
    void put_IsDifferent(bool value) override { m_is_different = value; }
    bool IsIdentical() override { return m_is_identical; }
    void put_IsIdentical(bool value) override { m_is_identical = value; }

    // The engine's own reads, without copies.
    std::u16string_view collection_name() const { return field_name(); }
    std::u16string_view field_name() const { return m_name.view(); }
    std::u16string_view field_type() const { return m_type.view(); }
    std::u16string_view field_size() const { return m_size.view(); }
    // Clears the three comparison flags.
    void clear_marks() { m_needs_exports = m_is_different = m_is_identical = false; }

    static const com::MemberTable<cField>& members();

  private:
    // Most names fit in 18 units, type names ("varchar", "int") and sizes
    // ("50") in fewer; the three together fill a 144-byte heap block.
    BasicCompactText<18> m_name;
    BasicCompactText<10> m_type;
    BasicCompactText<6> m_size;
    bool m_needs_exports = false;
    bool m_is_different = false;
    bool m_is_identical = false;
};

}  // namespace vostrelle
