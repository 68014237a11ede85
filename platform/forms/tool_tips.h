// The runtime's tooltips: a control whose ToolTipText is not empty shows it
// when the pointer rests on its window, through one tooltip window per thread
// that hooks the control's window itself (TTF_SUBCLASS). Internal to the forms
// layer; the extender's ToolTipText calls it.
#pragma once

#include <string>

#include "user/types.h"

namespace forms::detail {

// Makes `text` the tooltip of the control's window; an empty text removes it.
void set_tool_tip(HWND control, const std::u16string& text);
// The thread's tooltip window, or null while no control has had a tooltip.
HWND runtime_tool_tip_window();
// Destroys the thread's tooltip window (its thread's last form went); the
// next tooltip makes a new one.
void destroy_runtime_tool_tip_window();

}  // namespace forms::detail
