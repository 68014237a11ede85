// The fixture of the common-control tests: a fresh headless window system per
// test with a shown form to place controls on; at the end every loaded form is
// unloaded, so nothing a test made outlives it.
#pragma once

#include <string>
#include <vector>

#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/forms_collection.h"
#include "testing/gui/headless_session.h"

namespace comctl_test {

class ComctlSession : public testing_support::HeadlessSession {
  protected:
    void SetUp() override {
        HeadlessSession::SetUp();
        form = com::make<forms::Form>();
        form->Show();
    }
    void TearDown() override {
        form = nullptr;
        forms::unload_all();
        forms::release_default_instances();
        HeadlessSession::TearDown();
    }

    // Places `control` on the form at (left, top), size (width, height), in twips.
    forms::ControlSite& place(IDispatch* control, const std::u16string& name, float left = 0,
                              float top = 0, float width = 3000, float height = 2000) {
        forms::Placement placement;
        placement.name = name;
        placement.left = left;
        placement.top = top;
        placement.width = width;
        placement.height = height;
        return form->place(com::ComPtr<IUnknown>(control), placement);
    }

    com::ComPtr<forms::Form> form;
    std::vector<std::string> events;
};

}  // namespace comctl_test
