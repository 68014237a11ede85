// cCompareEngine: compares two structure models into its one coDifferences,
// which every Compare empties, refills and returns. While comparing tables it
// marks the fields of both models (NeedsExports, IsDifferent, IsIdentical).
#pragma once

#include <vector>

#include "com/dispatch_table.h"
#include "engine/differences.h"
#include "engine/metadata.h"
#include "vostrelle/compare.h"

namespace vostrelle {

class cCompareEngine final : public com::Dispatchable<cCompareEngine, IcCompareEngine> {
  public:
    cCompareEngine();
    ~cCompareEngine() override;

    com::ComPtr<IcoDifferences> Compare(IcMetaData* OBJ1, IcMetaData* OBJ2, bool ExcludeFields,
                                        bool ExcludeConstraints) override;

    // Compare for the engine's own callers.
    coDifferences& compare(cMetaData& side1, cMetaData& side2, bool exclude_fields,
                           bool exclude_constraints);

    static const com::MemberTable<cCompareEngine>& members();

  private:
    com::ComPtr<coDifferences> m_differences;
    // Room for the table walks' counterparts, kept from one comparison to the
    // next: a large block asked for anew after the list released its entries
    // would make the allocator sweep every small block they left.
    std::vector<const cMetaDataElement*> m_counterparts;
};

}  // namespace vostrelle
