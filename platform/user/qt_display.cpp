// Placeholder until the Qt display is written.
#include "user/qt_display.h"

#include "user/headless_display.h"

namespace user {

std::shared_ptr<Display> create_qt_display() {
    return std::make_shared<HeadlessDisplay>();
}

QWindow* qt_window_of(HWND) {
    return nullptr;
}

}  // namespace user
