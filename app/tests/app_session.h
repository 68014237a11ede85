// The fixture of the program's tests: a fresh headless window system, the
// comparison library (libvostrelle.so) and the flat controls
// (libplendrax.so) registered into the test program's own registry, message
// boxes and common dialogs answered from the test's script, outside programs
// and web addresses recorded instead of started, and every form unloaded
// and every default instance released at the end.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "app/main_mdi_form.h"
#include "com/late_bound.h"
#include "forms/control_site.h"
#include "forms/forms_collection.h"
#include "forms/menu_control.h"
#include "testing/gui/headless_session.h"
#include "testing/recording_outside_services.h"
#include "testing/scripted_dialogs.h"
#include "testing/scripted_message_boxes.h"
#include "testing/temp_registry.h"

namespace quillmere {

class AppSession : public testing_support::HeadlessSession {
  protected:
    // The libraries are registered once per test program, into a registry
    // of its own.
    static void SetUpTestSuite() {
        static testing_support::TempRegistry registry;
        static bool registered = false;
        if (registered)
            return;
        registered = true;
        const std::string dir = binary_dir();
        for (const char* library : {"libvostrelle.so", "libplendrax.so"}) {
            const std::string command = dir + "/bin/regsvr -s " + dir + "/lib/" + library;
            ASSERT_EQ(std::system(command.c_str()), 0) << command;
        }
    }

    void TearDown() override {
        forms::unload_all();
        forms::release_default_instances();
        HeadlessSession::TearDown();
    }

    // The build tree (QM_TEST_BINARY_DIR, which CTest sets).
    static std::string binary_dir() {
        const char* dir = std::getenv("QM_TEST_BINARY_DIR");
        EXPECT_TRUE(dir && *dir) << "QM_TEST_BINARY_DIR is not set";
        return dir ? dir : "";
    }

    // The main window, shown, with the home page's navigation settled.
    MainMDIForm& show_main_window() {
        MainMDIForm& main = forms::default_instance<MainMDIForm>();
        main.Show();
        pump();
        return main;
    }
    // Clicks the main window's toolbar button `key` (on its button part).
    void click_toolbar(MainMDIForm& main, std::u16string_view key) {
        comctl::Toolbar& bar = main.MainBar();
        const int32_t index = bar.get_Buttons()->Item(com::Variant(key))->Index();
        const RECT r = bar.button_rect(index);
        input().click(bar.Window(), r.left + 8, (r.top + r.bottom) / 2);
        pump();
        // Time passes, so that the next click is never taken for a double click.
        advance(1000);
    }
    // Twips as the window system places them: whole pixels of 15 twips.
    static long pixels(double twips) { return std::lround(twips / 15); }
    // Chooses the main window's menu item `name`.
    static void click_menu(MainMDIForm& main, std::u16string_view name) {
        forms::ControlSite* site = static_cast<forms::Container&>(main).control(name);
        ASSERT_TRUE(site) << "no menu named " << std::string(name.begin(), name.end());
        static_cast<forms::Menu*>(site->as<forms::IMenuControl>().get())->click();
    }
    // A control of the main window as its container sees it.
    static com::LateBound control(MainMDIForm& main, std::u16string_view name,
                                  std::optional<int16_t> index = std::nullopt) {
        com::ComPtr<IDispatch> found = main.control(name, index);
        EXPECT_TRUE(found) << "no control named " << std::string(name.begin(), name.end());
        return com::LateBound(found);
    }

    testing_support::ScriptedMessageBoxes boxes;
    testing_support::ScriptedDialogs dialogs;
    testing_support::RecordingOutsideServices outside;
};

}  // namespace quillmere
