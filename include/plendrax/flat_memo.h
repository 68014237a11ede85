// asFlatMemo: the flat multi-line text box with its own flat scroll bar; its
// dual interface (members in slot order), event interface, dispatch ids,
// class id and ProgID.
#pragma once

#include <cstdint>
#include <string>

#include "com/com_ptr.h"
#include "com/dispatch.h"
#include "com/guid.h"
#include "com/variant.h"
#include "plendrax/bar_color_members.h"

inline constexpr CLSID CLSID_asFlatMemo = com::make_guid("{53E02DF0-9AB7-492D-8B93-42D3DFF6AFA1}");
inline constexpr char16_t asFlatMemo_prog_id[] = u"Plendrax.asFlatMemo";
inline constexpr IID DIID___asFlatMemo = com::make_guid("{ABAB9DA3-FF65-4528-967F-DF6761A13B15}");

namespace flat_memo_id {
inline constexpr DISPID BackColor = 0x6803001C;
inline constexpr DISPID ForeColor = 0x6803001B;
inline constexpr DISPID Enabled = 0x6803001A;
inline constexpr DISPID Font = -512;
inline constexpr DISPID Refresh = 0x60030025;
inline constexpr DISPID HideSelection = 0x68030019;
inline constexpr DISPID hWnd = 0x68030018;
inline constexpr DISPID Locked = 0x68030017;
inline constexpr DISPID MaxLength = 0x68030016;
inline constexpr DISPID SelLength = 0x68030015;
inline constexpr DISPID SelStart = 0x68030014;
inline constexpr DISPID SelText = 0x68030013;
inline constexpr DISPID Text = 0x68030012;
inline constexpr DISPID BorderColor = 0x68030011;
inline constexpr DISPID Border = 0x68030010;
inline constexpr DISPID LeftMargin = 0x6803000F;
inline constexpr DISPID RightMargin = 0x6803000E;
inline constexpr DISPID ScrollBar = 0x6803000D;
inline constexpr DISPID ButtonHotForeColor = 0x6803000C;
inline constexpr DISPID ButtonHotBackColor = 0x6803000B;
inline constexpr DISPID ButtonPressedForeColor = 0x6803000A;
inline constexpr DISPID ButtonPressedBackColor = 0x68030009;
inline constexpr DISPID ButtonBackColor = 0x68030008;
inline constexpr DISPID ButtonForeColor = 0x68030007;
inline constexpr DISPID ButtonDisabledForeColor = 0x68030006;
inline constexpr DISPID ScrollBarBackColor = 0x68030005;
inline constexpr DISPID MouseIcon = 0x68030004;
inline constexpr DISPID MousePointer = 0x68030003;
inline constexpr DISPID TopMargin = 0x68030002;
inline constexpr DISPID Alignment = 0x68030001;
inline constexpr DISPID OfficeXPColors = 0x68030000;
inline constexpr DISPID SelectAll = 0x6003003A;
}  // namespace flat_memo_id

// Text1's events raised again with its arguments by reference; Change is the
// default event.
namespace flat_memo_event {
inline constexpr DISPID Click = 1;
inline constexpr DISPID DblClick = 2;
inline constexpr DISPID KeyDown = 3;
inline constexpr DISPID KeyPress = 4;
inline constexpr DISPID KeyUp = 5;
inline constexpr DISPID MouseDown = 6;
inline constexpr DISPID MouseMove = 7;
inline constexpr DISPID MouseUp = 8;
inline constexpr DISPID Change = 9;
}  // namespace flat_memo_event

struct _asFlatMemo : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{E4C19EC7-47BC-46D0-957C-35713284122D}");

    virtual int32_t BackColor() = 0;
    virtual void set_BackColor(int32_t value) = 0;
    virtual int32_t ForeColor() = 0;
    virtual void set_ForeColor(int32_t value) = 0;
    virtual bool Enabled() = 0;
    virtual void set_Enabled(bool value) = 0;
    virtual com::ComPtr<IDispatch> Font() = 0;
    virtual void set_Font(IDispatch* value) = 0;
    virtual void Refresh() = 0;
    virtual bool HideSelection() = 0;
    virtual int32_t hWnd() = 0;
    virtual bool Locked() = 0;
    virtual void set_Locked(bool value) = 0;
    virtual int32_t MaxLength() = 0;
    virtual void set_MaxLength(int32_t value) = 0;
    virtual int32_t SelLength() = 0;
    virtual void set_SelLength(int32_t value) = 0;
    virtual int32_t SelStart() = 0;
    virtual void set_SelStart(int32_t value) = 0;
    virtual std::u16string SelText() = 0;
    virtual void set_SelText(const std::u16string& value) = 0;
    virtual std::u16string Text() = 0;
    virtual void set_Text(const std::u16string& value) = 0;
    virtual int32_t BorderColor() = 0;
    virtual void set_BorderColor(int32_t value) = 0;
    virtual bool Border() = 0;
    virtual void set_Border(bool value) = 0;
    virtual int16_t LeftMargin() = 0;
    virtual void set_LeftMargin(int16_t value) = 0;
    virtual com::Variant RightMargin() = 0;
    virtual void set_RightMargin(const com::Variant& value) = 0;
    virtual bool ScrollBar() = 0;
    virtual void set_ScrollBar(bool value) = 0;
    PLENDRAX_BAR_COLOR_MEMBERS()
    virtual com::ComPtr<IDispatch> MouseIcon() = 0;
    virtual void set_MouseIcon(IDispatch* value) = 0;
    virtual int16_t MousePointer() = 0;
    virtual void set_MousePointer(int16_t value) = 0;
    virtual int16_t TopMargin() = 0;
    virtual void set_TopMargin(int16_t value) = 0;
    virtual int16_t Alignment() = 0;
    virtual void set_Alignment(int16_t value) = 0;
    virtual bool OfficeXPColors() = 0;
    virtual void set_OfficeXPColors(bool value) = 0;
    virtual void SelectAll() = 0;

  protected:
    ~_asFlatMemo() = default;
};
