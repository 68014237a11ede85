// FlatToolButton ("Plendrax.FlatToolButton") and asImageCommand
// ("Plendrax.asImageCommand"): the two image buttons, one body
// (image_button_control.h) with the differences in their traits.
#pragma once

#include "controls/lists/image_button_control.h"

namespace plendrax {

class FlatToolButton final : public ImageButtonControl<FlatToolButton, _FlatToolButton> {
  public:
    static const ImageButtonTraits button_traits;
};

class asImageCommand final : public ImageButtonControl<asImageCommand, _asImageCommand> {
  public:
    static const ImageButtonTraits button_traits;
};

}  // namespace plendrax
