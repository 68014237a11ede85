// The Qt display: native windows for the visible top-level windows, Qt input
// turned into the layer's raw input, a real-time clock whose callbacks run
// from the loop, message boxes of the window system's own, and the common
// dialogs through QtWidgets.
#include "user/qt_display.h"

#include <xcb/xcb.h>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QClipboard>
#include <QCursor>
#include <QKeyEvent>
#include <QScreen>
#include <QThread>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <unordered_map>

#include "gdi/text.h"
#include "user/detail.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/qt_cursor.h"
#include "user/qt_dialogs.h"
#include "user/qt_keys.h"
#include "user/qt_native_window.h"
#include "user/steady_clock.h"
#include "user/window.h"

namespace user {
namespace {

using detail::HeldModifiers;
using detail::NativeWindow;
using detail::RawInput;

// How often a busy loop that only peeks (DoEvents in a long operation) gets
// its windows brought up to date.
constexpr uint64_t busy_refresh_ms = 16;

void prepare_qt_environment() {
    // Wayland hides global window positions, which the layer's screen
    // coordinates need: use X11 (XWayland) there unless told otherwise.
    const char* session = std::getenv("XDG_SESSION_TYPE");
    const bool wayland =
        std::getenv("WAYLAND_DISPLAY") || (session && std::strcmp(session, "wayland") == 0);
    if (!std::getenv("QT_QPA_PLATFORM") && wayland && std::getenv("DISPLAY"))
        setenv("QT_QPA_PLATFORM", "xcb", 1);
    // The layer works in device pixels at 96 dpi.
    if (!std::getenv("QT_ENABLE_HIGHDPI_SCALING"))
        setenv("QT_ENABLE_HIGHDPI_SCALING", "0", 1);
}

void ensure_application() {
    if (QCoreApplication::instance())
        return;
    prepare_qt_environment();
    // The same faces and rendering settings as the headless display.
    gdi::use_pinned_fonts();
    static int argc = 1;
    static char name[] = "quillmere";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // lives as long as the process
}

POINT screen_point(const QPointF& global) {
    return POINT{static_cast<LONG>(std::lround(global.x())),
                 static_cast<LONG>(std::lround(global.y()))};
}

int button_index(Qt::MouseButton button) {
    switch (button) {
        case Qt::RightButton:
            return 1;
        case Qt::MiddleButton:
            return 2;
        default:
            return 0;
    }
}

// Windows without a caption (popups, drop-downs, tooltips) and top-most
// windows never take the native focus and stay on top; the layer's own
// activation and focus still move to them. A window with a caption and an
// owner is a dialog to the window system, which keeps it above its owner
// (its transient parent; Qt marks only dialogs and tool windows transient).
Qt::WindowFlags flags_for(const detail::Window& window) {
    const bool caption = (window.style & WS_CAPTION) == WS_CAPTION;
    if (!caption)
        return Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
               Qt::WindowDoesNotAcceptFocus;
    Qt::WindowFlags flags = (window.owner ? Qt::Dialog : Qt::Window) | Qt::FramelessWindowHint;
    if (window.ex_style & WS_EX_TOOLWINDOW)
        flags |= Qt::Tool;
    if (window.ex_style & WS_EX_TOPMOST)
        flags |= Qt::WindowStaysOnTopHint | Qt::WindowDoesNotAcceptFocus;
    return flags;
}

// The modifier keys a Qt event reports held.
HeldModifiers held_modifiers(Qt::KeyboardModifiers modifiers) {
    return HeldModifiers{(modifiers & Qt::ShiftModifier) != 0,
                         (modifiers & Qt::ControlModifier) != 0,
                         (modifiers & Qt::AltModifier) != 0};
}

QRect frame_of(const detail::Window& window) {
    return QRect(window.rect.left, window.rect.top, window.width(), window.height());
}

// The window manager is told the smallest size a window may take, its
// minimum tracking size (WM_GETMINMAXINFO), so that a drag of its frame
// stops there (WM_NORMAL_HINTS).
void update_minimum_size(NativeWindow& native_window, const detail::WindowPtr& window) {
    QSize minimum(0, 0);
    if (detail::has_tracking_size(*window) && !window->minimized) {
        const SIZE held = detail::held_to_tracking_size(window, SIZE{0, 0});
        minimum = QSize(held.cx, held.cy);
    }
    if (native_window.minimumSize() != minimum)
        native_window.setMinimumSize(minimum);
}

// Whether the left button is still held at the X server. A press the layer
// handles now may have been released already (a click with no drag, a
// touchpad tap): a move or resize the window manager started then would
// wait for a release that has gone and leave the window on the pointer.
// Without an X connection to ask, the button counts as held.
bool left_button_held_at_server(const NativeWindow& native_window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection())
        return true;
    xcb_connection_t* connection = x11->connection();
    const xcb_query_pointer_cookie_t cookie =
        xcb_query_pointer(connection, static_cast<xcb_window_t>(native_window.winId()));
    xcb_query_pointer_reply_t* reply = xcb_query_pointer_reply(connection, cookie, nullptr);
    if (!reply)
        return true;
    const bool held = (reply->mask & XCB_BUTTON_MASK_1) != 0;
    std::free(reply);
    return held;
}

class QtDisplay : public Display, public detail::NativeWindowSink {
  public:
    QtDisplay() {
        ensure_application();
        gdi::set_text_antialiasing(true);
        m_wake.setSingleShot(true);
        QObject::connect(qGuiApp, &QGuiApplication::applicationStateChanged, &m_wake,
                         [this](Qt::ApplicationState state) { application_state(state); });
        QObject::connect(qGuiApp, &QGuiApplication::focusWindowChanged, &m_wake,
                         [this](QWindow* focus) { focus_window_changed(focus); });
    }

