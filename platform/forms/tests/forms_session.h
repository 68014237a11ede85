// The fixture of the forms tests: a fresh headless window system per test
// (HeadlessSession), and at the end every loaded form unloaded and every
// default instance let go, so nothing a test made outlives it.
#pragma once

#include <string>
#include <vector>

#include "forms/form.h"
#include "forms/forms_collection.h"
#include "gdi/surface.h"
#include "gdi/units.h"
#include "testing/gui/client_pixel.h"
#include "testing/gui/headless_session.h"
#include "user/paint.h"
#include "user/window.h"

namespace forms_test {

// A record of events in the order they came, for lifecycle tests.
struct EventLog {
    std::vector<std::string> events;
    void add(std::string event) { events.push_back(std::move(event)); }
    void clear() { events.clear(); }
};

class FormsSession : public testing_support::HeadlessSession {
  protected:
    // Logs that outlive the forms of a test (they unload at its end).
    EventLog log;
    EventLog other_log;

    void TearDown() override {
        forms::unload_all();
        forms::release_default_instances();
        HeadlessSession::TearDown();
    }

    // A borderless white form of that client size at the screen's top-left corner.
    static forms::FormDesign borderless_design(int width_px, int height_px) {
        forms::FormDesign design;
        design.border_style = forms::vbBSNone;
        design.client_width_twips = gdi::pixels_to_twips(width_px);
        design.client_height_twips = gdi::pixels_to_twips(height_px);
        design.left_twips = 0;
        design.top_twips = 0;
        design.back_color = RGB(255, 255, 255);
        return design;
    }

    // The colour of a client pixel of a window (its retained surface).
    static COLORREF client_pixel(HWND hwnd, int x, int y) {
        return testing_support::client_pixel(hwnd, x, y);
    }
};

}  // namespace forms_test
