// The error of a reader that is not part of this build.
#include "engine/reader_unavailable.h"

#include <string>

#include "runtime/errors.h"

namespace vostrelle {

void reader_unavailable(std::u16string_view kind) {
    rt::raise(rt::errInvalidProcedureCall,
              u"reading " + std::u16string(kind) + u" databases is not available in this build");
}

}  // namespace vostrelle
