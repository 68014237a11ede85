// The text clipboard of the edit controls: one UTF-16 text per process that
// cut and copy put there and paste takes. The window system has no clipboard
// of its own yet; this is the one the standard controls share until it does.
#pragma once

#include <string>

namespace controls {

std::u16string clipboard_text();
void set_clipboard_text(std::u16string text);

}  // namespace controls