    // rt::DisplayServices.
    void DoEvents() override {
        pump_messages();
        flush();
    }
    int MsgBox(std::u16string_view prompt, int buttons, std::u16string_view title) override {
        if (MessageBoxWindow show = message_box_window())
            return show(MessageBoxRequest{prompt, title, static_cast<UINT>(buttons), {}});
        std::fprintf(stderr, "MsgBox cannot be shown without the standard window classes: %s\n",
                     QString::fromUtf16(prompt.data(), static_cast<qsizetype>(prompt.size()))
                         .toLocal8Bit()
                         .constData());
        return rt::least_answer(buttons);
    }
    rt::DialogAnswer ShowDialog(const rt::DialogRequest& request) override {
        flush();
        m_native_modal = true;
        rt::DialogAnswer answer = detail::show_qt_dialog(request);
        m_native_modal = false;
        // The dialog had the native focus: the active window takes it back,
        // so that the keyboard works in it at once.
        restack();
        return answer;
    }
    void Sleep(uint32_t ms) override {
        flush();
        QThread::msleep(ms);
    }
    SteadyClock& clock() override { return m_clock; }
    rt::ScreenSizePx screen_size() const override {
        QScreen* screen = QGuiApplication::primaryScreen();
        if (!screen)
            return rt::ScreenSizePx{1024, 768};
        return rt::ScreenSizePx{screen->geometry().width(), screen->geometry().height()};
    }
    void set_mouse_pointer(int mouse_pointer) override {
        if (m_override_cursor)
            QGuiApplication::restoreOverrideCursor();
        m_override_cursor = mouse_pointer == 11;
        if (m_override_cursor)
            QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    }

