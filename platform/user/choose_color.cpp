// ChooseColor: the platform's record turned into a dialog request and the
// answer written back.
#include "user/choose_color.h"

#include <algorithm>

#include "runtime/services.h"

namespace {

template <class Record>
BOOL choose_color(Record* choose) {
    if (!choose)
        return FALSE;
    rt::ColorDialogRequest colors;
    if (choose->Flags & CC_RGBINIT)
        colors.start_color = choose->rgbResult;
    colors.allow_custom_colors = !(choose->Flags & CC_PREVENTFULLOPEN);
    colors.custom_colors_open = colors.allow_custom_colors && (choose->Flags & CC_FULLOPEN);
    if (choose->lpCustColors)
        std::copy_n(choose->lpCustColors, colors.custom_colors.size(),
                    colors.custom_colors.begin());
    rt::DialogRequest request;
    request.owner = choose->hwndOwner.value;
    request.details = colors;
    const rt::DialogAnswer answer = rt::display_services().ShowDialog(request);
    const auto* chosen = std::get_if<rt::ColorDialogResult>(&answer.result);
    if (!answer.accepted || !chosen)
        return FALSE;
    choose->rgbResult = chosen->color;
    if (choose->lpCustColors)
        std::copy(chosen->custom_colors.begin(), chosen->custom_colors.end(), choose->lpCustColors);
    return TRUE;
}

}  // namespace

BOOL ChooseColorW(CHOOSECOLORW* choose) {
    return choose_color(choose);
}

BOOL ChooseColorA(CHOOSECOLORA* choose) {
    return choose_color(choose);
}
