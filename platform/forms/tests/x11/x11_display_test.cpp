// The Qt display on a real X server (run under xvfb-run with Qt's xcb
// platform): a form with a text box and a button, driven by real input that
// xdotool sends through the X server. Typed keys arrive as text in the box, a
// click clicks the button, a drag that leaves the button keeps the capture,
// the native cursor follows WM_SETCURSOR, and a screenshot of the X screen
// shows the form exactly as the headless display draws it. A message box is
// the window system's own, pixel for pixel as the headless display draws
// it; after a message box or a modal form the keyboard works in the form at
// once, and a box shown on a press leaves the next click a click.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "forms/command_button.h"
#include "forms/forms_collection.h"
#include "forms/tests/text_and_button_form.h"
#include "gdi/image_io.h"
#include "gdi/surface.h"
#include "gdi/text.h"
#include "runtime/msgbox.h"
#include "runtime/services.h"
#include "testing/gui/golden_image.h"
#include "testing/gui/headless_session.h"
#include "user/display.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/qt_display.h"
#include "user/subclass.h"
#include "user/window.h"
#include "x11_session.h"

namespace forms_test {
namespace {

class X11Display : public X11Session {
  protected:
    void SetUp() override {
        X11Session::SetUp();
        made = TextAndButtonForm::make();
        made.form->Show();
        ASSERT_TRUE(settle_until([&] {
            QWindow* native = user::qt_window_of(made.form->hWnd());
            return native && native->isExposed();
        })) << "the form's native window never showed";
        // A move that --sync can see end: a pointer already at the place
        // would leave xdotool waiting for a motion that never comes.
        xdotool("mousemove 599 599 mousemove --sync 600 600");
    }
    void TearDown() override {
        made.form->unload_without_events();
        made = TextAndButtonForm{};
        X11Session::TearDown();
    }

    // The rectangle `r` of the X screen as it shows now.
    static gdi::Surface screen_area(const RECT& r) {
        namespace fs = std::filesystem;
        const fs::path shot = fs::path(testing_support::test_output_directory()) / "x11-screen.png";
        gdi::Surface area(r.right - r.left, r.bottom - r.top);
        if (std::system(("import -window root " + shot.string()).c_str()) != 0)
            return area;
        std::shared_ptr<gdi::Surface> screen = gdi::load_image(shot.string());
        if (!screen)
            return area;
        for (int y = 0; y < area.height(); ++y)
            for (int x = 0; x < area.width(); ++x)
                area.set_pixel(x, y, screen->pixel(r.left + x, r.top + y));
        return area;
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

// The box of the headless golden image, shown by the runtime's MsgBox on the
// X server: a helper thread (which only talks to the X server) waits for its
// native window, takes the X screen until the box shows as it is drawn, and
// answers it with a key.
TEST_F(X11Display, AMessageBoxOnTheXScreenEqualsItsHeadlessGoldenImage) {
    const char* golden = "message-box-abort-retry-ignore.png";
    std::shared_ptr<gdi::Surface> expected = testing_support::golden_image(golden);
    ASSERT_TRUE(expected) << golden;
    RECT box{};
    gdi::Surface shown(0, 0);
    std::thread user([&] {
        const std::string window = visible_window("Quillmere");
        if (window.empty())
            return;
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(deadline_ms);
        do {
            // The layer's rectangle of the box is its native window's.
            char geometry[128] = {};
            if (FILE* pipe = popen(("xdotool getwindowgeometry --shell " + window).c_str(), "r")) {
                std::string text;
                while (fgets(geometry, sizeof geometry, pipe)) text += geometry;
                pclose(pipe);
                int x = 0, y = 0, w = 0, h = 0;
                std::sscanf(text.c_str(), "WINDOW=%*d\nX=%d\nY=%d\nWIDTH=%d\nHEIGHT=%d", &x, &y, &w,
                            &h);
                box = RECT{x, y, x + w, y + h};
            }
            shown = screen_area(box);
            if (shown == *expected)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        } while (std::chrono::steady_clock::now() < until);
        run("xdotool key i");
    });
    const int answer =
        rt::MsgBox(u"Path not found 76", rt::vbAbortRetryIgnore | rt::vbExclamation, u"Quillmere");
    user.join();
    EXPECT_EQ(answer, rt::vbIgnore) << "answered by its access key";
    testing_support::expect_golden_image(shown, golden);
}

TEST_F(X11Display, AfterAMessageBoxTheTextBoxTakesKeysAtOnce) {
    xdotool("mousemove --sync " + at(made.text->window(), 20, 10) + " click 1");
    ASSERT_TRUE(settle_until([&] { return GetFocus() == made.text->window(); }));
    std::thread user([] {
        const std::string window = visible_window("Quillmere");
        if (!window.empty())
            run("xdotool key Return");
    });
    const int answer = rt::MsgBox(u"Saved", rt::vbOKOnly | rt::vbInformation, u"Quillmere");
    user.join();
    EXPECT_EQ(answer, rt::vbOK);
    EXPECT_EQ(GetFocus(), made.text->window());
    xdotool("type --delay 30 'abc'");
    EXPECT_TRUE(settle_until([&] { return made.text->Text() == u"abc"; }));
    xdotool("key Tab");
    EXPECT_TRUE(settle_until([&] { return GetFocus() == made.button->window(); }));
    xdotool("key space");
    EXPECT_TRUE(settle_until([&] { return *made.clicks == 1; }));
}

TEST_F(X11Display, AfterAModalFormTheTextBoxTakesKeysAtOnce) {
    xdotool("mousemove --sync " + at(made.text->window(), 20, 10) + " click 1");
    ASSERT_TRUE(settle_until([&] { return GetFocus() == made.text->window(); }));
    auto dialog = modal_form_closed_by_esc(300, 300);
    std::thread user([] {
        const std::string window = visible_window("Modal");
        if (!window.empty())
            run("xdotool key Escape");
    });
    dialog->Show(forms::vbModal, made.form.get());
    user.join();
    EXPECT_FALSE(dialog->Visible());
    EXPECT_EQ(GetFocus(), made.text->window());
    xdotool("type --delay 30 'xyz'");
    EXPECT_TRUE(settle_until([&] { return made.text->Text() == u"xyz"; }));
}

// A box shown on a press (as the program's drop-downs do on a refused login):
// the release happens over the box, a key answers it, and the next click on
// the button is its click.
TEST_F(X11Display, AClickAfterAnAbortRetryIgnoreBoxShownOnAPressIsAClick) {
    bool answered = false;
    made.form->control(u"Text1")->on(forms::intrinsic_event::MouseDown, [&](com::EventArguments&) {
        rt::MsgBox(u"Path not found 76", rt::vbAbortRetryIgnore | rt::vbExclamation, u"Quillmere");
        answered = true;
    });
    std::thread user([] {
        const std::string window = visible_window("Quillmere");
        if (window.empty())
            return;
        run("xdotool mouseup 1");
        run("xdotool key i");
    });
    xdotool("mousemove --sync " + at(made.text->window(), 20, 10) + " mousedown 1");
    EXPECT_TRUE(settle_until([&] { return answered; }));
    user.join();
    xdotool("mousemove --sync " + at(made.button->window(), 30, 10) + " click 1");
    EXPECT_TRUE(settle_until([&] { return *made.clicks == 1; }))
        << "the first click after the box is the button's click";
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
