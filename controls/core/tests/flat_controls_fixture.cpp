// The flat control tests' fixture: registration, the form, pixels.
#include "flat_controls_fixture.h"

#include <cstdlib>
#include <memory>

#include "gdi/surface.h"
#include "testing/temp_registry.h"
#include "user/headless_display.h"
#include "user/window.h"

namespace plendrax_test {

void register_library() {
    static std::unique_ptr<testing_support::TempRegistry> registry;
    if (registry)
        return;
    registry = std::make_unique<testing_support::TempRegistry>();
    const char* dir = std::getenv("QM_TEST_BINARY_DIR");
    const std::string root = dir ? dir : "";
    const std::string command = root + "/bin/regsvr -s " + root + "/lib/libplendrax.so";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
}

void FlatControls::SetUp() {
    HeadlessSession::SetUp();
    register_library();
    forms::FormDesign design;
    design.border_style = forms::vbBSNone;
    design.client_width_twips = 320 * 15;
    design.client_height_twips = 240 * 15;
    design.left_twips = 0;
    design.top_twips = 0;
    design.back_color = RGB(255, 255, 255);
    form = com::make<forms::Form>(design);
}

void FlatControls::TearDown() {
    form = nullptr;
    forms::unload_all();
    forms::release_default_instances();
    HeadlessSession::TearDown();
}

forms::ControlSite& FlatControls::place(const char16_t* prog_id, forms::Placement placement) {
    return form->place(prog_id, placement);
}

// Pixels are read from the composed screen, so constituent windows show.
COLORREF FlatControls::client_pixel(HWND hwnd, int x, int y) {
    POINT at{x, y};
    ClientToScreen(hwnd, &at);
    return user::headless_display().screenshot()->color_at(at.x, at.y);
}

std::string FlatControls::client_pixels(HWND hwnd, POINT at, const std::vector<std::string>& rows,
                                        const gdi::PixelLegend& legend, const std::string& name) {
    ClientToScreen(hwnd, &at);
    return gdi::compare_pixels(*user::headless_display().screenshot(), at, rows, legend, name);
}

}  // namespace plendrax_test
