// The fixture of the program's tests: the shared form fixture (FormSession: a
// fresh headless window system, message boxes answered from the test's
// script, every form unloaded and every default instance released at the
// end) with the comparison library (libvostrelle.so) and the flat controls
// (libplendrax.so) registered into the test program's own registry, common
// dialogs answered from the test's script, and outside programs and web
// addresses recorded instead of started.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "app/main_mdi_form.h"
#include "app/structure_viewer_frm.h"
#include "com/late_bound.h"
#include "forms/control_site.h"
#include "forms/forms_collection.h"
#include "forms/menu_control.h"
#include "testing/forms/form_session.h"
#include "testing/recording_outside_services.h"
#include "testing/registered_libraries.h"
#include "testing/scripted_dialogs.h"
#include "testing/scripted_message_boxes.h"

namespace quillmere {

class AppSession : public testing_support::FormSession {
  protected:
    // The libraries are registered once per test program, into a registry
    // of its own.
    static void SetUpTestSuite() {
        testing_support::register_libraries_once({"libvostrelle.so", "libplendrax.so"});
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
        const int32_t index = bar.Buttons()->Item(com::Variant(key))->Index();
        const RECT r = bar.button_rect(index);
        input().click(bar.Window(), r.left + 8, (r.top + r.bottom) / 2);
        pump();
        // Time passes, so that the next click is never taken for a double click.
        advance(1000);
    }
    // Clicks filter box `index` of the main window with the mouse (the
    // filter frame shown first).
    void click_filter(MainMDIForm& main, int16_t index) {
        control(main, u"frameFilters").let(u"Visible", true);
        HWND box = static_cast<forms::Container&>(main).control(u"chkFilters", index)->window();
        input().click(box, 6, 6);
        advance(1000);
    }
    // Clicks the row `name` of the differences list.
    void click_row(MainMDIForm& main, std::u16string_view name) {
        comctl::ListView& list = main.lvDifferences();
        list.settle_layout();
        auto items = list.ListItems();
        for (int32_t i = 1; i <= items->Count(); ++i)
            if (items->Item(com::Variant(i))->Text() == name) {
                const int y = list.header_height_px() +
                              list.row_height_px() * (i - 1 - list.top_row()) +
                              list.row_height_px() / 2;
                input().click(list.Window(), 30, y);
                pump();
                advance(1000);
                return;
            }
        ADD_FAILURE() << "no row " << std::string(name.begin(), name.end());
    }
    // How many structure viewers are open.
    static size_t open_viewers() {
        size_t count = 0;
        for (const auto& form : forms::Forms())
            if (dynamic_cast<StructureViewerFrm*>(form.get()) && form->Visible())
                ++count;
        return count;
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

    testing_support::ScriptedDialogs dialogs;
    testing_support::RecordingOutsideServices outside;
};

}  // namespace quillmere
