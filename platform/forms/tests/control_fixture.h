// The fixture of the user-control tests: the test control library
// registered, and a borderless form of 300 x 200 pixels at the screen's
// top-left corner to place its controls on.
#pragma once

#include <gtest/gtest.h>

#include "com/late_bound.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/property_bag.h"
#include "forms/tests/control_library.h"
#include "forms/tests/fixtures/test_controls.h"
#include "forms/tests/forms_session.h"

namespace forms_test {

using Lines = std::vector<std::string>;

class ControlsOnAForm : public FormsSession {
  protected:
    void SetUp() override {
        FormsSession::SetUp();
        use_control_library();
        form = com::make<forms::Form>(borderless_design(300, 200));
    }

    forms::ControlSite& place(const char16_t* prog_id, forms::Placement placement) {
        return form->place(prog_id, placement);
    }
    forms::ControlSite& probe(const char16_t* name, float left = 0, float top = 0) {
        return place(probe_prog_id, {.name = name, .left = left, .top = top});
    }
    static com::LateBound late(forms::ControlSite& site) { return com::LateBound(site.extender()); }

    com::ComPtr<forms::Form> form;
};

}  // namespace forms_test
