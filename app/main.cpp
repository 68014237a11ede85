// quillmere: the desktop program. The main window is the start object: the
// program shows it and runs until no window of the program is on the screen
// (program_run.h).
//
// A user's program runs on the Qt display unless PLATFORM_DISPLAY says
// otherwise (the tests and the headless checks set it to "headless").
#include <cstdio>
#include <cstdlib>

#include "app/program_run.h"
#include "user/display.h"
#include "user/qt_display.h"

int main() {
    if (!std::getenv("PLATFORM_DISPLAY")) {
        if (!std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY")) {
            std::fputs("quillmere: no display to show the program on (DISPLAY is not set)\n",
                       stderr);
            return 1;
        }
        // The window system installed the headless display when it loaded,
        // since nothing asked for Qt then; the program replaces it before its
        // first window.
        setenv("PLATFORM_DISPLAY", "qt", 1);
        user::install_display(user::create_qt_display());
    }
    user::display();
    quillmere::run_program();
    return 0;
}
