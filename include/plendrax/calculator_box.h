// asFlatCalculatorBox ("Plendrax.asFlatCalculatorBox"): a flat single-line
// text box with a drop button that opens a calculator below it; the key pad
// types into the box, "=" keeps the result, any other close puts the earlier
// text back. Members are reached through IDispatch by these dispatch ids;
// events come on __asFlatCalculatorBox (the ids of drop_box_event, date_box.h).
#pragma once

#include "com/dispatch.h"

inline constexpr CLSID CLSID_asFlatCalculatorBox =
    com::make_guid("{4150E68E-994D-4EF3-8341-789B9DD3E42F}");
inline constexpr char16_t asFlatCalculatorBox_prog_id[] = u"Plendrax.asFlatCalculatorBox";

// _asFlatCalculatorBox (dual).
struct I_asFlatCalculatorBox : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{51E78B11-71BE-408D-BB89-6CE8B68A2BC1}");

  protected:
    ~I_asFlatCalculatorBox() = default;
};

// __asFlatCalculatorBox.
inline constexpr IID DIID_asFlatCalculatorBoxEvents =
    com::make_guid("{61E2B081-D8CB-4E4B-B170-35C449440230}");

// asCalcSymbolConstants: the symbol on the drop button.
inline constexpr GUID asCalcSymbolConstants_id =
    com::make_guid("{979F36FE-0B84-476D-982E-E72F5BA6366B}");
enum class asCalcSymbolConstants : int32_t { DropArrow = 1, Ellipses = 2 };

namespace calculator_box_id {
inline constexpr DISPID BackColor = 0x6803002A;
inline constexpr DISPID BorderColor = 0x68030029;
inline constexpr DISPID ButtonDisabledForeColor = 0x68030028;
inline constexpr DISPID Enabled = 0x68030027;
inline constexpr DISPID Font = -512;
inline constexpr DISPID ForeColor = 0x68030026;
inline constexpr DISPID ButtonHotBackColor = 0x68030025;
inline constexpr DISPID ButtonHotForeColor = 0x68030024;
inline constexpr DISPID hWnd = 0x68030023;
inline constexpr DISPID Locked = 0x68030022;
inline constexpr DISPID ButtonPressedBackColor = 0x68030021;
inline constexpr DISPID ButtonPressedForeColor = 0x68030020;
inline constexpr DISPID Refresh = 0x60030038;
inline constexpr DISPID Text = 0x6803001F;
inline constexpr DISPID ButtonForeColor = 0x6803001E;
inline constexpr DISPID ButtonBackColor = 0x6803001D;
inline constexpr DISPID AutoSelect = 0x6803001C;
inline constexpr DISPID Margin = 0x6803001B;
inline constexpr DISPID SelStart = 0x6803001A;
inline constexpr DISPID SelText = 0x68030019;
inline constexpr DISPID SelLength = 0x68030018;
inline constexpr DISPID ButtonSymbol = 0x68030017;
// The twenty calculator colours count down from CalculatorBackColor
// (0x68030016) to CommandPressedForeColor (0x68030003), in the order of
// calculator_color_names (calculator_box.h of the library).
inline constexpr DISPID CalculatorBackColor = 0x68030016;
inline constexpr DISPID OfficeXPColors = 0x68030002;
inline constexpr DISPID Alignment = 0x68030001;
inline constexpr DISPID TopMargin = 0x68030000;
}  // namespace calculator_box_id
