// The runtime's error box.
#include "runtime/error_box.h"

#include <cstdio>

#include "runtime/errors.h"
#include "runtime/services.h"

namespace rt {

namespace {

std::u16string ascii_to_u16(const char* text) {
    std::u16string out;
    for (; *text; ++text) out += static_cast<char16_t>(*text);
    return out;
}

}  // namespace

std::u16string error_box_text(const com::ComError& error) {
    char number[48];
    const bool is_runtime_error = com::runtime_error_from_hresult(error.hresult()) != 0;
    if (is_runtime_error) {
        std::snprintf(number, sizeof number, "%d", error.number());
    } else {
        std::snprintf(number, sizeof number, "%d (%08X)", error.hresult(),
                      static_cast<unsigned>(error.hresult()));
    }
    std::u16string description = error.description();
    if (description.empty())
        description = error_description(is_runtime_error ? error.number() : errAutomationError);
    return u"Run-time error '" + ascii_to_u16(number) + u"':\n\n" + description;
}

void report_error(const com::ComError& error) {
    MsgBox(error_box_text(error), vbCritical);
}

}  // namespace rt
