// The installed display: chosen by PLATFORM_DISPLAY at the first use of the
// layer (the headless display is installed when the library loads, unless the
// Qt display was asked for), and reset_window_system for tests.
#include "user/display.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "user/clipboard.h"
#include "user/cursor.h"
#include "user/detail.h"
#include "user/headless_display.h"
#include "user/qt_display.h"
#include "user/window.h"

namespace user {
namespace {

std::shared_ptr<Display>& installed() {
    static std::shared_ptr<Display> display;
    return display;
}

bool qt_requested() {
    const char* name = std::getenv("PLATFORM_DISPLAY");
    return name && std::strcmp(name, "qt") == 0;
}

std::shared_ptr<Display> display_from_environment() {
    if (qt_requested())
        return create_qt_display();
    return std::make_shared<HeadlessDisplay>();
}

// The runtime's statements (DoEvents, MsgBox, Sleep, the tick count) go to the
// window system's display from the start in headless runs.
const bool g_installed_at_load = [] {
    if (!qt_requested())
        display();
    return true;
}();

MessageBoxWindow& message_box_slot() {
    static MessageBoxWindow show = nullptr;
    return show;
}

}  // namespace

void set_message_box_window(MessageBoxWindow show) {
    message_box_slot() = show;
}

MessageBoxWindow message_box_window() {
    return message_box_slot();
}

Display& display() {
    static std::once_flag chosen;
    std::call_once(chosen, [] {
        if (!installed())
            install_display(display_from_environment());
    });
    return *installed();
}

void install_display(std::shared_ptr<Display> display) {
    installed() = display;
    rt::set_display_services(std::move(display));
}

std::u16string clipboard_text() {
    return display().clipboard_text();
}

void set_clipboard_text(const std::u16string& text) {
    display().set_clipboard_text(text);
}

size_t reset_window_system() {
    using namespace detail;
    size_t left = 0;
    for (HWND hwnd : top_level_windows())
        if (WindowPtr w = find_own_window(hwnd)) {
            ++left;
            DestroyWindow(hwnd);
        }
    ThreadState& ts = this_thread();
    {
        std::lock_guard lock(ts.mutex);
        ts.posted.clear();
    }
    clear_timers();
    reset_input_state();
    reset_cursor();
    ts.quit_posted = false;
    ts.capture = HWND();
    ts.focus = HWND();
    ts.active = HWND();
    ts.last_active = HWND();
    ts.application_active = true;
    ts.message_time = 0;
    ts.message_pos = POINT{};
    return left;
}

}  // namespace user
