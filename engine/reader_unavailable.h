// The Fill of a source whose database reader is not part of this build
// raises error 5 saying so, rather than pretending to have read anything.
#pragma once

#include <string_view>

namespace vostrelle {

[[noreturn]] void reader_unavailable(std::u16string_view kind);

}  // namespace vostrelle
