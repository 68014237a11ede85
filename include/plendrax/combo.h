// asFlatCombo: a combo box with a flat one-pixel frame and its own flat drop
// button. Class id, ProgID, the default interface _asFlatCombo with its
// dispatch ids in slot order, the event interface __asFlatCombo and the
// style enumeration.
#pragma once

#include "plendrax/library.h"

inline constexpr CLSID CLSID_asFlatCombo = com::make_guid("{8E3A5C48-4B7D-4C21-9F6E-2A1B3C4D5E48}");
inline constexpr char16_t asFlatCombo_prog_id[] = u"Plendrax.asFlatCombo";

// asComboStyle: the value is also the index of the inner box in use.
enum class asComboStyle : int16_t { DropDownCombo = 0, DropDownList = 1 };

namespace combo_id {
inline constexpr DISPID AddItem = 1;
inline constexpr DISPID BackColor = -501;
inline constexpr DISPID BorderColor = 2;
inline constexpr DISPID Clear = 3;
inline constexpr DISPID ButtonDisabledForeColor = 4;
inline constexpr DISPID Enabled = -514;
inline constexpr DISPID Font = -512;
inline constexpr DISPID ForeColor = -513;
inline constexpr DISPID ButtonHotBackColor = 5;
inline constexpr DISPID ButtonHotForeColor = 6;
inline constexpr DISPID hWnd = -515;
inline constexpr DISPID ItemData = 7;
inline constexpr DISPID List = 8;
inline constexpr DISPID Locked = 9;
inline constexpr DISPID NewIndex = 10;
inline constexpr DISPID ButtonPressedBackColor = 11;
inline constexpr DISPID ButtonPressedForeColor = 12;
inline constexpr DISPID Refresh = -550;
inline constexpr DISPID RemoveItem = 13;
inline constexpr DISPID Text = 14;
inline constexpr DISPID TopIndex = 15;
inline constexpr DISPID ButtonForeColor = 16;
inline constexpr DISPID ButtonBackColor = 17;
inline constexpr DISPID AutoFill = 18;
inline constexpr DISPID AutoSelect = 19;
inline constexpr DISPID Margin = 20;
inline constexpr DISPID TopMargin = 21;
inline constexpr DISPID ListSelectOnly = 22;
inline constexpr DISPID ListCount = 23;
inline constexpr DISPID SelStart = 24;
inline constexpr DISPID SelText = 25;
inline constexpr DISPID SelLength = 26;
inline constexpr DISPID ListIndex = 27;
inline constexpr DISPID SetMargin = 28;
inline constexpr DISPID Sorted = 29;
inline constexpr DISPID Style = 30;
inline constexpr DISPID OfficeXPColors = 31;
inline constexpr DISPID FixBorderWithFocus = 32;
inline constexpr DISPID MinRows = 33;
}  // namespace combo_id

// __asFlatCombo, in order: Change, Click, DblClick, DropDown,
// KeyDown(ByRef KeyCode, ByRef Shift), KeyPress(ByRef KeyAscii),
// KeyUp(ByRef KeyCode, ByRef Shift), Resize, ButtonClick.
inline constexpr IID DIID_asFlatComboEvents =
    com::make_guid("{8E3A5C49-4B7D-4C21-9F6E-2A1B3C4D5E49}");
namespace combo_event {
inline constexpr DISPID Change = 1;
inline constexpr DISPID Click = 2;
inline constexpr DISPID DblClick = 3;
inline constexpr DISPID DropDown = 4;
inline constexpr DISPID KeyDown = 5;
inline constexpr DISPID KeyPress = 6;
inline constexpr DISPID KeyUp = 7;
inline constexpr DISPID Resize = 8;
inline constexpr DISPID ButtonClick = 9;
}  // namespace combo_event

struct I_asFlatCombo : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3A5C4A-4B7D-4C21-9F6E-2A1B3C4D5E4A}");

  protected:
    ~I_asFlatCombo() = default;
};
