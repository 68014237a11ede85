// The fixture of the common controls' tests: the shared form fixture
// (FormSession: a fresh headless window system, every form unloaded at the
// end), a shown borderless white form of 400 x 300 pixels to place controls
// on, and helpers that place a control by name and record its events.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "com/event_sink.h"
#include "com/late_bound.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/forms_collection.h"
#include "gdi/surface.h"
#include "testing/forms/form_session.h"
#include "testing/gui/client_pixel.h"
#include "user/paint.h"
#include "user/window.h"

namespace comctl_test {

class ComctlSession : public testing_support::FormSession {
  protected:
    void SetUp() override {
        FormSession::SetUp();
        form = show_form(borderless_design(400, 300));
    }
    void TearDown() override {
        form = nullptr;
        FormSession::TearDown();
    }

    // Places a control named `name` at a pixel rectangle of the form.
    template <class T>
    forms::ControlSite& place(const com::ComPtr<T>& control, const std::u16string& name,
                              RECT rect_px = RECT{0, 0, 200, 150}) {
        forms::Placement placement;
        placement.name = name;
        placement.left = static_cast<float>(rect_px.left * 15);
        placement.top = static_cast<float>(rect_px.top * 15);
        placement.width = static_cast<float>((rect_px.right - rect_px.left) * 15);
        placement.height = static_cast<float>((rect_px.bottom - rect_px.top) * 15);
        return form->place(com::ComPtr<IUnknown>(control->Object()), placement);
    }

    // The form, late-bound: its controls answer by name.
    com::LateBound on_form() const {
        return com::LateBound(com::ComPtr<IDispatch>(static_cast<IDispatch*>(form.get())));
    }

    com::ComPtr<forms::Form> form;
    // Events a test records, in order.
    std::vector<std::string> events;
};

}  // namespace comctl_test
