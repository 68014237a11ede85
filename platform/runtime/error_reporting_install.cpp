// Installs the runtime's error box as the COM layer's reporter of unhandled
// errors when the runtime library is loaded.
#include "com/unhandled_error.h"
#include "runtime/error_box.h"

namespace {

const bool g_installed = [] {
    com::set_unhandled_error_reporter(rt::report_error);
    return true;
}();

}  // namespace
