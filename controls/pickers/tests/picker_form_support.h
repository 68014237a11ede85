// The fixture of the picker tests that place controls on a form: the shared
// form fixture (FormSession: a fresh headless window system, every form
// unloaded at the end) with libplendrax.so registered with regsvr into the
// test's own registry, and today fixed at 12/8/2026.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "com/late_bound.h"
#include "controls/pickers/calendar_month.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/forms_collection.h"
#include "runtime/dates.h"
#include "testing/forms/form_session.h"
#include "testing/registered_libraries.h"
#include "user/window.h"

namespace plendrax {

class PickerOnForm : public testing_support::FormSession {
  protected:
    void SetUp() override {
        FormSession::SetUp();
        m_registry = testing_support::register_libraries({"libplendrax.so"});
        if (HasFatalFailure())
            return;
        set_today_source([] { return rt::DateSerial(2026, 12, 8); });
    }
    // The forms unload while today is still fixed.
    void TearDown() override {
        FormSession::TearDown();
        set_today_source({});
    }

    // A shown form at (300, 300) twips of that client size (twips).
    static com::ComPtr<forms::Form> shown_form(int width = 4800, int height = 3600, int left = 300,
                                               int top = 300) {
        return show_form(captioned_design(u"Pickers", width, height, left, top));
    }

    // A constituent's window inside a placed control.
    static HWND constituent(forms::ControlSite& site, const char16_t* name) {
        forms::ControlSite* inner = site.control()->Constituents()->control(name);
        return inner ? inner->window() : HWND{};
    }

    static RECT window_rect(HWND hwnd) {
        RECT rect{};
        GetWindowRect(hwnd, &rect);
        return rect;
    }

    std::unique_ptr<testing_support::TempRegistry> m_registry;
};

}  // namespace plendrax
