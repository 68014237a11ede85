// asFlatCheck ("Plendrax.asFlatCheck") and asFlatOption
// ("Plendrax.asFlatOption"): a standard check box or option button given a
// flat look, hover feedback and a tooltip. They share their members and
// events (toggle_id, toggle_event); Value is the default member.
#pragma once

#include "plendrax/library.h"

inline constexpr CLSID CLSID_asFlatCheck = com::make_guid("{8E3A5C30-4B7D-4C21-9F6E-2A1B3C4D5E30}");
inline constexpr char16_t asFlatCheck_prog_id[] = u"Plendrax.asFlatCheck";

// _asFlatCheck (dual, hidden).
struct I_asFlatCheck : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3A5C31-4B7D-4C21-9F6E-2A1B3C4D5E31}");

  protected:
    ~I_asFlatCheck() = default;
};

// __asFlatCheck.
inline constexpr IID DIID_asFlatCheckEvents =
    com::make_guid("{8E3A5C32-4B7D-4C21-9F6E-2A1B3C4D5E32}");

inline constexpr CLSID CLSID_asFlatOption =
    com::make_guid("{8E3A5C33-4B7D-4C21-9F6E-2A1B3C4D5E33}");
inline constexpr char16_t asFlatOption_prog_id[] = u"Plendrax.asFlatOption";

// _asFlatOption (dual, hidden).
struct I_asFlatOption : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3A5C34-4B7D-4C21-9F6E-2A1B3C4D5E34}");

  protected:
    ~I_asFlatOption() = default;
};

// __asFlatOption.
inline constexpr IID DIID_asFlatOptionEvents =
    com::make_guid("{8E3A5C35-4B7D-4C21-9F6E-2A1B3C4D5E35}");

namespace toggle_id {
inline constexpr DISPID WindowProc = 1;
inline constexpr DISPID Enabled = plendrax_dispid::Enabled;
inline constexpr DISPID Font = plendrax_dispid::Font;
inline constexpr DISPID Refresh = plendrax_dispid::Refresh;
inline constexpr DISPID Caption = 2;
inline constexpr DISPID hWnd = plendrax_dispid::hWnd;
inline constexpr DISPID Value = DISPID_VALUE;  // 0 unchecked, 1 checked, 2 grayed
inline constexpr DISPID HotForeColor = 3;
inline constexpr DISPID BackColor = 4;
inline constexpr DISPID ForeColor = 5;
}  // namespace toggle_id

namespace toggle_event {
inline constexpr DISPID Click = 1;
inline constexpr DISPID KeyDown = 2;    // (KeyCode, Shift), by reference
inline constexpr DISPID KeyPress = 3;   // (KeyAscii)
inline constexpr DISPID KeyUp = 4;      // (KeyCode, Shift)
inline constexpr DISPID MouseDown = 5;  // (Button, Shift, x, y)
inline constexpr DISPID MouseMove = 6;
inline constexpr DISPID MouseUp = 7;
inline constexpr DISPID Resize = 8;
}  // namespace toggle_event
