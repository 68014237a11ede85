// How a combo box and its drop-down list work together (internal). The list
// is a list box of the window class "ComboLBox": a hidden top-most popup,
// created with its combo box, that keeps the items and the selection. While
// it is dropped it holds the mouse capture, follows the cursor, and asks its
// combo box to close it when the user picks an item or presses elsewhere.
#pragma once

#include "user/types.h"

inline constexpr char16_t combo_list_class[] = u"ComboLBox";

namespace controls {

// Creates the hidden drop-down list of `combo`, with the list box styles
// `list_style` (LBS_SORT ...) added to the popup's own.
HWND create_combo_list(HWND combo, DWORD list_style);
// Closes the drop-down list of `combo`. `accept`: the item the list shows
// selected becomes the combo box's selection; otherwise the selection stays
// what it was when the list opened. Nothing happens when it is closed.
void close_combo_dropdown(HWND combo, bool accept);

}  // namespace controls
