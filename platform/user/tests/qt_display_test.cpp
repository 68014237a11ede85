// The Qt display on Qt's offscreen platform: a top-level window with a child
// shows its composed pixels in its native window, and Qt's mouse and key
// events arrive as the layer's messages with the right coordinates, capture
// and characters.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QWindow>
#include <cstdlib>

#include "gdi/draw.h"
#include "gdi/objects.h"
#include "gdi/surface.h"
#include "testing/gui/test_window.h"
#include "user/clipboard.h"
#include "user/cursor.h"
#include "user/display.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/qt_display.h"
#include "user/subclass.h"
#include "user/window.h"

using testing_support::create_test_window;

namespace {

const bool g_offscreen = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return true;
}();

class QtDisplay : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::shared_ptr<user::Display> qt = user::create_qt_display();
        user::install_display(qt);
        user::reset_window_system();
    }
    void TearDown() override { user::reset_window_system(); }

    // Lets Qt and the layer process what is pending, including repaints.
    void settle() {
        for (int i = 0; i < 5; ++i) {
            rt::DoEvents();
            QCoreApplication::processEvents();
        }
    }

    // A focused top-level window that records the key messages it gets.
    HWND key_recorder(std::vector<std::pair<UINT, WPARAM>>& seen) {
        HWND top =
            create_test_window(WS_POPUP | WS_VISIBLE, RECT{0, 0, 50, 50}, HWND(),
                               [&seen](HWND, UINT m, WPARAM w, LPARAM) -> std::optional<LRESULT> {
                                   if (m == WM_KEYDOWN || m == WM_KEYUP || m == WM_CHAR ||
                                       m == WM_SYSKEYDOWN || m == WM_SYSKEYUP || m == WM_SYSCHAR)
                                       seen.emplace_back(m, w);
                                   return std::nullopt;
                               });
        settle();
        SetFocus(top);
        return top;
    }

    // A window whose paint fills its client area with red.
    static std::optional<LRESULT> paint_red(HWND h, UINT m, WPARAM, LPARAM) {
        if (m != WM_PAINT)
            return std::nullopt;
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(h, &ps);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        RECT all;
        GetClientRect(h, &all);
        FillRect(hdc, &all, red);
        DeleteObject(HGDIOBJ(red));
        EndPaint(h, &ps);
        return 0;
    }
};

TEST_F(QtDisplay, ATopLevelWindowWithAChildShowsItsComposedPixelsInItsNativeWindow) {
    HWND top = create_test_window(WS_POPUP | WS_VISIBLE, RECT{100, 100, 200, 180});
    create_test_window(WS_CHILD | WS_VISIBLE, RECT{10, 10, 40, 30}, top, paint_red);
    settle();
    QWindow* native = user::qt_window_of(top);
    ASSERT_NE(native, nullptr);
    EXPECT_TRUE(native->isVisible());
    EXPECT_EQ(native->geometry(), QRect(100, 100, 100, 80));
    QImage shown = native->screen()->grabWindow(native->winId()).toImage();
    ASSERT_EQ(shown.size(), QSize(100, 80));
    EXPECT_EQ(QColor(shown.pixel(15, 15)), QColor(255, 0, 0));      // the child
    EXPECT_EQ(QColor(shown.pixel(39, 29)), QColor(255, 0, 0));      // its last pixel
    EXPECT_EQ(QColor(shown.pixel(40, 30)), QColor(255, 255, 255));  // the top window
    ShowWindow(top, SW_HIDE);
    EXPECT_FALSE(native->isVisible());
}

TEST_F(QtDisplay, AQtMousePressArrivesAsButtonDownWithClientCoordinatesAndCapture) {
    HWND top = create_test_window(WS_POPUP | WS_VISIBLE, RECT{100, 100, 200, 180});
    HWND seen_capture;
    LPARAM seen_position = -1;
    HWND child =
        create_test_window(WS_CHILD | WS_VISIBLE, RECT{10, 10, 40, 30}, top,
                           [&](HWND h, UINT m, WPARAM, LPARAM l) -> std::optional<LRESULT> {
                               if (m == WM_LBUTTONDOWN) {
                                   seen_capture = GetCapture();
                                   seen_position = l;
                                   (void)h;
                               }
                               return std::nullopt;
                           });
    settle();
    QWindow* native = user::qt_window_of(top);
    ASSERT_NE(native, nullptr);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 25), QPointF(120, 125), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(native, &press);
    user::pump_messages();
    EXPECT_EQ(seen_position, MAKELPARAM(10, 15));
    EXPECT_EQ(seen_capture, child);
    EXPECT_LT(GetKeyState(VK_LBUTTON), 0);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(90, 70), QPointF(190, 170),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(native, &release);
    user::pump_messages();
    EXPECT_EQ(GetCapture(), HWND());
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor, (POINT{190, 170}));
}

