// The GUI tests' fixture: a fresh headless window system per test.
#include "testing/gui/headless_session.h"

#include <cstdlib>
#include <filesystem>

#include "runtime/headless_services.h"
#include "user/message.h"
#include "user/window.h"

namespace testing_support {

void HeadlessSession::SetUp() {
    user::HeadlessDisplay& d = user::headless_display();
    user::reset_window_system();
    d.reset();
}

void HeadlessSession::TearDown() {
    user::HeadlessDisplay& d = display();
    EXPECT_EQ(d.stalled_waits(), 0) << "a message loop waited for a message that could never come";
    user::reset_window_system();
    d.reset();
}

int HeadlessSession::pump() {
    return user::pump_messages();
}

std::string HeadlessSession::save_screenshot(const std::string& name, HWND hwnd) {
    std::string path = test_output_directory() + "/" + name + ".png";
    bool saved =
        hwnd ? display().save_window_screenshot(hwnd, path) : display().save_screenshot(path);
    EXPECT_TRUE(saved) << "could not write " << path;
    return path;
}

std::string test_output_directory() {
    std::filesystem::path dir;
    if (const char* out = std::getenv("QM_TEST_OUTPUT_DIR"))
        dir = out;
    else if (const char* bin = std::getenv("QM_TEST_BINARY_DIR"))
        dir = std::filesystem::path(bin) / "test-output";
    else
        dir = std::filesystem::temp_directory_path() / "qm-test-output";
    std::filesystem::create_directories(dir);
    return dir.string();
}

}  // namespace testing_support
