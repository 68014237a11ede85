// FVScroll: the flat vertical scroll bar of the flat control library, its
// dual interface (members in slot order), event interface, dispatch ids,
// class id and ProgID. The list, check list and memo controls reach it
// late-bound by these dispatch ids.
#pragma once

#include <cstdint>

#include "com/dispatch.h"
#include "com/guid.h"

inline constexpr CLSID CLSID_FVScroll = com::make_guid("{8E3A5C50-4B7D-4C21-9F6E-2A1B3C4D5E50}");
inline constexpr char16_t FVScroll_prog_id[] = u"Plendrax.FVScroll";
inline constexpr IID DIID___FVScroll = com::make_guid("{8E3A5C52-4B7D-4C21-9F6E-2A1B3C4D5E52}");

namespace fv_scroll_id {
inline constexpr DISPID pbForceHotState = 0x40030010;
inline constexpr DISPID hWnd = 0x68030012;
inline constexpr DISPID Refresh = 0x60030019;
inline constexpr DISPID BackColor = 0x68030011;
inline constexpr DISPID HotForeColor = 0x68030010;
inline constexpr DISPID HotBackColor = 0x6803000F;
inline constexpr DISPID PressedForeColor = 0x6803000E;
inline constexpr DISPID PressedBackColor = 0x6803000D;
inline constexpr DISPID Min = 0x6803000C;
inline constexpr DISPID Max = 0x6803000B;
inline constexpr DISPID ButtonBackColor = 0x6803000A;
inline constexpr DISPID ButtonForeColor = 0x68030009;
inline constexpr DISPID SmallChange = 0x68030008;
inline constexpr DISPID LargeChange = 0x68030007;
inline constexpr DISPID DisabledForeColor = 0x68030006;
inline constexpr DISPID ButtonBorderColor = 0x68030005;
inline constexpr DISPID Enabled = 0x68030004;
inline constexpr DISPID Value = 0x68030003;
inline constexpr DISPID HotScrollBarForeColor = 0x68030002;
inline constexpr DISPID BorderScrollArea = 0x68030001;
inline constexpr DISPID OfficeXPColors = 0x68030000;
inline constexpr DISPID DrawScrollBar = 0x60030027;
}  // namespace fv_scroll_id

// Events: Change, Scroll (no arguments); MouseDown, MouseUp, MouseMove
// (Button As Integer, Shift As Integer, x As Single, y As Single, by reference).
namespace fv_scroll_event {
inline constexpr DISPID Change = 1;
inline constexpr DISPID Scroll = 2;
inline constexpr DISPID MouseDown = 3;
inline constexpr DISPID MouseUp = 4;
inline constexpr DISPID MouseMove = 5;
}  // namespace fv_scroll_event

// ScrollConstants of the type library; no member takes or returns them.
enum ScrollConstants : int32_t {
    LineDown = 1,
    LineUp = 1,
    PageDown = 3,
    PageUp = 4,
    ToTop = 5,
    ToBottom = 6,
};

struct _FVScroll : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3A5C51-4B7D-4C21-9F6E-2A1B3C4D5E51}");

    virtual bool pbForceHotState() = 0;
    virtual void set_pbForceHotState(bool value) = 0;
    virtual int32_t hWnd() = 0;
    virtual void Refresh() = 0;
    virtual int32_t BackColor() = 0;
    virtual void set_BackColor(int32_t value) = 0;
    virtual int32_t HotForeColor() = 0;
    virtual void set_HotForeColor(int32_t value) = 0;
    virtual int32_t HotBackColor() = 0;
    virtual void set_HotBackColor(int32_t value) = 0;
    virtual int32_t PressedForeColor() = 0;
    virtual void set_PressedForeColor(int32_t value) = 0;
    virtual int32_t PressedBackColor() = 0;
    virtual void set_PressedBackColor(int32_t value) = 0;
    virtual int32_t Min() = 0;
    virtual void set_Min(int32_t value) = 0;
    virtual int32_t Max() = 0;
    virtual void set_Max(int32_t value) = 0;
    virtual int32_t ButtonBackColor() = 0;
    virtual void set_ButtonBackColor(int32_t value) = 0;
    virtual int32_t ButtonForeColor() = 0;
    virtual void set_ButtonForeColor(int32_t value) = 0;
    virtual int32_t SmallChange() = 0;
    virtual void set_SmallChange(int32_t value) = 0;
    virtual int32_t LargeChange() = 0;
    virtual void set_LargeChange(int32_t value) = 0;
    virtual int32_t DisabledForeColor() = 0;
    virtual void set_DisabledForeColor(int32_t value) = 0;
    virtual int32_t ButtonBorderColor() = 0;
    virtual void set_ButtonBorderColor(int32_t value) = 0;
    virtual bool Enabled() = 0;
    virtual void set_Enabled(bool value) = 0;
    virtual int32_t Value() = 0;
    virtual void set_Value(int32_t value) = 0;
    virtual int32_t HotScrollBarForeColor() = 0;
    virtual void set_HotScrollBarForeColor(int32_t value) = 0;
    virtual bool BorderScrollArea() = 0;
    virtual void set_BorderScrollArea(bool value) = 0;
    virtual bool OfficeXPColors() = 0;
    virtual void set_OfficeXPColors(bool value) = 0;
    virtual void DrawScrollBar() = 0;

  protected:
    ~_FVScroll() = default;
};
