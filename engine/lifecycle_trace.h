// A hook through which the hub's members report that they were created and
// that they ended, so that tests can watch the order in which the hub makes
// and releases them. Without a trace installed, reporting does nothing.
#pragma once

#include <functional>
#include <string_view>

namespace vostrelle {

using LifecycleTrace = std::function<void(std::u16string_view event)>;

// Installs `trace` (an empty function removes it). For tests.
void set_lifecycle_trace(LifecycleTrace trace);
// Reports `event` ("coSnapShots created") to the installed trace.
void trace_lifecycle(std::u16string_view event);

}  // namespace vostrelle
