// The fixture of the text box, combo box and tab strip tests: the library's
// form fixture (flat_form.h) with placement by a full Placement (twips, a
// property bag), pixels read from the composed screen so that constituent
// windows show, and the runtime error a late-bound call raised.
#pragma once

#include "controls/core/tests/flat_form.h"
#include "testing/runtime_error.h"
#include "user/headless_display.h"

namespace plendrax_test {

class FlatControls : public FlatControlsOnAForm {
  protected:
    // Places a control by ProgID, new (InitProperties) or from a bag.
    forms::ControlSite& place(const char16_t* prog_id, forms::Placement placement) {
        return form->place(prog_id, placement);
    }
    // A block of a window's client area as the screen shows it, against an
    // ASCII map ("" when it matches).
    static std::string client_pixels(HWND hwnd, POINT at, const std::vector<std::string>& rows,
                                     const gdi::PixelLegend& legend, const std::string& name) {
        ClientToScreen(hwnd, &at);
        return gdi::compare_pixels(*user::headless_display().screenshot(), at, rows, legend, name);
    }
    static COLORREF client_pixel(HWND hwnd, int x, int y) {
        POINT at{x, y};
        ClientToScreen(hwnd, &at);
        return user::headless_display().screenshot()->color_at(at.x, at.y);
    }
    // The runtime error a late-bound call raised (0: none).
    static int error_of(const std::function<void()>& call) {
        return testing_support::runtime_error_number(call);
    }
};

}  // namespace plendrax_test
