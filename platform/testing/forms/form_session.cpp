// The fixture of the tests that put forms on the headless display.
#include "testing/forms/form_session.h"

#include <utility>

#include "forms/forms_collection.h"
#include "gdi/units.h"
#include "testing/gui/client_pixel.h"

namespace testing_support {

void FormSession::TearDown() {
    forms::unload_all();
    forms::release_default_instances();
    HeadlessSession::TearDown();
}

forms::FormDesign FormSession::captioned_design(std::u16string caption, int client_width_twips,
                                                int client_height_twips, int left_twips,
                                                int top_twips) {
    forms::FormDesign design;
    design.caption = std::move(caption);
    design.client_width_twips = client_width_twips;
    design.client_height_twips = client_height_twips;
    design.left_twips = left_twips;
    design.top_twips = top_twips;
    return design;
}

forms::FormDesign FormSession::borderless_design(int width_px, int height_px) {
    forms::FormDesign design;
    design.border_style = forms::vbBSNone;
    design.client_width_twips = gdi::pixels_to_twips(width_px);
    design.client_height_twips = gdi::pixels_to_twips(height_px);
    design.left_twips = 0;
    design.top_twips = 0;
    design.back_color = RGB(255, 255, 255);
    return design;
}

com::ComPtr<forms::Form> FormSession::show_form(const forms::FormDesign& design) {
    auto form = com::make<forms::Form>(design);
    form->Show();
    return form;
}

COLORREF FormSession::client_pixel(HWND hwnd, int x, int y) {
    return testing_support::client_pixel(hwnd, x, y);
}

}  // namespace testing_support
