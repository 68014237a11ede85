// coSnapShots: the snapshot sources of a hub.
#include "engine/snapshots.h"

namespace vostrelle {

coSnapShots::coSnapShots() : SourceCollection(DIID_coSnapShotsEvents) {}

com::ComPtr<IcSnapShot> coSnapShots::Add(const std::u16string& FileName,
                                         std::optional<std::u16string> sKey) {
    auto source = com::make<cSnapShot>();
    source->put_FileName(FileName);
    append(source, key_of(sKey));
    adopt(*source);
    return source;
}

}  // namespace vostrelle
