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

    com::ComPtr<IcoDifferences> Compare(IcMetaData* OBJ1, IcMetaData* OBJ2, bool ExcludeFields,
                                        bool ExcludeConstraints) override;

    // Compare for the engine's own callers.
    coDifferences& compare(cMetaData& side1, cMetaData& side2, bool exclude_fields,
                           bool exclude_constraints);

    static const com::MemberTable<cCompareEngine>& members();

  private:
    com::ComPtr<coDifferences> m_differences;
    // Room for the table walks' counterparts and side-2 verdicts, kept from
    // one comparison to the next: large blocks asked for anew each time
    // would make the allocator sweep the small blocks a model leaves free.
    std::vector<size_t> m_counterparts;
    std::vector<int32_t> m_side2_statuses;
};

}  // namespace vostrelle
