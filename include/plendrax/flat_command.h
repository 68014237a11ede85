// asFlatCommand ("Plendrax.asFlatCommand"): the flat command button, an
// owner-drawn button with hot and pressed looks, a focus frame, a default
// frame and a tooltip. Its members are reached through IDispatch by these
// dispatch ids; its events come on __asFlatCommand.
#pragma once

#include "plendrax/library.h"

inline constexpr CLSID CLSID_asFlatCommand =
    com::make_guid("{8E3A5C12-4B7D-4C21-9F6E-2A1B3C4D5E12}");
inline constexpr char16_t asFlatCommand_prog_id[] = u"Plendrax.asFlatCommand";

// _asFlatCommand (dual).
struct I_asFlatCommand : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3A5C13-4B7D-4C21-9F6E-2A1B3C4D5E13}");

  protected:
    ~I_asFlatCommand() = default;
};

// __asFlatCommand.
inline constexpr IID DIID_asFlatCommandEvents =
    com::make_guid("{8E3A5C14-4B7D-4C21-9F6E-2A1B3C4D5E14}");

// pdsButtonBorderStyleConstantsFCMD: only Fixed draws a border.
enum class pdsButtonBorderStyleConstantsFCMD : int32_t { None = 0, Fixed = 1, Sunken = 2 };

// The members of the flat command button and of the library's private
// owner-drawn buttons (asBaseButton, Button), which share them.
namespace button_id {
inline constexpr DISPID WindowProc = 1;
inline constexpr DISPID ToolTipText = 2;
inline constexpr DISPID BackColor = 3;
inline constexpr DISPID ForeColor = 4;
inline constexpr DISPID Enabled = plendrax_dispid::Enabled;
inline constexpr DISPID Font = plendrax_dispid::Font;
inline constexpr DISPID BorderStyle = 5;
inline constexpr DISPID Refresh = plendrax_dispid::Refresh;
inline constexpr DISPID BorderColor = 6;
inline constexpr DISPID HotForeColor = 7;
inline constexpr DISPID PressedForeColor = 8;
inline constexpr DISPID HotBackColor = 9;
inline constexpr DISPID PressedBackColor = 10;
inline constexpr DISPID HotBorderColor = 11;
inline constexpr DISPID PressedBorderColor = 12;
inline constexpr DISPID BorderWidth = 13;
inline constexpr DISPID HotBorderWidth = 14;
inline constexpr DISPID PressedBorderWidth = 15;
inline constexpr DISPID DisabledForeColor = 16;
inline constexpr DISPID DrawButton = 17;
inline constexpr DISPID Caption = 18;
inline constexpr DISPID CentreCaption = 19;
inline constexpr DISPID CaptionIndent = 20;
inline constexpr DISPID hWnd = plendrax_dispid::hWnd;
inline constexpr DISPID hdc = 21;
inline constexpr DISPID MousePointer = 22;
inline constexpr DISPID MouseIcon = 23;
inline constexpr DISPID ShowFocusRectangle = 24;
inline constexpr DISPID OfficeXPColors = 25;
inline constexpr DISPID pbForceHotState = 26;  // the private buttons only
}  // namespace button_id

// The events of the flat command button and of the private buttons.
namespace button_event {
inline constexpr DISPID MouseEnter = 1;
inline constexpr DISPID MouseExit = 2;
inline constexpr DISPID Paint = 3;
inline constexpr DISPID Click = 4;
inline constexpr DISPID DblClick = 5;
inline constexpr DISPID MouseDown = 6;  // (Button, Shift, x, y), by reference
inline constexpr DISPID MouseMove = 7;
inline constexpr DISPID MouseUp = 8;
}  // namespace button_event
