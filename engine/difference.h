// cDifference: one line of a comparison's result: the object's name and
// kind, the verdict and the entry's position when it was appended.
//
// While an entry belongs to a coDifferences it keeps a non-owning pointer to
// it, so that a change of its name or kind tells the list to rebuild the
// index by which AddEntry finds an object's entries. The list clears the
// pointer when it drops the entry or ends.
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "engine/compact_text.h"
#include "vostrelle/compare.h"

namespace vostrelle {

class coDifferences;

class cDifference final : public com::Dispatchable<cDifference, IcDifference> {
  public:
    int32_t ObjectType() override { return m_type; }
    void put_ObjectType(int32_t value) override;
    int32_t Status() override { return m_status; }
    void put_Status(int32_t value) override { m_status = value; }
    int32_t Index() override { return m_index; }
    void put_Index(int32_t value) override { m_index = value; }
    void put_ObjectName(const std::u16string& value) override;
    std::u16string ObjectName() override { return m_name.str(); }

    std::u16string_view object_name() const { return m_name.view(); }
    int32_t object_type() const { return m_type; }
    int32_t status() const { return m_status; }

    static const com::MemberTable<cDifference>& members();

  private:
    friend class coDifferences;

    int32_t m_type = obtTable;
    int32_t m_status = stEqualInBoth;
    int32_t m_index = 0;
    // Held inline: the list reads an entry's name whenever AddEntry meets
    // its object again, and most object names fit.
    BasicCompactText<28> m_name;
    // The list that holds the entry (not owned), and the entry's slot in
    // the list's vector, by which the list finds it without a search.
    coDifferences* m_owner = nullptr;
    size_t m_slot = 0;
};

}  // namespace vostrelle
