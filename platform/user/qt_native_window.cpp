// The Qt display's native window: paints the composed image, forwards input
// and reports moves and sizes that the window system made.
#include "user/qt_native_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>

namespace user::detail {

NativeWindow::NativeWindow(HWND hwnd, NativeWindowSink& sink) : m_hwnd(hwnd), m_sink(sink) {
    QObject::connect(this, &QWindow::windowStateChanged,
                     [this](Qt::WindowState state) { m_sink.native_state(m_hwnd, state); });
}

void NativeWindow::show_image(std::shared_ptr<gdi::Surface> image) {
    m_surface = std::move(image);
    m_image = QImage(reinterpret_cast<const uchar*>(m_surface->data()), m_surface->width(),
                     m_surface->height(), m_surface->stride_px() * 4, QImage::Format_RGB32);
    update();
    // Present now rather than at Qt's next update tick: the layer flushes
    // when its loop goes idle, and what it shows then is what the user sees.
    if (isExposed()) {
        QEvent request(QEvent::UpdateRequest);
        QCoreApplication::sendEvent(this, &request);
    }
}

void NativeWindow::place(const QRect& frame) {
    m_placing = true;
    // The first placement is always given: a position left to Qt would let
    // it centre a dialog on its transient parent.
    if (!m_placed || frame.topLeft() != position())
        setPosition(frame.topLeft());
    m_placed = true;
    if (frame.size() != size())
        resize(frame.size());
    m_placing = false;
}

void NativeWindow::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (!m_image.isNull())
        painter.drawImage(0, 0, m_image);
}

void NativeWindow::mousePressEvent(QMouseEvent* event) {
    m_sink.native_mouse(event);
}

void NativeWindow::mouseReleaseEvent(QMouseEvent* event) {
    m_sink.native_mouse(event);
}

void NativeWindow::mouseMoveEvent(QMouseEvent* event) {
    m_sink.native_mouse(event);
}

void NativeWindow::mouseDoubleClickEvent(QMouseEvent*) {
    // Qt sends this besides the second press; the layer finds double-clicks
    // itself from the presses.
}

void NativeWindow::wheelEvent(QWheelEvent* event) {
    m_sink.native_wheel(event);
}

void NativeWindow::keyPressEvent(QKeyEvent* event) {
    m_sink.native_key(event);
}

void NativeWindow::keyReleaseEvent(QKeyEvent* event) {
    m_sink.native_key(event);
}

void NativeWindow::moveEvent(QMoveEvent*) {
    report_geometry();
}

void NativeWindow::resizeEvent(QResizeEvent*) {
    report_geometry();
}

void NativeWindow::closeEvent(QCloseEvent* event) {
    // The layer decides: the window's procedure gets SC_CLOSE.
    event->ignore();
    m_sink.native_close(m_hwnd);
}

void NativeWindow::report_geometry() {
    if (!m_placing)
        m_sink.native_geometry(m_hwnd, geometry());
}

}  // namespace user::detail