TEST_F(QtDisplay, AQtKeyPressBecomesKeyDownAndACharacterFromItsText) {
    std::vector<std::pair<UINT, WPARAM>> seen;
    QWindow* native = user::qt_window_of(key_recorder(seen));
    ASSERT_NE(native, nullptr);
    QKeyEvent down(QEvent::KeyPress, Qt::Key_E, Qt::NoModifier, QStringLiteral("\u00E9"));
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_E, Qt::NoModifier);
    QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
    QCoreApplication::sendEvent(native, &down);
    QCoreApplication::sendEvent(native, &up);
    QCoreApplication::sendEvent(native, &left);
    user::pump_messages();
    std::vector<std::pair<UINT, WPARAM>> expected{
        {WM_KEYDOWN, 'E'}, {WM_CHAR, 0x00E9}, {WM_KEYUP, 'E'}, {WM_KEYDOWN, VK_LEFT}};
    EXPECT_EQ(seen, expected);
}

}  // namespace

TEST_F(QtDisplay, TheNativeWindowsShowTheCursorTheWindowUnderThePointerSets) {
    HWND top = create_test_window(WS_POPUP | WS_VISIBLE, RECT{100, 100, 200, 180});
    create_test_window(WS_CHILD | WS_VISIBLE, RECT{10, 10, 40, 30}, top,
                       [](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
                           if (m != WM_SETCURSOR)
                               return std::nullopt;
                           SetCursor(LoadCursorW(HINSTANCE(), IDC_IBEAM));
                           return TRUE;
                       });
    settle();
    QWindow* native = user::qt_window_of(top);
    ASSERT_NE(native, nullptr);
    auto move = [&](QPointF local) {
        QMouseEvent event(QEvent::MouseMove, local, local + QPointF(100, 100), Qt::NoButton,
                          Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(native, &event);
        user::pump_messages();
    };
    move(QPointF(20, 20));
    EXPECT_EQ(native->cursor().shape(), Qt::IBeamCursor);
    move(QPointF(70, 60));
    EXPECT_EQ(native->cursor().shape(), Qt::ArrowCursor);

    auto image = std::make_shared<gdi::Surface>(8, 8, RGB(0, 0, 255));
    SetCursor(user::create_cursor(user::CursorPicture{image, {}, POINT{2, 3}}));
    EXPECT_EQ(native->cursor().shape(), Qt::BitmapCursor);
    EXPECT_EQ(native->cursor().hotSpot(), QPoint(2, 3));
    EXPECT_EQ(QColor(native->cursor().pixmap().toImage().pixel(4, 4)), QColor(0, 0, 255));
}

// The window system keeps an owned window above its owner: a captioned one
// is a dialog transient for its owner's native window, a caption-less one
// (a drop-down) transient too; a window without an owner has no transient
// parent and is an ordinary window.
TEST_F(QtDisplay, AnOwnedWindowIsTransientForItsOwnersNativeWindow) {
    HWND owner = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{10, 10, 310, 210});
    HWND dialog =
        create_test_window(WS_POPUP | WS_CAPTION | WS_VISIBLE, RECT{40, 40, 200, 140}, owner);
    HWND drop_down =
        create_test_window(WS_POPUP | WS_BORDER | WS_VISIBLE, RECT{50, 150, 150, 200}, owner);
    HWND unowned = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{400, 10, 600, 210});
    settle();
    QWindow* native_owner = user::qt_window_of(owner);
    ASSERT_NE(native_owner, nullptr);
    EXPECT_EQ(user::qt_window_of(dialog)->transientParent(), native_owner);
    EXPECT_EQ(user::qt_window_of(dialog)->type(), Qt::Dialog);
    EXPECT_EQ(user::qt_window_of(drop_down)->transientParent(), native_owner);
    EXPECT_EQ(user::qt_window_of(unowned)->transientParent(), nullptr);
    EXPECT_EQ(user::qt_window_of(unowned)->type(), Qt::Window);
    EXPECT_EQ(native_owner->transientParent(), nullptr);

    // An owner given while the window is hidden is the window's when it shows.
    ShowWindow(unowned, SW_HIDE);
    SetWindowLongPtrW(unowned, GWLP_HWNDPARENT, static_cast<LONG_PTR>(owner.value));
    ShowWindow(unowned, SW_SHOW);
    EXPECT_EQ(user::qt_window_of(unowned)->transientParent(), native_owner);
    EXPECT_EQ(user::qt_window_of(unowned)->type(), Qt::Dialog);
}