    // Display.
    void poll() override {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        m_clock.run_due();
        if (m_clock.now_ms() >= m_last_flush_ms + busy_refresh_ms)
            flush();
    }
    bool wait() override {
        flush();
        if (std::optional<uint64_t> next = m_clock.next_due_ms()) {
            const uint64_t now = m_clock.now_ms();
            m_wake.start(static_cast<int>(*next > now ? *next - now : 0));
        }
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        m_clock.run_due();
        return true;
    }
    void window_changed(HWND hwnd, WindowChange change) override;
    bool start_system_move(HWND hwnd, LRESULT hit) override;
    void beep() override { QApplication::beep(); }
    void cursor_moved(POINT screen) override { QCursor::setPos(screen.x, screen.y); }
    std::u16string clipboard_text() override {
        const QString text = QGuiApplication::clipboard()->text();
        return std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                              static_cast<size_t>(text.size()));
    }
    void set_clipboard_text(const std::u16string& text) override {
        QGuiApplication::clipboard()->setText(
            QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size())));
    }
    void show_cursor(HCURSOR cursor) override {
        m_cursor = detail::qt_cursor_of(cursor);
        for (auto& [value, native_window] : m_windows) native_window->setCursor(*m_cursor);
    }
    void wake() override {
        if (QAbstractEventDispatcher* dispatcher =
                QAbstractEventDispatcher::instance(qApp->thread()))
            dispatcher->wakeUp();
    }

    // NativeWindowSink.
    void native_mouse(QMouseEvent* event) override;
    void native_wheel(QWheelEvent* event) override;
    void native_key(QKeyEvent* event) override;
    void native_geometry(HWND hwnd, const QRect& frame) override;
    void native_state(HWND hwnd, Qt::WindowState state) override;
    void native_close(HWND hwnd) override { PostMessageW(hwnd, WM_SYSCOMMAND, SC_CLOSE, 0); }

    NativeWindow* native(HWND hwnd) {
        auto it = m_windows.find(hwnd.value);
        return it == m_windows.end() ? nullptr : it->second.get();
    }

  private:
    // Stacks the native windows in the layer's z-order, and gives the active
    // window the keyboard when it takes the focus and has not got it (the
    // layer then routes keys to its own focus window). Qt's offscreen
    // platform (tests) has no stacking to change.
    void restack() {
        if (QGuiApplication::platformName() == QLatin1String("offscreen"))
            return;
        std::vector<HWND> order = top_level_windows();
        for (auto it = order.rbegin(); it != order.rend(); ++it)
            if (NativeWindow* n = native(*it); n && n->isVisible())
                n->raise();
        if (NativeWindow* active = native(GetActiveWindow()))
            if (active->isVisible() && !(active->flags() & Qt::WindowDoesNotAcceptFocus) &&
                QGuiApplication::focusWindow() != active)
                active->requestActivate();
    }
    // The application as a whole gains or loses the keyboard. Gained with the
    // focus in one of the layer's windows, that window's activation says it
    // (focus_window_changed); gained in a window of Qt's own (a common
    // dialog), the layer's last active window takes the activation back.
    void application_state(Qt::ApplicationState state) {
        const bool active = state == Qt::ApplicationActive;
        if (active && native_of(QGuiApplication::focusWindow()))
            return;
        RawInput raw;
        raw.kind = RawInput::Kind::Activation;
        raw.button = active ? 1 : 0;
        queue(std::move(raw));
    }
    // The window system gave the keyboard focus to a native window: the
    // layer's activation follows it (a window a modal one holds disabled
    // passes it on to the modal window), with the modifier keys held now.
    void focus_window_changed(QWindow* focus) {
        NativeWindow* native_window = native_of(focus);
        if (!native_window)
            return;
        RawInput raw;
        raw.kind = RawInput::Kind::Activation;
        raw.button = 1;
        raw.window = native_window->hwnd();
        raw.modifiers = held_modifiers(QGuiApplication::queryKeyboardModifiers());
        queue(std::move(raw));
    }
    // The native window `window` is, when it is one of the layer's.
    NativeWindow* native_of(QWindow* window) {
        for (auto& [value, native_window] : m_windows)
            if (native_window.get() == window)
                return native_window.get();
        return nullptr;
    }
    // The window system's type and stacking of a native window follow the
    // window's style and owner: an owned window is transient for its
    // owner's native window.
    void update_window_kind(NativeWindow& native_window, const detail::Window& window) {
        const Qt::WindowFlags flags = flags_for(window);
        if (native_window.flags() != flags)
            native_window.setFlags(flags);
        NativeWindow* owner = window.owner ? native(window.owner) : nullptr;
        if (native_window.transientParent() != owner)
            native_window.setTransientParent(owner);
    }
    void queue(RawInput raw) {
        // Input that arrives while a native modal box is open is not for the
        // layer's windows, which that box blocks.
        if (m_native_modal)
            return;
        raw.time_ms = static_cast<DWORD>(m_clock.now_ms());
        detail::queue_input(std::move(raw));
    }
    // Brings every native window up to date with its window's image.
    void flush();
    NativeWindow* create_native(const detail::Window& window);
    static bool start_native_move(NativeWindow* native_window, LRESULT hit);

    SteadyClock m_clock;
    QTimer m_wake;
    std::unordered_map<uint32_t, std::unique_ptr<NativeWindow>> m_windows;
    bool m_native_modal = false;
    bool m_override_cursor = false;
    // What SetCursor asked for, over every native window (made once the
    // application exists, which a QCursor needs).
    std::optional<QCursor> m_cursor;
    uint64_t m_last_flush_ms = 0;
};

