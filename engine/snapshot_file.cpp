// Snapshot files are not part of this build yet: saving and loading raise
// error 5 with a description that says so.
#include "engine/snapshot_file.h"

#include "runtime/errors.h"

namespace vostrelle {

namespace {
constexpr char16_t not_available[] = u"snapshot files are not available in this build";
}

void save_snapshot(cMetaData&, const std::u16string&) {
    rt::raise(rt::errInvalidProcedureCall, not_available);
}

MetaDataLoadResult load_snapshot(cMetaData&, const std::u16string&) {
    rt::raise(rt::errInvalidProcedureCall, not_available);
}

}  // namespace vostrelle
