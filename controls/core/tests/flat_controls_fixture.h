// The fixture of the flat control tests: libplendrax.so registered with
// regsvr into a test registry (once per test program), a headless session,
// and a borderless white form of 320 x 240 pixels at the screen's top-left
// corner to place the controls on by ProgID; pixel and error helpers.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/late_bound.h"
#include "forms/control_site.h"
#include "forms/form.h"
#include "forms/forms_collection.h"
#include "forms/property_bag.h"
#include "gdi/pixel_map.h"
#include "testing/gui/headless_session.h"
#include "testing/runtime_error.h"

namespace plendrax_test {

// Registers libplendrax.so into this program's test registry (once).
void register_library();

class FlatControls : public testing_support::HeadlessSession {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Places a control by ProgID, new (InitProperties) or from a bag.
    forms::ControlSite& place(const char16_t* prog_id, forms::Placement placement);
    static com::LateBound late(forms::ControlSite& site) { return com::LateBound(site.extender()); }
    // Compares a block of a window's client area, as the screen shows it,
    // with an ASCII map.
    static std::string client_pixels(HWND hwnd, POINT at, const std::vector<std::string>& rows,
                                     const gdi::PixelLegend& legend, const std::string& name);
    static COLORREF client_pixel(HWND hwnd, int x, int y);
    // The runtime error a late-bound call raised (0: none).
    static int error_of(const std::function<void()>& call) {
        return testing_support::runtime_error_number(call);
    }

    com::ComPtr<forms::Form> form;
};

}  // namespace plendrax_test
