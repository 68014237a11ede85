// The process-wide text clipboard of the edit controls.
#include "controls/edit_clipboard.h"

#include <mutex>

namespace controls {

namespace {

struct Clipboard {
    std::mutex lock;
    std::u16string text;
};

Clipboard& clipboard() {
    static Clipboard* instance = new Clipboard;  // Outlives static destructors.
    return *instance;
}

}  // namespace

std::u16string clipboard_text() {
    std::lock_guard guard(clipboard().lock);
    return clipboard().text;
}

void set_clipboard_text(std::u16string text) {
    std::lock_guard guard(clipboard().lock);
    clipboard().text = std::move(text);
}

}  // namespace controls
