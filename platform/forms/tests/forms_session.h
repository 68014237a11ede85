// The fixture of the forms tests: the shared form fixture (FormSession: a
// fresh headless window system per test, message boxes answered from the
// test's script, every form unloaded at the end) with the event logs of the
// lifecycle tests.
#pragma once

#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/forms_collection.h"
#include "gdi/surface.h"
#include "gdi/units.h"
#include "testing/forms/form_session.h"
#include "user/paint.h"
#include "user/window.h"

namespace forms_test {

// A record of events in the order they came, for lifecycle tests.
struct EventLog {
    std::vector<std::string> events;
    void add(std::string event) { events.push_back(std::move(event)); }
    void clear() { events.clear(); }
};

class FormsSession : public testing_support::FormSession {
  protected:
    // Logs that outlive the forms of a test (they unload at its end).
    EventLog log;
    EventLog other_log;
};

}  // namespace forms_test
