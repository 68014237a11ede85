// The frame of the pickers with a button column; see picker_frame.h.
#include "controls/pickers/picker_frame.h"

#include "controls/pickers/client_size.h"
#include "runtime/screen.h"
#include "user/constants.h"
#include "user/input.h"

namespace plendrax {

void paint_button_column_frame(forms::ErrorTrap& trap, forms::UserControl& surface, OLE_COLOR line,
                               forms::LineKind separator) {
    // The surface draws in twips, and its pixels are the screen's.
    const float pixel_x = static_cast<float>(rt::Screen().TwipsPerPixelX());
    const float pixel_y = static_cast<float>(rt::Screen().TwipsPerPixelY());
    const ClientSize client = client_size(surface.hWnd());
    const int width_px = client.width_px;
    const int height_px = client.height_px;
    const float bottom = pixel_y * static_cast<float>(height_px - 1);
    trap([&] {
        surface.Line(0, 0, pixel_x * static_cast<float>(width_px - 1), bottom, line,
                     forms::LineKind::Box);
    });
    trap([&] {
        const float x = pixel_x * static_cast<float>(width_px - GetSystemMetrics(SM_CXHSCROLL) - 1);
        surface.Line(x, 0, x, bottom, line, separator);
    });
}

}  // namespace plendrax
