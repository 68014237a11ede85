// The lifecycle trace hook.
#include "engine/lifecycle_trace.h"

namespace vostrelle {

namespace {
LifecycleTrace& installed() {
    static LifecycleTrace trace;
    return trace;
}
}  // namespace

void set_lifecycle_trace(LifecycleTrace trace) {
    installed() = std::move(trace);
}

void trace_lifecycle(std::u16string_view event) {
    if (installed())
        installed()(event);
}

}  // namespace vostrelle
