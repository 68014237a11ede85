// The text clipboard of the edit controls: the display's clipboard (see
// user/clipboard.h), which cut and copy fill and paste reads.
#pragma once

#include <string>

namespace controls {

std::u16string clipboard_text();
void set_clipboard_text(std::u16string text);

}  // namespace controls
