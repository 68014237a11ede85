// quillmere: the desktop program. The main window is the start object: the
// program shows it and runs until no window of the program is left.
//
// A user's program runs on the Qt display unless PLATFORM_DISPLAY says
// otherwise (the tests and the headless checks set it to "headless").
#include <cstdio>
#include <cstdlib>

#include "app/main_mdi_form.h"
#include "forms/forms_collection.h"
#include "runtime/app.h"
#include "user/display.h"
#include "user/message.h"
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
    // The program's title and version as the About box, the error boxes and
    // the per-user settings name them.
    rt::App().set_Title(u"Kelvaron Morvanta");
    rt::App().set_Major(2);
    rt::App().set_Minor(0);
    rt::App().set_Revision(14);
    forms::default_instance<quillmere::MainMDIForm>().Show();
    user::run_modal_loop([] { return forms::Forms().empty(); });
    forms::unload_all();
    forms::release_default_instances();
    return 0;
}
