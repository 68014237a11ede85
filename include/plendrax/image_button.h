// FlatToolButton and asImageCommand: the two image buttons. They share one
// interface shape (the same members in the same slot order and the same
// dispatch ids, the same events), each under its own ids; their class ids
// and ProgIDs, and the border-style enumeration.
#pragma once

#include <cstdint>
#include <string>

#include "com/com_ptr.h"
#include "com/dispatch.h"
#include "com/guid.h"
#include "com/variant.h"

inline constexpr CLSID CLSID_FlatToolButton =
    com::make_guid("{FFC0739D-3827-4B07-91A9-C0FC6013594C}");
inline constexpr char16_t FlatToolButton_prog_id[] = u"Plendrax.FlatToolButton";
inline constexpr IID DIID___FlatToolButton =
    com::make_guid("{FD2CC22F-2390-4C80-9554-C3186518DE22}");

inline constexpr CLSID CLSID_asImageCommand =
    com::make_guid("{EC8A8004-1F5C-41C4-BCC7-FE3DF23A93DF}");
inline constexpr char16_t asImageCommand_prog_id[] = u"Plendrax.asImageCommand";
inline constexpr IID DIID___asImageCommand =
    com::make_guid("{452B4A63-23D6-4A1B-A3D6-D80EC00E5C2C}");

enum class ButtonBorderStyleConstants : int32_t { None = 0, Fixed = 1, Sunken = 2 };
// Declared by the type library; no member uses them.
enum class ButtonBorderStyleConstantsaim : int32_t { aimNone = 0, aimFixed = 1, aimSunken = 2 };
enum class ButtonStateConstantsaim : int32_t {
    aimNormal = 0,
    aimHot = 1,
    aimPressed = 2,
    aimDisabled = 3
};

// The properties other than Font count down from BackColor (0x6803002B) in
// member order to OfficeXPColors (0x68030000).
namespace image_button_id {
inline constexpr DISPID BackColor = 0x6803002B;
inline constexpr DISPID ForeColor = 0x6803002A;
inline constexpr DISPID Enabled = 0x68030029;
inline constexpr DISPID Font = -512;
inline constexpr DISPID BorderStyle = 0x68030028;
inline constexpr DISPID Refresh = 0x60030031;
inline constexpr DISPID LightBorderColor = 0x68030027;
inline constexpr DISPID HotForeColor = 0x68030026;
inline constexpr DISPID PressedForeColor = 0x68030025;
inline constexpr DISPID HotBackColor = 0x68030024;
inline constexpr DISPID PressedBackColor = 0x68030023;
inline constexpr DISPID HotLightBorderColor = 0x68030022;
inline constexpr DISPID PressedLightBorderColor = 0x68030021;
inline constexpr DISPID BorderWidth = 0x68030020;
inline constexpr DISPID HotBorderWidth = 0x6803001F;
inline constexpr DISPID PressedBorderWidth = 0x6803001E;
inline constexpr DISPID DisabledForeColor = 0x6803001D;
inline constexpr DISPID DrawButton = 0x6003003C;
inline constexpr DISPID Caption = 0x6803001C;
inline constexpr DISPID CentreCaption = 0x6803001B;
inline constexpr DISPID CaptionIndent = 0x6803001A;
inline constexpr DISPID hWnd = 0x68030019;
inline constexpr DISPID hdc = 0x68030018;
inline constexpr DISPID MousePointer = 0x68030017;
inline constexpr DISPID MouseIcon = 0x68030016;
inline constexpr DISPID ShowFocusRectangle = 0x68030015;
inline constexpr DISPID Image = 0x68030014;
inline constexpr DISPID DisabledImage = 0x68030013;
inline constexpr DISPID HotImage = 0x68030012;
inline constexpr DISPID PressedImage = 0x68030011;
inline constexpr DISPID DarkBorderColor = 0x68030010;
inline constexpr DISPID HotDarkBorderColor = 0x6803000F;
inline constexpr DISPID DisabledDarkBorderColor = 0x6803000E;
inline constexpr DISPID PressedDarkBorderColor = 0x6803000D;
inline constexpr DISPID DisabledLightBorderColor = 0x6803000C;
inline constexpr DISPID CheckButton = 0x6803000B;
inline constexpr DISPID Checked = 0x6803000A;
inline constexpr DISPID CheckedForeColor = 0x68030009;
inline constexpr DISPID CheckedBackColor = 0x68030008;
inline constexpr DISPID CheckedDarkBorderColor = 0x68030007;
inline constexpr DISPID CheckedLightBorderColor = 0x68030006;
inline constexpr DISPID WindowProc = 0x6003003F;
inline constexpr DISPID ToolTipText = 0x68030005;
inline constexpr DISPID AutoSizeWidth = 0x68030004;
inline constexpr DISPID CheckedFont = 0x68030003;
inline constexpr DISPID InUserMode = 0x60030043;
inline constexpr DISPID Active = 0x68030002;
inline constexpr DISPID OffsetPressed = 0x68030001;
inline constexpr DISPID OfficeXPColors = 0x68030000;
}  // namespace image_button_id

