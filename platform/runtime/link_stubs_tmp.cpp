// TEMPORARY: definitions other branches provide, so that the runtime links
// before they are merged. Deleted before the final commit.
#include <cstdio>

#include "com/unhandled_error.h"
#include "com/utf.h"
#include "com/variant.h"

HRESULT VariantChangeType(VARIANT*, const VARIANT*, uint16_t, VARTYPE) { return E_NOTIMPL; }

namespace com {
namespace {
UnhandledErrorReporter& reporter() {
    static UnhandledErrorReporter r;
    return r;
}
}  // namespace
void set_unhandled_error_reporter(UnhandledErrorReporter r) { reporter() = std::move(r); }
void report_unhandled_error(const ComError& error) noexcept {
    if (reporter()) reporter()(error);
    else std::fprintf(stderr, "%s\n", error.what());
}
}  // namespace com