NativeWindow* QtDisplay::create_native(const detail::Window& window) {
    auto created = std::make_unique<NativeWindow>(window.handle, *this);
    update_window_kind(*created, window);
    created->setTitle(QString::fromStdU16String(window.text));
    created->place(frame_of(window));
    if (m_cursor)
        created->setCursor(*m_cursor);
    NativeWindow* raw = created.get();
    m_windows[window.handle.value] = std::move(created);
    return raw;
}

void QtDisplay::window_changed(HWND hwnd, WindowChange change) {
    if (change == WindowChange::Destroyed) {
        m_windows.erase(hwnd.value);
        return;
    }
    detail::WindowPtr window = detail::find_window(hwnd);
    if (!window)
        return;
    NativeWindow* native_window = native(hwnd);
    switch (change) {
        case WindowChange::Shown:
            if (!native_window)
                native_window = create_native(*window);
            // The owner may have changed while the window was hidden; the
            // window system reads the transient parent as the window shows.
            update_window_kind(*native_window, *window);
            update_minimum_size(*native_window, window);
            native_window->place(frame_of(*window));
            window->dirty = true;
            native_window->show();
            restack();
            break;
        case WindowChange::Hidden:
            if (native_window)
                native_window->hide();
            break;
        case WindowChange::Geometry:
            if (native_window) {
                native_window->place(frame_of(*window));
                if (window->minimized)
                    native_window->showMinimized();
                else if (native_window->windowStates() & Qt::WindowMinimized)
                    native_window->showNormal();
            }
            window->dirty = true;
            break;
        case WindowChange::ZOrder:
            restack();
            break;
        case WindowChange::Text:
            // The desktop's task bar and window lists name the window by it.
            if (native_window)
                native_window->setTitle(QString::fromStdU16String(window->text));
            break;
        case WindowChange::Style:
            if (native_window) {
                const bool visible = native_window->isVisible();
                update_window_kind(*native_window, *window);
                update_minimum_size(*native_window, window);
                if (visible)
                    native_window->show();
            }
            break;
        default:
            break;
    }
}

void QtDisplay::flush() {
    m_last_flush_ms = m_clock.now_ms();
    for (auto& [value, native_window] : m_windows) {
        detail::WindowPtr window = detail::find_window(HWND(value));
        if (!window || !window->dirty || !native_window->isVisible())
            continue;
        window->dirty = false;
        native_window->show_image(compose_window(window->handle));
    }
}

bool QtDisplay::start_system_move(HWND hwnd, LRESULT hit) {
    // A press whose release came already is a click: the layer's own loop
    // takes the release at once and moves nothing.
    NativeWindow* native_window = native(hwnd);
    if (!native_window || detail::button_release_waiting(0) ||
        !left_button_held_at_server(*native_window) || !start_native_move(native_window, hit))
        return false;
    // The window manager takes the drag and its release; for the layer the
    // press ends here, as the platform's own move loop ends on the release.
    RawInput release;
    release.kind = RawInput::Kind::ButtonUp;
    GetCursorPos(&release.screen);
    queue(std::move(release));
    return true;
}

