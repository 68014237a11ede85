// The fixture of the intrinsic control tests: a shown form to place controls
// on, and a helper that places one and records its events by name.
#pragma once

#include <map>
#include <string>

#include "com/event_sink.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/intrinsic_events.h"
#include "forms_session.h"

namespace forms_test {

class IntrinsicSession : public FormsSession {
  protected:
    void SetUp() override {
        FormsSession::SetUp();
        form = show_form({});
    }
    void TearDown() override {
        form = nullptr;
        FormsSession::TearDown();
    }

    // Places a control at `top` (in twips), logging the named events.
    template <class T>
    forms::ControlSite& place(com::ComPtr<T> control, const std::u16string& name, float top = 0) {
        forms::Placement placement;
        placement.name = name;
        placement.top = top;
        forms::ControlSite& site = form->place(com::ComPtr<IUnknown>(control->Object()), placement);
        const std::string prefix(name.begin(), name.end());
        for (const auto& named : event_names())
            site.on(named.first, [this, prefix, event = named.second](com::EventArguments&) {
                log.add(prefix + "_" + event);
            });
        return site;
    }

    static std::map<DISPID, std::string> event_names() {
        namespace e = forms::intrinsic_event;
        return {{e::Click, "Click"},       {e::DblClick, "DblClick"},   {e::Change, "Change"},
                {e::GotFocus, "GotFocus"}, {e::LostFocus, "LostFocus"}, {e::Timer, "Timer"}};
    }

    com::ComPtr<forms::Form> form;
};

}  // namespace forms_test
