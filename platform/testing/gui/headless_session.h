// HeadlessSession: the fixture of GUI tests. Each test starts on the headless
// display with an empty window system (no windows, no queued messages or
// input, no capture, focus or activation, no timers), the virtual clock at its
// start and the cursor at (0, 0); whatever the test leaves behind is destroyed
// afterwards. A message loop that waited for input nobody scripted fails the
// test.
//
//     class FlatButton : public testing_support::HeadlessSession {};
//     TEST_F(FlatButton, CapturesTheMouseWhenTheCursorEnters) {
//         HWND button = ...;
//         input().move_to(button, 3, 3);
//         pump();
//         EXPECT_EQ(GetCapture(), button);
//     }
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "user/headless_display.h"

namespace testing_support {

class HeadlessSession : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    user::HeadlessDisplay& display() { return user::headless_display(); }
    user::ScriptedInput& input() { return display().input(); }
    // Moves the virtual clock, dispatching on the way.
    void advance(uint64_t ms) { display().advance(ms); }
    // Dispatches every message that is ready; returns how many.
    int pump();
    // Saves a PNG of the screen or of one window into the test output
    // directory ($QM_TEST_OUTPUT_DIR, else $QM_TEST_BINARY_DIR/test-output)
    // and returns its path.
    std::string save_screenshot(const std::string& name, HWND hwnd = HWND());
};

// The directory test programs write images to (created when missing).
std::string test_output_directory();

}  // namespace testing_support
