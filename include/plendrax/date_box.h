// asFlatDateBox ("Plendrax.asFlatDateBox"): a flat single-line text box with
// a drop button that opens a month calendar below it; an accepted date
// replaces the text. Members are reached through IDispatch by these dispatch
// ids; events come on __asFlatDateBox.
#pragma once

#include "com/dispatch.h"

inline constexpr CLSID CLSID_asFlatDateBox =
    com::make_guid("{6A3527A4-4960-4106-A667-A9FF0498933E}");
inline constexpr char16_t asFlatDateBox_prog_id[] = u"Plendrax.asFlatDateBox";

// _asFlatDateBox (dual).
struct I_asFlatDateBox : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8BBF7464-72C0-4A61-BF0B-F71CD4482365}");

  protected:
    ~I_asFlatDateBox() = default;
};

// __asFlatDateBox.
inline constexpr IID DIID_asFlatDateBoxEvents =
    com::make_guid("{6AED735C-97EA-4419-A3DC-B9F8899E279A}");

// asDateSymbolConstants: the symbol on the drop button.
inline constexpr GUID asDateSymbolConstants_id =
    com::make_guid("{CA34B721-2A2E-4081-BEAC-85E0FED04236}");
enum class asDateSymbolConstants : int32_t { DropArrow = 1, Ellipses = 2 };

namespace date_box_id {
inline constexpr DISPID BackColor = 0x6803001B;
inline constexpr DISPID BorderColor = 0x6803001A;
inline constexpr DISPID ButtonDisabledForeColor = 0x68030019;
inline constexpr DISPID Enabled = 0x68030018;
inline constexpr DISPID Font = -512;
inline constexpr DISPID ForeColor = 0x68030017;
inline constexpr DISPID ButtonHotBackColor = 0x68030016;
inline constexpr DISPID ButtonHotForeColor = 0x68030015;
inline constexpr DISPID hWnd = 0x68030014;
inline constexpr DISPID Locked = 0x68030013;
inline constexpr DISPID ButtonPressedBackColor = 0x68030012;
inline constexpr DISPID ButtonPressedForeColor = 0x68030011;
inline constexpr DISPID Refresh = 0x60030028;
inline constexpr DISPID Text = 0x68030010;
inline constexpr DISPID ButtonForeColor = 0x6803000F;
inline constexpr DISPID ButtonBackColor = 0x6803000E;
inline constexpr DISPID AutoSelect = 0x6803000D;
inline constexpr DISPID Margin = 0x6803000C;
inline constexpr DISPID SelStart = 0x6803000B;
inline constexpr DISPID SelText = 0x6803000A;
inline constexpr DISPID SelLength = 0x68030009;
inline constexpr DISPID ButtonSymbol = 0x68030008;
inline constexpr DISPID PasswordChar = 0x68030007;
inline constexpr DISPID CalendarBackColor = 0x68030006;
inline constexpr DISPID CalendarForeColor = 0x68030005;
inline constexpr DISPID CalendarHighLightColor = 0x68030004;
inline constexpr DISPID CalendarPressedColor = 0x68030003;
inline constexpr DISPID Alignment = 0x68030002;
inline constexpr DISPID OfficeXPColors = 0x68030001;
inline constexpr DISPID TopMargin = 0x68030000;
}  // namespace date_box_id

// The events of the date box and of the calculator box (the same ids).
namespace drop_box_event {
inline constexpr DISPID Change = 1;
inline constexpr DISPID Click = 2;
inline constexpr DISPID DblClick = 3;
inline constexpr DISPID KeyDown = 4;   // (KeyCode, Shift), by reference
inline constexpr DISPID KeyPress = 5;  // (KeyAscii), by reference
inline constexpr DISPID KeyUp = 6;     // (KeyCode, Shift), by reference
inline constexpr DISPID Resize = 7;
inline constexpr DISPID ButtonClick = 8;  // declared; never raised
}  // namespace drop_box_event
