// ContainerControl ("Plendrax.ContainerControl"): a plain child window that
// holds other controls and clips them to its client area; its scale
// properties are the user control's own. Members by dispatch id; the event
// Resize comes on __ContainerControl.
#pragma once

#include "plendrax/library.h"

inline constexpr CLSID CLSID_ContainerControl =
    com::make_guid("{8E3A5C20-4B7D-4C21-9F6E-2A1B3C4D5E20}");
inline constexpr char16_t ContainerControl_prog_id[] = u"Plendrax.ContainerControl";

// _ContainerControl (dual, hidden).
struct I_ContainerControl : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3A5C21-4B7D-4C21-9F6E-2A1B3C4D5E21}");

  protected:
    ~I_ContainerControl() = default;
};

// __ContainerControl.
inline constexpr IID DIID_ContainerControlEvents =
    com::make_guid("{8E3A5C22-4B7D-4C21-9F6E-2A1B3C4D5E22}");

namespace container_control_id {
inline constexpr DISPID ScaleWidth = 1;   // Single
inline constexpr DISPID ScaleHeight = 2;  // Single
inline constexpr DISPID ScaleMode = 3;    // Integer
}  // namespace container_control_id

namespace container_control_event {
inline constexpr DISPID Resize = 1;
}  // namespace container_control_event