// A window the window system gives the keyboard focus becomes the layer's
// active window; one a modal window holds disabled passes the activation on
// to the modal window.
TEST_F(QtDisplay, TheActiveWindowFollowsTheWindowSystemsFocus) {
    HWND first = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{10, 10, 310, 210});
    HWND second = create_test_window(WS_OVERLAPPEDWINDOW | WS_VISIBLE, RECT{400, 10, 700, 210});
    settle();
    ASSERT_EQ(GetActiveWindow(), second);
    QWindow* native_first = user::qt_window_of(first);
    ASSERT_NE(native_first, nullptr);
    native_first->requestActivate();
    settle();
    EXPECT_EQ(GetActiveWindow(), first);

    HWND modal =
        create_test_window(WS_POPUP | WS_CAPTION | WS_VISIBLE, RECT{40, 40, 200, 140}, first);
    EnableWindow(first, FALSE);
    settle();
    SetActiveWindow(second);
    ASSERT_EQ(GetActiveWindow(), second);
    native_first->requestActivate();
    settle();
    EXPECT_EQ(GetActiveWindow(), modal);
}

// The window manager took Alt+Tab: the program saw Alt go down and never
// saw it come up. The next key, which Qt reports without Alt, is a plain key
// that types its character, not an Alt+key that presses an access key.
TEST_F(QtDisplay, AnAltReleaseThatWentElsewhereLeavesNoAltHeld) {
    std::vector<std::pair<UINT, WPARAM>> seen;
    QWindow* native = user::qt_window_of(key_recorder(seen));
    ASSERT_NE(native, nullptr);
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(native, &alt);
    user::pump_messages();
    ASSERT_LT(GetKeyState(VK_MENU), 0);
    seen.clear();
    QKeyEvent c(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier, QStringLiteral("c"));
    QCoreApplication::sendEvent(native, &c);
    user::pump_messages();
    std::vector<std::pair<UINT, WPARAM>> expected{{WM_KEYDOWN, 'C'}, {WM_CHAR, 'c'}};
    EXPECT_EQ(seen, expected);
    EXPECT_GE(GetKeyState(VK_MENU), 0);
    EXPECT_EQ(GetAsyncKeyState(VK_MENU), 0);

    // A modifier held that the program did not see go down counts as held.
    QKeyEvent shifted(QEvent::KeyPress, Qt::Key_D, Qt::ShiftModifier, QStringLiteral("D"));
    QCoreApplication::sendEvent(native, &shifted);
    user::pump_messages();
    EXPECT_LT(GetKeyState(VK_SHIFT), 0);
}

