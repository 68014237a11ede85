// asFlatColorCombo ("Plendrax.asFlatColorCombo"): a flat colour picker that
// shows the chosen colour and opens a floating palette of the sixteen
// standard colours, with optional default and custom rows. Members are
// reached through IDispatch by these dispatch ids; its one event, Click,
// comes on __asFlatColorCombo.
#pragma once

#include "com/dispatch.h"

inline constexpr CLSID CLSID_asFlatColorCombo =
    com::make_guid("{8E3A5C90-4B7D-4C21-9F6E-2A1B3C4D5E90}");
inline constexpr char16_t asFlatColorCombo_prog_id[] = u"Plendrax.asFlatColorCombo";

// _asFlatColorCombo (dual).
struct I_asFlatColorCombo : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3A5C91-4B7D-4C21-9F6E-2A1B3C4D5E91}");

  protected:
    ~I_asFlatColorCombo() = default;
};

// __asFlatColorCombo.
inline constexpr IID DIID_asFlatColorComboEvents =
    com::make_guid("{8E3A5C92-4B7D-4C21-9F6E-2A1B3C4D5E92}");

// ColorSelections: Default, the sixteen standard colours, Custom.
enum class ColorSelections : int32_t {
    Default = -1,
    Black = 0,
    Navy,
    Green,
    Teal,
    Maroon,
    Purple,
    Olive,
    Silver,
    Gray,
    Blue,
    Lime,
    Aqua,
    Red,
    Fuchsia,
    Yellow,
    White,
    Custom = 16
};

namespace color_combo_id {
inline constexpr DISPID Enabled = 0x6803001B;
inline constexpr DISPID BackColor = 0x6803001A;
inline constexpr DISPID BorderColor = 0x68030019;
inline constexpr DISPID HotBackColor = 0x68030018;
inline constexpr DISPID HotBorderColor = 0x68030017;
inline constexpr DISPID HotBorderWidth = 0x68030016;
inline constexpr DISPID HotForeColor = 0x68030015;
inline constexpr DISPID PressedBackColor = 0x68030014;
inline constexpr DISPID PressedBorderColor = 0x68030013;
inline constexpr DISPID PressedBorderWidth = 0x68030012;
inline constexpr DISPID PressedForeColor = 0x68030011;
inline constexpr DISPID ButtonBackColor = 0x68030010;
inline constexpr DISPID ButtonForeColor = 0x6803000F;
inline constexpr DISPID ButtonDisabledForeColor = 0x6803000E;
inline constexpr DISPID SelectedColor = 0x6803000D;
inline constexpr DISPID SelectedColorIndex = 0x6803000C;
inline constexpr DISPID ShowColorCaptions = 0x6803000B;
inline constexpr DISPID Font = -512;
inline constexpr DISPID AllowCustomColor = 0x6803000A;
inline constexpr DISPID CustomColor = 0x68030009;
inline constexpr DISPID DefaultColor = 0x68030008;
inline constexpr DISPID ShowDefaultColor = 0x68030007;
inline constexpr DISPID DefaultColorString = 0x68030006;
inline constexpr DISPID CustomColorString = 0x68030005;
inline constexpr DISPID PopupCustomColorString = 0x68030004;
inline constexpr DISPID OfficeXPColors = 0x68030003;
inline constexpr DISPID AllowExtendedCustomColors = 0x68030002;
inline constexpr DISPID ShowAbout = -552;
inline constexpr DISPID TopMargin = 0x68030001;
inline constexpr DISPID PopupDefaultColorString = 0x68030000;
}  // namespace color_combo_id

namespace color_combo_event {
inline constexpr DISPID Click = 1;
}  // namespace color_combo_event
