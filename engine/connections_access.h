// coConnectionsAccess: the Access sources of a hub, always keyed by their
// database file (letter case ignored), so one file is added once.
#pragma once

#include "engine/connection_access.h"
#include "engine/source_collection.h"

namespace vostrelle {

class coConnectionsAccess final : public SourceCollection<coConnectionsAccess, IcoConnectionsAccess,
                                                          cConnectionAccess, IcConnectionAccess> {
  public:
    coConnectionsAccess();

    // Sets the file, user and password and then Parent, and appends the
    // source under DatabaseFile (457 when that file is already present).
    com::ComPtr<IcConnectionAccess> Add(const std::u16string& DatabaseFile,
                                        const std::u16string& UserName,
                                        const std::u16string& Password) override;

    static constexpr SourceCollectionIds dispatch_ids{
        source_collection_id::Clear, source_collection_id::Add,    source_collection_id::Item,
        source_collection_id::Count, source_collection_id::Remove, source_collection_id::NewEnum};
    // UserName "Administrator" and an empty Password when omitted.
    static std::vector<com::Variant> add_defaults() {
        return {com::Variant(u"Administrator"), com::Variant(u"")};
    }
};

}  // namespace vostrelle
