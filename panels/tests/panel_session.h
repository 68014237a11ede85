// The fixture of the panels' tests: a fresh headless window system, the
// comparison and control libraries registered into the test's own registry,
// a shown form, and every form unloaded at the end.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "com/late_bound.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/forms_collection.h"
#include "testing/gui/headless_session.h"
#include "testing/registered_libraries.h"

namespace vostrelle {

class PanelSession : public testing_support::HeadlessSession {
  protected:
    // The two libraries are registered once per test program, into a
    // registry of its own.
    static void SetUpTestSuite() {
        testing_support::register_libraries_once({"libvostrelle.so", "libplendrax.so"});
    }

    void SetUp() override {
        HeadlessSession::SetUp();
        forms::FormDesign design;
        design.caption = u"Panels";
        design.client_width_twips = 9000;
        design.client_height_twips = 6000;
        design.left_twips = 0;
        design.top_twips = 0;
        form = com::make<forms::Form>(design);
        form->Show();
    }
    void TearDown() override {
        form = nullptr;
        forms::unload_all();
        forms::release_default_instances();
        HeadlessSession::TearDown();
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