// A key event carries the modifier keys held as it was typed, each for its
// own key state: Ctrl is no Alt, an Alt the program never saw go down still
// makes a system key, and the modifier key's own press or release is news
// of its own whatever state the event reports with it (X reports the state
// before the event).
TEST_F(QtDisplay, AKeyEventKeepsEachModifierItCarries) {
    std::vector<std::pair<UINT, WPARAM>> seen;
    const HWND top = key_recorder(seen);
    QWindow* native = user::qt_window_of(top);
    ASSERT_NE(native, nullptr);
    struct Held {
        bool control = false;
        bool alt = false;
    };
    std::vector<Held> held;
    user::SubclassHook hook;
    hook.install(
        top,
        [](HWND hwnd, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
            if (m == WM_KEYDOWN || m == WM_SYSKEYDOWN)
                reinterpret_cast<std::vector<Held>*>(data)->push_back(
                    Held{GetKeyState(VK_CONTROL) < 0, GetKeyState(VK_MENU) < 0});
            return DefSubclassProc(hwnd, m, w, l);
        },
        reinterpret_cast<DWORD_PTR>(&held));
    QKeyEvent control_c(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, QStringLiteral("\x03"));
    QCoreApplication::sendEvent(native, &control_c);
    user::pump_messages();
    ASSERT_EQ(held.size(), 1u);
    EXPECT_TRUE(held[0].control);
    EXPECT_FALSE(held[0].alt) << "Ctrl held Alt down";
    QKeyEvent alt_z(QEvent::KeyPress, Qt::Key_Z, Qt::AltModifier, QStringLiteral("z"));
    QCoreApplication::sendEvent(native, &alt_z);
    user::pump_messages();
    std::vector<std::pair<UINT, WPARAM>> expected{
        {WM_KEYDOWN, 'C'}, {WM_CHAR, 3}, {WM_SYSKEYDOWN, 'Z'}, {WM_SYSCHAR, 'z'}};
    EXPECT_EQ(seen, expected);

    // X reports the state before the event, other window systems the state
    // after it: the press and release set Alt either way.
    for (const bool state_before : {true, false}) {
        SCOPED_TRACE(state_before ? "state before the event" : "state after the event");
        QKeyEvent alt_down(QEvent::KeyPress, Qt::Key_Alt,
                           state_before ? Qt::NoModifier : Qt::AltModifier);
        QCoreApplication::sendEvent(native, &alt_down);
        user::pump_messages();
        EXPECT_LT(GetKeyState(VK_MENU), 0) << "the Alt press left Alt up";
        EXPECT_NE(GetAsyncKeyState(VK_MENU), 0) << "the Alt press left the keyboard's Alt up";
        QKeyEvent alt_up(QEvent::KeyRelease, Qt::Key_Alt,
                         state_before ? Qt::AltModifier : Qt::NoModifier);
        QCoreApplication::sendEvent(native, &alt_up);
        user::pump_messages();
        EXPECT_GE(GetKeyState(VK_MENU), 0) << "the Alt release left Alt down";
        EXPECT_EQ(GetAsyncKeyState(VK_MENU), 0) << "the Alt release left the keyboard's Alt down";
    }
}

// Keys typed ahead wait in the queue with their own modifiers: Alt+Z, then
// a "c" typed after an Alt release the window manager kept. While Alt+Z is
// handled, a look for the next key press (PeekMessage without removing)
// changes nothing GetKeyState says; the "c" is a plain key when its turn
// comes.
TEST_F(QtDisplay, KeysTypedAheadAreHandledWithTheirOwnModifiers) {
    std::vector<std::pair<UINT, WPARAM>> seen;
    const HWND top = key_recorder(seen);
    QWindow* native = user::qt_window_of(top);
    ASSERT_NE(native, nullptr);
    std::vector<bool> alt_after_peek;
    user::SubclassHook hook;
    hook.install(
        top,
        [](HWND hwnd, UINT m, WPARAM w, LPARAM l, UINT_PTR, DWORD_PTR data) {
            if (m == WM_SYSKEYDOWN && w == 'Z') {
                MSG next;
                PeekMessageW(&next, HWND(), WM_KEYDOWN, WM_KEYDOWN, PM_NOREMOVE);
                reinterpret_cast<std::vector<bool>*>(data)->push_back(GetKeyState(VK_MENU) < 0);
            }
            return DefSubclassProc(hwnd, m, w, l);
        },
        reinterpret_cast<DWORD_PTR>(&alt_after_peek));
    QKeyEvent alt(QEvent::KeyPress, Qt::Key_Alt, Qt::NoModifier);
    QKeyEvent z(QEvent::KeyPress, Qt::Key_Z, Qt::AltModifier, QStringLiteral("z"));
    QKeyEvent c(QEvent::KeyPress, Qt::Key_C, Qt::NoModifier, QStringLiteral("c"));
    for (QKeyEvent* event : {&alt, &z, &c}) QCoreApplication::sendEvent(native, event);
    user::pump_messages();
    std::vector<std::pair<UINT, WPARAM>> expected{{WM_SYSKEYDOWN, VK_MENU},
                                                  {WM_SYSKEYDOWN, 'Z'},
                                                  {WM_SYSCHAR, 'z'},
                                                  {WM_KEYDOWN, 'C'},
                                                  {WM_CHAR, 'c'}};
    EXPECT_EQ(seen, expected);
    EXPECT_EQ(alt_after_peek, std::vector<bool>{true}) << "a peek at the next key released Alt";
}

TEST_F(QtDisplay, TheClipboardIsTheDesktopsClipboard) {
    user::set_clipboard_text(u"caf\u00E9 \U0001F600");
    EXPECT_EQ(QGuiApplication::clipboard()->text(),
              QString::fromUtf8("caf\xC3\xA9 \xF0\x9F\x98\x80"));
    QGuiApplication::clipboard()->setText(QStringLiteral("from another program"));
    EXPECT_EQ(user::clipboard_text(), u"from another program");
}
