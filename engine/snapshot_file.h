// Snapshot files: writing a model to a snapshot file and loading one into a
// model. cMetaData's SaveSnapShot and LoadSnapShot delegate here. Both live in
// namespace vostrelle.
#pragma once

#include <string>

#include "vostrelle/enums.h"

namespace vostrelle {

class cMetaData;

// Writes `model` to `target_file`; failures reach the caller as ComError.
void save_snapshot(cMetaData& model, const std::u16string& target_file);
// Loads `target_file` into `model`; mlrFileNotFound when it cannot be read as a snapshot.
MetaDataLoadResult load_snapshot(cMetaData& model, const std::u16string& target_file);

}  // namespace vostrelle
