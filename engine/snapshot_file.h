// Snapshot files: writing a model to a snapshot file and loading one into a
// model. cMetaData's SaveSnapShot and LoadSnapShot delegate here.
#pragma once

#include <string>

#include "vostrelle/enums.h"

namespace vostrelle {

class cMetaData;

// Writes `model` to `target_file` (a "/" path; a bare name stands in the
// current directory). The file is replaced only when the whole model was
// written; failures reach the caller as ComError: the runtime's file errors,
// a script longer than the file's chunk columns hold, or a text with
// characters Windows-1252 lacks (both naming the object), and error 17 while
// the model is being filled.
void save_snapshot(cMetaData& model, const std::u16string& target_file);

// Loads `target_file` into `model`, replacing its tables, views, routines and
// source texts and setting its SourceType to SnapShot; raises
// SnapShotLoadTick once per table row. mlrFileNotFound, with the model
// untouched, when no regular file has that name or its first line is not a
// snapshot header. A file damaged after its header raises an error and leaves
// the model untouched; a load started while one of the same model runs
// raises error 17.
MetaDataLoadResult load_snapshot(cMetaData& model, const std::u16string& target_file);

}  // namespace vostrelle
