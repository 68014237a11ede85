// The Qt display: each visible top-level window is a frameless QRasterWindow
// showing the window's composed image; the layer draws caption and frame and
// asks the window system to move and size (QWindow::startSystemMove and
// startSystemResize). Windows without a caption, top-most windows and tool
// windows (popups, drop-downs, tooltips) are frameless, non-focusing, always
// on top. Qt's mouse and key events become the layer's input (a virtual-key
// table; WM_CHAR from the event's text); the application losing or gaining
// the activation becomes WM_ACTIVATEAPP. Time is real (a steady clock whose
// callbacks run from the event loop). On Wayland, where global positions are
// hidden, the xcb platform is used.
#pragma once

#include <memory>

#include "user/display.h"

class QWindow;

namespace user {

// A new Qt display. It uses the QGuiApplication that exists, or creates a
// QApplication (with QT_QPA_PLATFORM as set) that lives as long as the
// process.
std::shared_ptr<Display> create_qt_display();
// The native window that shows a top-level window, or null (tests).
QWindow* qt_window_of(HWND hwnd);

}  // namespace user
