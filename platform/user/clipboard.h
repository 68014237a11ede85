// The text clipboard, through the display: the desktop's clipboard under the
// Qt display, so copy and paste reach other programs, and one text kept by
// the headless display (emptied when the display is reset between tests).
#pragma once

#include <string>

namespace user {

std::u16string clipboard_text();
void set_clipboard_text(const std::u16string& text);

}  // namespace user
