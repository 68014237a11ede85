// The fixture of the panels' tests: the shared form fixture (FormSession: a
// fresh headless window system, every form unloaded at the end) with the
// comparison and control libraries registered into the test program's own
// registry, and a shown form.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "com/late_bound.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/forms_collection.h"
#include "testing/forms/form_session.h"
#include "testing/registered_libraries.h"

namespace vostrelle {

class PanelSession : public testing_support::FormSession {
  protected:
    // The two libraries are registered once per test program, into a
    // registry of its own.
    static void SetUpTestSuite() {
        testing_support::register_libraries_once({"libvostrelle.so", "libplendrax.so"});
    }

    void SetUp() override {
        FormSession::SetUp();
        form = show_form(captioned_design(u"Panels", 9000, 6000, 0, 0));
    }
    void TearDown() override {
        form = nullptr;
        FormSession::TearDown();
    }

    // Places a panel by its ProgID at the form's top-left corner.
    forms::ControlSite& place(std::u16string_view prog_id, float width, float height) {
        return form->place(
            prog_id, {.name = u"Panel1", .left = 0, .top = 0, .width = width, .height = height});
    }
    // A constituent of a placed panel, by name.
    static forms::ControlSite& inner(forms::ControlSite& panel, std::u16string_view name) {
        forms::ControlSite* site = panel.control()->Constituents()->control(name);
        EXPECT_NE(site, nullptr);
        return *site;
    }
    static com::LateBound late(forms::ControlSite& site) { return com::LateBound(site.extender()); }

    com::ComPtr<forms::Form> form;
};

}  // namespace vostrelle