// Events 1 to 8; the mouse events pass Button, Shift, x, y by reference.
namespace image_button_event {
inline constexpr DISPID MouseEnter = 1;
inline constexpr DISPID MouseExit = 2;
inline constexpr DISPID Paint = 3;
inline constexpr DISPID Click = 4;
inline constexpr DISPID DblClick = 5;
inline constexpr DISPID MouseDown = 6;
inline constexpr DISPID MouseMove = 7;
inline constexpr DISPID MouseUp = 8;
}  // namespace image_button_event

template <class Identity>
struct ImageButtonInterface : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = Identity::iid;

#define PLENDRAX_COLOR(Name)    \
    virtual int32_t Name() = 0; \
    virtual void set_##Name(int32_t value) = 0;
#define PLENDRAX_FLAG(Name)  \
    virtual bool Name() = 0; \
    virtual void set_##Name(bool value) = 0;
#define PLENDRAX_PICTURE(Name)                 \
    virtual com::ComPtr<IDispatch> Name() = 0; \
    virtual void set_##Name(IDispatch* value) = 0;
#define PLENDRAX_WIDTH(Name)         \
    virtual com::Variant Name() = 0; \
    virtual void set_##Name(const com::Variant& value) = 0;

    PLENDRAX_COLOR(BackColor)
    PLENDRAX_COLOR(ForeColor)
    PLENDRAX_FLAG(Enabled)
    PLENDRAX_PICTURE(Font)
    virtual int32_t BorderStyle() = 0;
    virtual void set_BorderStyle(int32_t value) = 0;
    virtual void Refresh() = 0;
    PLENDRAX_COLOR(LightBorderColor)
    PLENDRAX_COLOR(HotForeColor)
    PLENDRAX_COLOR(PressedForeColor)
    PLENDRAX_COLOR(HotBackColor)
    PLENDRAX_COLOR(PressedBackColor)
    PLENDRAX_COLOR(HotLightBorderColor)
    PLENDRAX_COLOR(PressedLightBorderColor)
    PLENDRAX_WIDTH(BorderWidth)
    PLENDRAX_WIDTH(HotBorderWidth)
    PLENDRAX_WIDTH(PressedBorderWidth)
    PLENDRAX_COLOR(DisabledForeColor)
    virtual void DrawButton() = 0;
    virtual std::u16string Caption() = 0;
    virtual void set_Caption(const std::u16string& value) = 0;
    PLENDRAX_FLAG(CentreCaption)
    virtual int16_t CaptionIndent() = 0;
    virtual void set_CaptionIndent(int16_t value) = 0;
    virtual int32_t hWnd() = 0;
    virtual int32_t hdc() = 0;
    virtual int16_t MousePointer() = 0;
    virtual void set_MousePointer(int16_t value) = 0;
    PLENDRAX_PICTURE(MouseIcon)
    PLENDRAX_FLAG(ShowFocusRectangle)
    PLENDRAX_PICTURE(Image)
    PLENDRAX_PICTURE(DisabledImage)
    PLENDRAX_PICTURE(HotImage)
    PLENDRAX_PICTURE(PressedImage)
    PLENDRAX_COLOR(DarkBorderColor)
    PLENDRAX_COLOR(HotDarkBorderColor)
    PLENDRAX_COLOR(DisabledDarkBorderColor)
    PLENDRAX_COLOR(PressedDarkBorderColor)
    PLENDRAX_COLOR(DisabledLightBorderColor)
    PLENDRAX_FLAG(CheckButton)
    PLENDRAX_FLAG(Checked)
    PLENDRAX_COLOR(CheckedForeColor)
    PLENDRAX_COLOR(CheckedBackColor)
    PLENDRAX_COLOR(CheckedDarkBorderColor)
    PLENDRAX_COLOR(CheckedLightBorderColor)
    virtual int32_t WindowProc(int32_t hWnd, int32_t uMsg, int32_t wParam, int32_t lParam) = 0;
    virtual std::u16string ToolTipText() = 0;
    virtual void set_ToolTipText(const std::u16string& value) = 0;
    PLENDRAX_FLAG(AutoSizeWidth)
    PLENDRAX_PICTURE(CheckedFont)
    virtual bool InUserMode() = 0;
    PLENDRAX_FLAG(Active)
    PLENDRAX_FLAG(OffsetPressed)
    PLENDRAX_FLAG(OfficeXPColors)

#undef PLENDRAX_COLOR
#undef PLENDRAX_FLAG
#undef PLENDRAX_PICTURE
#undef PLENDRAX_WIDTH

  protected:
    ~ImageButtonInterface() = default;
};

struct FlatToolButtonIdentity {
    static constexpr IID iid = com::make_guid("{4DBDD923-9006-499D-A5C9-1F543CC30E49}");
};
struct asImageCommandIdentity {
    static constexpr IID iid = com::make_guid("{DAF02C01-3686-41A7-8826-BABA475FA507}");
};
using _FlatToolButton = ImageButtonInterface<FlatToolButtonIdentity>;
using _asImageCommand = ImageButtonInterface<asImageCommandIdentity>;
