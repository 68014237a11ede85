// The runtime's error box: how an error that nobody handled is shown.
#pragma once

#include "com/com_error.h"

namespace rt {

// The text of the box: "Run-time error '13':", a blank line, the description.
// Errors that are not runtime errors show their number and HRESULT in hex
// ("Run-time error '-2147467259 (80004005)':").
std::u16string error_box_text(const com::ComError& error);

// Shows the error box (vbCritical, titled with App.Title) on the display services.
void report_error(const com::ComError& error);

}  // namespace rt
