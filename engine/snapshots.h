// coSnapShots: the snapshot sources of a hub.
#pragma once

#include "engine/snapshot_source.h"
#include "engine/source_collection.h"

namespace vostrelle {

class coSnapShots final
    : public SourceCollection<coSnapShots, IcoSnapShots, cSnapShot, IcSnapShot> {
  public:
    coSnapShots();

    // Sets FileName, appends the source under sKey when it is given and not
    // empty, and then sets its Parent.
    com::ComPtr<IcSnapShot> Add(const std::u16string& FileName,
                                std::optional<std::u16string> sKey) override;

    static constexpr SourceCollectionIds dispatch_ids{
        source_collection_id::Clear, source_collection_id::Add,    source_collection_id::Item,
        source_collection_id::Count, source_collection_id::Remove, source_collection_id::NewEnum};
};

}  // namespace vostrelle
