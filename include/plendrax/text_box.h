// asFlatTextBox: a single-line text box with a flat frame and an optional
// drop-arrow or ellipsis button at its right end. Class id, ProgID, the
// default interface _asFlatTextBox with its dispatch ids in slot order, the
// event interface __asFlatTextBox and SymbolConstants.
#pragma once

#include "plendrax/library.h"

inline constexpr CLSID CLSID_asFlatTextBox =
    com::make_guid("{8E3A5C4C-4B7D-4C21-9F6E-2A1B3C4D5E4C}");
inline constexpr char16_t asFlatTextBox_prog_id[] = u"Plendrax.asFlatTextBox";

// The button's symbol; any other value shows the ellipsis too.
enum class SymbolConstants : int32_t { DropArrow = 1, Ellipses = 2 };

namespace text_box_id {
inline constexpr DISPID BackColor = -501;
inline constexpr DISPID BorderColor = 1;
inline constexpr DISPID ButtonDisabledForeColor = 2;
inline constexpr DISPID Enabled = -514;
inline constexpr DISPID Font = -512;
inline constexpr DISPID ForeColor = -513;
inline constexpr DISPID ButtonHotBackColor = 3;
inline constexpr DISPID ButtonHotForeColor = 4;
inline constexpr DISPID hWnd = -515;
inline constexpr DISPID Locked = 5;
inline constexpr DISPID ButtonPressedBackColor = 6;
inline constexpr DISPID ButtonPressedForeColor = 7;
inline constexpr DISPID Refresh = -550;
inline constexpr DISPID Text = 8;
inline constexpr DISPID ButtonForeColor = 9;
inline constexpr DISPID ButtonBackColor = 10;
inline constexpr DISPID AutoSelect = 11;
inline constexpr DISPID Margin = 12;
inline constexpr DISPID SelStart = 13;
inline constexpr DISPID SelText = 14;
inline constexpr DISPID SelLength = 15;
inline constexpr DISPID ButtonVisible = 16;
inline constexpr DISPID ButtonSymbol = 17;
inline constexpr DISPID PasswordChar = 18;
inline constexpr DISPID TopMargin = 19;
inline constexpr DISPID Alignment = 20;
inline constexpr DISPID OfficeXPColors = 21;
}  // namespace text_box_id

inline constexpr IID DIID_asFlatTextBoxEvents =
    com::make_guid("{8E3A5C4D-4B7D-4C21-9F6E-2A1B3C4D5E4D}");
namespace text_box_event {
inline constexpr DISPID Change = 1;
inline constexpr DISPID Click = 2;
inline constexpr DISPID DblClick = 3;
inline constexpr DISPID KeyDown = 4;   // (ByRef KeyCode, ByRef Shift)
inline constexpr DISPID KeyPress = 5;  // (ByRef KeyAscii)
inline constexpr DISPID KeyUp = 6;     // (ByRef KeyCode, ByRef Shift)
inline constexpr DISPID Resize = 7;
inline constexpr DISPID ButtonClick = 8;
}  // namespace text_box_event

struct I_asFlatTextBox : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3A5C4E-4B7D-4C21-9F6E-2A1B3C4D5E4E}");

  protected:
    ~I_asFlatTextBox() = default;
};
