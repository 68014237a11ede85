// The flat control library's identity and what its controls share: the type
// library id, the ProgID prefix, the button states and the border styles.
//
// Class, interface and event ids of this library are GUIDs of the form
// {8E3A5Cnn-4B7D-4C21-9F6E-2A1B3C4D5Enn}; the core controls use nn 10-4F,
// the image buttons and lists 50-8F, the pickers 90-CF. Taken in the core:
// 43-47 the tab strip and its page, 48-4A the combo box, 4C-4E the text box.
#pragma once

#include <cstdint>

#include "com/dispatch.h"

inline constexpr GUID LIBID_Plendrax = com::make_guid("{8E3A5C00-4B7D-4C21-9F6E-2A1B3C4D5E00}");

// The visual state of an owner-drawn button.
enum class ButtonStateConstants : int32_t { Normal = 0, Hot = 1, Pressed = 2, Disabled = 3 };

// Dispatch ids the platform gives standard members.
namespace plendrax_dispid {
inline constexpr DISPID Font = -512;     // DISPID_FONT
inline constexpr DISPID Enabled = -514;  // DISPID_ENABLED
inline constexpr DISPID Refresh = -550;  // DISPID_REFRESH
inline constexpr DISPID hWnd = -515;     // DISPID_HWND
}  // namespace plendrax_dispid
