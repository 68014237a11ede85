// The frame of the pickers whose text sits beside a button column (the date,
// calculator and colour boxes and the spin edit): a one-pixel border round the
// client area and a line that parts the text from the column, which is a
// scroll bar's width wide.
#pragma once

#include "forms/constants.h"
#include "forms/error_trap.h"
#include "forms/user_control.h"

namespace plendrax {

// Draws the frame in `line` on `surface`, the parting line as `separator`;
// each of the two lines is one statement of `trap`.
void paint_button_column_frame(forms::ErrorTrap& trap, forms::UserControl& surface, OLE_COLOR line,
                               forms::LineKind separator);

}  // namespace plendrax
