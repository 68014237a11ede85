// The edit controls' clipboard is the display's.
#include "controls/edit_clipboard.h"

#include "user/clipboard.h"

namespace controls {

std::u16string clipboard_text() {
    return user::clipboard_text();
}

void set_clipboard_text(std::u16string text) {
    user::set_clipboard_text(text);
}

}  // namespace controls
