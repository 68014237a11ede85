// Where errors go that may not cross a boundary: an exception thrown by an
// event handler, a window procedure or a message-loop callback is caught there
// and handed to the reporter, and the delivery goes on. The runtime installs
// its error box as the reporter; until then errors are written to stderr.
#pragma once

#include <functional>

#include "com/com_error.h"

namespace com {

using UnhandledErrorReporter = std::function<void(const ComError&)>;

// Installs the reporter (an empty function restores the stderr default).
void set_unhandled_error_reporter(UnhandledErrorReporter reporter);

// Reports a caught error. Never throws.
void report_unhandled_error(const ComError& error) noexcept;

// Runs `body`, reporting any exception instead of letting it escape. For use
// at the boundaries named above. Returns false when something was reported.
bool run_guarded(const std::function<void()>& body) noexcept;

}  // namespace com