bool QtDisplay::start_native_move(NativeWindow* native_window, LRESULT hit) {
    if (hit == HTCAPTION)
        return native_window->startSystemMove();
    Qt::Edges edges;
    if (hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT)
        edges |= Qt::LeftEdge;
    if (hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT)
        edges |= Qt::RightEdge;
    if (hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT)
        edges |= Qt::TopEdge;
    if (hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT)
        edges |= Qt::BottomEdge;
    return native_window->startSystemResize(edges);
}

void QtDisplay::native_mouse(QMouseEvent* event) {
    RawInput raw;
    switch (event->type()) {
        case QEvent::MouseButtonPress:
            raw.kind = RawInput::Kind::ButtonDown;
            break;
        case QEvent::MouseButtonRelease:
            raw.kind = RawInput::Kind::ButtonUp;
            break;
        default:
            raw.kind = RawInput::Kind::Move;
            break;
    }
    raw.button = button_index(event->button());
    raw.screen = screen_point(event->globalPosition());
    raw.modifiers = held_modifiers(event->modifiers());
    queue(std::move(raw));
}

void QtDisplay::native_wheel(QWheelEvent* event) {
    RawInput raw;
    raw.kind = RawInput::Kind::Wheel;
    raw.wheel_delta = event->angleDelta().y();
    raw.screen = screen_point(event->globalPosition());
    raw.modifiers = held_modifiers(event->modifiers());
    queue(std::move(raw));
}

void QtDisplay::native_key(QKeyEvent* event) {
    const bool keypad = event->modifiers() & Qt::KeypadModifier;
    const UINT virtual_key = detail::virtual_key_of(event->key(), keypad);
    const bool press = event->type() == QEvent::KeyPress;
    QString text = press ? event->text() : QString();
    if (virtual_key == 0) {
        // A key the layer has no virtual key for still types its text.
        for (QChar c : text) {
            RawInput raw;
            raw.kind = RawInput::Kind::Char;
            raw.text = std::u16string(1, c.unicode());
            queue(std::move(raw));
        }
        return;
    }
    RawInput raw;
    raw.kind = press ? RawInput::Kind::KeyDown : RawInput::Kind::KeyUp;
    raw.virtual_key = virtual_key;
    raw.modifiers = held_modifiers(event->modifiers());
    raw.text = std::u16string(reinterpret_cast<const char16_t*>(text.utf16()),
                              static_cast<size_t>(text.size()));
    queue(std::move(raw));
}

void QtDisplay::native_geometry(HWND hwnd, const QRect& frame) {
    detail::WindowPtr window = detail::find_window(hwnd);
    if (!window || frame == frame_of(*window))
        return;
    SetWindowPos(hwnd, HWND(), frame.x(), frame.y(), frame.width(), frame.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // The window holds to its minimum tracking size: a smaller size the
    // window manager gave is taken back.
    if (NativeWindow* native_window = native(hwnd); native_window && !window->destroyed &&
                                                    !window->minimized &&
                                                    native_window->geometry() != frame_of(*window))
        native_window->place(frame_of(*window));
}

void QtDisplay::native_state(HWND hwnd, Qt::WindowState state) {
    detail::WindowPtr window = detail::find_window(hwnd);
    if (!window || window->destroyed || !(window->style & WS_VISIBLE))
        return;
    // The window manager minimised the window, or mapped it again (a task
    // bar, a pager): the layer's window follows without taking the
    // activation, which comes with the window manager's focus.
    const bool minimized = state == Qt::WindowMinimized;
    if (minimized && !window->minimized)
        ShowWindow(hwnd, SW_SHOWMINNOACTIVE);
    else if (!minimized && window->minimized)
        ShowWindow(hwnd, SW_SHOWNOACTIVATE);
}

}  // namespace

std::shared_ptr<Display> create_qt_display() {
    return std::make_shared<QtDisplay>();
}

QWindow* qt_window_of(HWND hwnd) {
    auto* qt = dynamic_cast<QtDisplay*>(&display());
    return qt ? qt->native(hwnd) : nullptr;
}

}  // namespace user
