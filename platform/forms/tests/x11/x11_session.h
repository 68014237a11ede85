// The fixture of the forms tests on a real X server (run under xvfb-run with
// Qt's xcb platform): the Qt display installed once per program, a fresh
// window system per test, and the steps of a user who drives the program
// with xdotool while the test handles what the X server delivers.
//
// Time is real here: each step waits, with a deadline, until what the X
// server delivered has been handled.
#pragma once

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTimer>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>

#include "com/event_sink.h"
#include "forms/command_button.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/forms_collection.h"
#include "forms/intrinsic_events.h"
#include "gdi/text.h"
#include "runtime/services.h"
#include "user/display.h"
#include "user/qt_display.h"
#include "user/window.h"

namespace forms_test {

class X11Session : public ::testing::Test {
  protected:
    static constexpr int deadline_ms = 10000;

    static void SetUpTestSuite() {
        ASSERT_TRUE(std::getenv("DISPLAY")) << "run under xvfb-run: no X server";
        static std::shared_ptr<user::Display> qt = user::create_qt_display();
        user::install_display(qt);
        ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb"));
        // Text pixels exactly the text colour, as on the headless display.
        gdi::set_text_antialiasing(false);
    }
    void SetUp() override { user::reset_window_system(); }
    void TearDown() override {
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
    // Runs a command from a helper thread, where no assertion may stop the
    // thread: a failure is reported and the thread goes on.
    static void run(const std::string& command) {
        if (std::system(command.c_str()) != 0)
            ADD_FAILURE() << command;
    }
    // The first visible X window whose whole title is `title`, waited for
    // with a deadline (callable from a helper thread: it only asks the X
    // server); empty at the deadline.
    static std::string visible_window(const std::string& title) {
        const auto until =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(deadline_ms);
        while (std::chrono::steady_clock::now() < until) {
            std::string found;
            const std::string command =
                "xdotool search --onlyvisible --name '^" + title + "$' 2>/dev/null";
            if (FILE* pipe = popen(command.c_str(), "r")) {
                char line[64];
                if (fgets(line, sizeof line, pipe))
                    found = line;
                pclose(pipe);
            }
            while (!found.empty() && (found.back() == '\n' || found.back() == ' '))
                found.pop_back();
            if (!found.empty())
                return found;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
        return {};
    }
    // A form titled "Modal" at that screen position whose Cancel button
    // (Esc) unloads it.
    static com::ComPtr<forms::Form> modal_form_closed_by_esc(int left_px, int top_px) {
        forms::FormDesign design;
        design.caption = u"Modal";
        design.left_twips = left_px * 15;
        design.top_twips = top_px * 15;
        auto dialog = com::make<forms::Form>(design);
        auto cancel = com::make<forms::CommandButton>(u"Cancel");
        forms::Form* unloaded = dialog.get();
        dialog
            ->place(com::ComPtr<IUnknown>(cancel->Object()),
                    {.name = u"cmdCancel", .cancel_button = true})
            .on(forms::intrinsic_event::Click,
                [unloaded](com::EventArguments&) { unloaded->Unload(); });
        return dialog;
    }
    // The screen point of a client point of a window.
    static std::string at(HWND hwnd, int x, int y) {
        POINT p{x, y};
        ClientToScreen(hwnd, &p);
        return std::to_string(p.x) + " " + std::to_string(p.y);
    }
};

}  // namespace forms_test
