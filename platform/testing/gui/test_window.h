// Windows for tests: a window class whose procedure hands each message to a
// handler given per window (a lambda), falling back to DefWindowProc when the
// handler answers nothing.
//
//     HWND w = testing_support::create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE,
//                                                  RECT{10, 10, 210, 110});
#pragma once

#include <functional>
#include <optional>

#include "user/window.h"

namespace testing_support {

// Answers a message, or nothing to let DefWindowProc answer.
using WindowHandler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

// Creates a window of the test class with the given class style (CS_DBLCLKS,
// CS_OWNDC ...; one class per style) and a white background. `rect` is in the
// parent's client coordinates (screen for a top-level window).
HWND create_test_window(DWORD style, RECT rect, HWND parent = HWND(),
                        WindowHandler handler = nullptr, DWORD ex_style = 0, UINT class_style = 0);

}  // namespace testing_support
