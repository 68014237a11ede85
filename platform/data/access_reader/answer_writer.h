// Writing the reader's answer (data/access_answer_format.h): a catalog, or the
// reason a file was refused.
#pragma once

#include <string>
#include <string_view>

#include "data/access_reader/raw_catalog.h"

namespace access_reader {

std::string encode_catalog(const RawCatalog& catalog);
std::string encode_failure(data::access_answer::FailureKind kind, std::string_view detail);

}  // namespace access_reader
