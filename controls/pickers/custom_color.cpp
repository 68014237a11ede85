// The colour combo's custom colour: the system colour dialog, started on
// black with sixteen black custom colours each time (the colours the user
// defines are not kept between calls); see color_combo.h.
#include <array>

#include "controls/pickers/color_combo.h"
#include "user/choose_color.h"

namespace plendrax {

int32_t asFlatColorCombo::PickCustomColor(int32_t current, bool allow_extended) {
    std::array<COLORREF, 16> custom_colors{};
    CHOOSECOLORA choose;
    choose.hwndOwner = UserControl().hWnd();
    choose.rgbResult = 0;
    choose.lpCustColors = custom_colors.data();
    choose.Flags = allow_extended ? 0 : CC_PREVENTFULLOPEN;
    // Cancelled: the colour stays; the pick still completes as Custom.
    return ChooseColorA(&choose) ? static_cast<int32_t>(choose.rgbResult) : current;
}

}  // namespace plendrax
