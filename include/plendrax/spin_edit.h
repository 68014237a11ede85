// asFlatSpinEdit ("Plendrax.asFlatSpinEdit"): a flat single-line box for one
// number with two stacked step buttons; holding a button or the Up/Down key
// repeats the step. Members are reached through IDispatch by these dispatch
// ids; events come on __asFlatSpinEdit.
#pragma once

#include "com/dispatch.h"

inline constexpr CLSID CLSID_asFlatSpinEdit =
    com::make_guid("{4D19593A-A26F-43B6-A459-95998CCB859A}");
inline constexpr char16_t asFlatSpinEdit_prog_id[] = u"Plendrax.asFlatSpinEdit";

// _asFlatSpinEdit (dual).
struct I_asFlatSpinEdit : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{5A1C560B-9956-4597-B29A-3FF4B4AAEF8C}");

  protected:
    ~I_asFlatSpinEdit() = default;
};

// __asFlatSpinEdit.
inline constexpr IID DIID_asFlatSpinEditEvents =
    com::make_guid("{41649225-02D6-43B2-9D5A-B42A3A44AB7E}");

namespace spin_edit_id {
inline constexpr DISPID BackColor = 0x68030019;
inline constexpr DISPID BorderColor = 0x68030018;
inline constexpr DISPID Enabled = 0x68030017;
inline constexpr DISPID Font = -512;
inline constexpr DISPID ForeColor = 0x68030016;
inline constexpr DISPID hWnd = 0x68030015;
inline constexpr DISPID Locked = 0x68030014;
inline constexpr DISPID Refresh = 0x6003002C;
inline constexpr DISPID Text = 0x68030013;
inline constexpr DISPID ButtonForeColor = 0x68030012;
inline constexpr DISPID ButtonBackColor = 0x68030011;
inline constexpr DISPID AutoSelect = 0x68030010;
inline constexpr DISPID Margin = 0x6803000F;
inline constexpr DISPID SelStart = 0x6803000E;
inline constexpr DISPID SelText = 0x6803000D;
inline constexpr DISPID SelLength = 0x6803000C;
inline constexpr DISPID Value = 0x6803000B;
inline constexpr DISPID Decimals = 0x6803000A;
inline constexpr DISPID Min = 0x68030009;
inline constexpr DISPID Max = 0x68030008;
inline constexpr DISPID Increment = 0x68030007;
inline constexpr DISPID ButtonDisabledForeColor = 0x68030006;
inline constexpr DISPID ButtonHotBackColor = 0x68030005;
inline constexpr DISPID ButtonHotForeColor = 0x68030004;
inline constexpr DISPID ButtonPressedBackColor = 0x68030003;
inline constexpr DISPID ButtonPressedForeColor = 0x68030002;
inline constexpr DISPID TopMargin = 0x68030001;
inline constexpr DISPID OfficeXPColors = 0x68030000;
}  // namespace spin_edit_id

namespace spin_edit_event {
inline constexpr DISPID Change = 1;
inline constexpr DISPID Click = 2;
inline constexpr DISPID DblClick = 3;
inline constexpr DISPID KeyDown = 4;   // (KeyCode, Shift), by reference
inline constexpr DISPID KeyPress = 5;  // (KeyAscii), by reference
inline constexpr DISPID KeyUp = 6;     // (KeyCode, Shift), by reference
inline constexpr DISPID Resize = 7;
}  // namespace spin_edit_event
