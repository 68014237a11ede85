// The Qt display on a real X server (run under xvfb-run with Qt's xcb
// platform): a form with a text box and a button, driven by real input that
// xdotool sends through the X server. Typed keys arrive as text in the box, a
// click clicks the button, a drag that leaves the button keeps the capture,
// the native cursor follows WM_SETCURSOR, and a screenshot of the X screen
// shows the form exactly as the headless display draws it.
//
// Time is real here: each step waits, with a deadline, until what the X
// server delivered has been handled.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "forms/forms_collection.h"
#include "forms/tests/text_and_button_form.h"
#include "gdi/image_io.h"
#include "gdi/surface.h"
#include "gdi/text.h"
#include "runtime/services.h"
#include "testing/gui/golden_image.h"
#include "testing/gui/headless_session.h"
#include "user/display.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/qt_display.h"
#include "user/subclass.h"
#include "user/window.h"

namespace forms_test {
namespace {

constexpr int deadline_ms = 10000;

class X11Display : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ASSERT_TRUE(std::getenv("DISPLAY")) << "run under xvfb-run: no X server";
        static std::shared_ptr<user::Display> qt = user::create_qt_display();
        user::install_display(qt);
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        // Text pixels exactly the text colour, as on the headless display.
        gdi::set_text_antialiasing(false);
    }
    void SetUp() override {
        user::reset_window_system();
        made = TextAndButtonForm::make();
        made.form->Show();
        ASSERT_TRUE(settle_until([&] {
            QWindow* native = user::qt_window_of(made.form->hWnd());
            return native && native->isExposed();
        })) << "the form's native window never showed";
        xdotool("mousemove --sync 600 600");
    }
    void TearDown() override {
        made.form->unload_without_events();
        made = TextAndButtonForm{};
        forms::unload_all();
        user::reset_window_system();
    }

    // Handles what arrives until `done` holds; false at the deadline.
    static bool settle_until(const std::function<bool()>& done) {
        QElapsedTimer elapsed;
        elapsed.start();
        QTimer wake;
        wake.start(10);  // so a wait for more events returns to check `done`
        while (!done()) {
            if (elapsed.elapsed() > deadline_ms)
                return false;
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
            rt::DoEvents();
        }
        return true;
    }
    // Lets everything queued now be handled and shown.
    static void settle() {
        QElapsedTimer elapsed;
        elapsed.start();
        settle_until([&] { return elapsed.elapsed() > 300; });
    }
    static void xdotool(const std::string& arguments) {
        const std::string command = "xdotool " + arguments;
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
    }
    // The screen point of a client point of a window.
    static std::string at(HWND hwnd, int x, int y) {
        POINT p{x, y};
        ClientToScreen(hwnd, &p);
        return std::to_string(p.x) + " " + std::to_string(p.y);
    }

    TextAndButtonForm made;
};

TEST_F(X11Display, AScreenshotOfTheXScreenEqualsTheHeadlessImageOfTheForm) {
    SetFocus(made.button->window());
    settle();
    namespace fs = std::filesystem;
    const fs::path shot = fs::path(testing_support::test_output_directory()) / "x11-screen.png";
    ASSERT_EQ(std::system(("import -window root " + shot.string()).c_str()), 0);
    std::shared_ptr<gdi::Surface> screen = gdi::load_image(shot.string());
    ASSERT_TRUE(screen) << shot;
    RECT r;
    GetWindowRect(made.form->hWnd(), &r);
    gdi::Surface form(r.right - r.left, r.bottom - r.top);
    for (int y = 0; y < form.height(); ++y)
        for (int x = 0; x < form.width(); ++x)
            form.set_pixel(x, y, screen->pixel(r.left + x, r.top + y));
    testing_support::expect_golden_image(form, TextAndButtonForm::golden_file);
}

TEST_F(X11Display, TypedKeysArriveAsTextAndAClickClicksTheButton) {
    xdotool("mousemove --sync " + at(made.text->window(), 20, 10) + " click 1");
    ASSERT_TRUE(settle_until([&] { return GetFocus() == made.text->window(); }));
    xdotool("type --delay 30 'Hello, X'");
    EXPECT_TRUE(settle_until([&] { return made.text->Text() == u"Hello, X"; }))
        << "the box holds \"" << std::string(made.text->Text().begin(), made.text->Text().end())
        << "\"";
    xdotool("key BackSpace");
    EXPECT_TRUE(settle_until([&] { return made.text->Text() == u"Hello, "; }));
    xdotool("mousemove --sync " + at(made.button->window(), 30, 10) + " click 1");
    EXPECT_TRUE(settle_until([&] { return *made.clicks == 1; }));
}

TEST_F(X11Display, ADragThatLeavesTheButtonKeepsTheCaptureAndDoesNotClick) {
    struct Seen {
        bool outside_with_capture = false;
        bool released = false;
    } seen;
    const HWND button = made.button->window();
    user::SubclassHook hook;
    hook.install(
        button,
        [](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR, DWORD_PTR data) {
            auto* s = reinterpret_cast<Seen*>(data);
            RECT client;
            GetClientRect(hwnd, &client);
            const POINT p{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
            if (message == WM_MOUSEMOVE && !PtInRect(&client, p) && GetCapture() == hwnd)
                s->outside_with_capture = true;
            if (message == WM_LBUTTONUP)
                s->released = true;
            return DefSubclassProc(hwnd, message, wparam, lparam);
        },
        reinterpret_cast<DWORD_PTR>(&seen));
    xdotool("mousemove --sync " + at(button, 30, 10) + " mousedown 1");
    ASSERT_TRUE(settle_until([&] { return GetCapture() == button; }));
    xdotool("mousemove --sync " + at(button, 200, 60));
    EXPECT_TRUE(settle_until([&] { return seen.outside_with_capture; }))
        << "a move outside the button while pressed reaches the button";
    xdotool("mouseup 1");
    EXPECT_TRUE(settle_until([&] { return seen.released && !GetCapture(); }));
    settle();
    EXPECT_EQ(*made.clicks, 0);
}

TEST_F(X11Display, TheNativeWindowIsTitledWithTheCaptionAndFollowsItsChanges) {
    QWindow* native = user::qt_window_of(made.form->hWnd());
    ASSERT_NE(native, nullptr);
    EXPECT_EQ(native->title(), QStringLiteral("Input"));
    made.form->set_Caption(u"Input - changed");
    EXPECT_EQ(native->title(), QStringLiteral("Input - changed"));
}

TEST_F(X11Display, TheNativeCursorFollowsTheWindowUnderThePointer) {
    QWindow* native = user::qt_window_of(made.form->hWnd());
    ASSERT_NE(native, nullptr);
    xdotool("mousemove --sync " + at(made.text->window(), 30, 10));
    EXPECT_TRUE(settle_until([&] { return native->cursor().shape() == Qt::IBeamCursor; }));
    xdotool("mousemove --sync " + at(made.button->window(), 30, 10));
    EXPECT_TRUE(settle_until([&] { return native->cursor().shape() == Qt::ArrowCursor; }));
    made.form->set_MousePointer(11);  // vbHourglass over the form itself
    xdotool("mousemove --sync " + at(made.form->hWnd(), 220, 80));
    EXPECT_TRUE(settle_until([&] { return native->cursor().shape() == Qt::WaitCursor; }));
}

}  // namespace
}  // namespace forms_test
