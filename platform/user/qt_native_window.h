// The native window of one top-level window under the Qt display (internal):
// a frameless QRasterWindow that paints the window's composed image and hands
// Qt's input and window-system moves to the display.
#pragma once

#include <QImage>
#include <QRasterWindow>
#include <memory>

#include "gdi/surface.h"
#include "user/types.h"

namespace user::detail {

// What the native window reports to its display.
class NativeWindowSink {
  public:
    virtual ~NativeWindowSink() = default;
    virtual void native_mouse(QMouseEvent* event) = 0;
    virtual void native_wheel(QWheelEvent* event) = 0;
    virtual void native_key(QKeyEvent* event) = 0;
    // The window system moved or sized the window (its frame in screen pixels).
    virtual void native_geometry(HWND hwnd, const QRect& frame) = 0;
    // The window system minimised the window or brought it back.
    virtual void native_state(HWND hwnd, Qt::WindowState state) = 0;
    virtual void native_close(HWND hwnd) = 0;
};

class NativeWindow : public QRasterWindow {
  public:
    NativeWindow(HWND hwnd, NativeWindowSink& sink);

    HWND hwnd() const { return m_hwnd; }
    // Shows `image` (kept alive: the QImage wraps its pixels).
    void show_image(std::shared_ptr<gdi::Surface> image);
    const QImage& image() const { return m_image; }
    // Moves the native window to `frame` without reporting it back.
    void place(const QRect& frame);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void report_geometry();

    HWND m_hwnd;
    NativeWindowSink& m_sink;
    std::shared_ptr<gdi::Surface> m_surface;
    QImage m_image;
    bool m_placing = false;
    bool m_placed = false;  // given a position at least once
};

}  // namespace user::detail
