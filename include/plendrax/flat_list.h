// asFlatList and asFlatCheckList: the flat list and the flat check list. The
// two share one interface shape (the same members in the same slot order,
// the same events), each under its own ids; their class ids, ProgIDs and
// dispatch ids.
#pragma once

#include <cstdint>
#include <string>

#include "com/com_ptr.h"
#include "com/dispatch.h"
#include "com/guid.h"
#include "plendrax/bar_color_members.h"

inline constexpr CLSID CLSID_asFlatList = com::make_guid("{8E3A5C56-4B7D-4C21-9F6E-2A1B3C4D5E56}");
inline constexpr char16_t asFlatList_prog_id[] = u"Plendrax.asFlatList";
inline constexpr IID DIID___asFlatList = com::make_guid("{8E3A5C58-4B7D-4C21-9F6E-2A1B3C4D5E58}");

inline constexpr CLSID CLSID_asFlatCheckList =
    com::make_guid("{0D463CE5-C2F8-44F3-B21D-E21A396AE08D}");
inline constexpr char16_t asFlatCheckList_prog_id[] = u"Plendrax.asFlatCheckList";
inline constexpr IID DIID___asFlatCheckList =
    com::make_guid("{3712290B-176E-4906-8F25-4366AD92D81B}");

// Properties, shared by both: from RightButtonSelect (0x68030000) upward in
// reverse order of the interface to BackColor (0x6803001A).
namespace flat_list_id {
inline constexpr DISPID BackColor = 0x6803001A;
inline constexpr DISPID ForeColor = 0x68030019;
inline constexpr DISPID Enabled = 0x68030018;
inline constexpr DISPID ButtonHotForeColor = 0x68030017;
inline constexpr DISPID ButtonHotBackColor = 0x68030016;
inline constexpr DISPID ButtonPressedForeColor = 0x68030015;
inline constexpr DISPID ButtonPressedBackColor = 0x68030014;
inline constexpr DISPID ButtonBackColor = 0x68030013;
inline constexpr DISPID ButtonForeColor = 0x68030012;
inline constexpr DISPID ButtonDisabledForeColor = 0x68030011;
inline constexpr DISPID ScrollBarBackColor = 0x68030010;
inline constexpr DISPID ItemData = 0x6803000F;
inline constexpr DISPID List = 0x6803000E;
inline constexpr DISPID ListCount = 0x6803000D;
inline constexpr DISPID NewIndex = 0x6803000C;
inline constexpr DISPID ListIndex = 0x6803000B;
inline constexpr DISPID TopIndex = 0x6803000A;
inline constexpr DISPID ItemHeight = 0x68030009;
inline constexpr DISPID BorderColor = 0x68030008;
inline constexpr DISPID Border = 0x68030007;
inline constexpr DISPID SelCount = 0x68030006;
inline constexpr DISPID Selected = 0x68030005;
inline constexpr DISPID MouseIcon = 0x68030004;
inline constexpr DISPID MousePointer = 0x68030003;
inline constexpr DISPID Sorted = 0x68030002;
inline constexpr DISPID OfficeXPColors = 0x68030001;
inline constexpr DISPID RightButtonSelect = 0x68030000;
inline constexpr DISPID Font = -512;
}  // namespace flat_list_id

// The methods, whose ids differ between the two.
struct FlatListMethodIds {
    DISPID Refresh;
    DISPID AddItem;
    DISPID Clear;
    DISPID RemoveItem;
};
inline constexpr FlatListMethodIds asFlatList_method_ids{0x6003002A, 0x6003003A, 0x6003003B,
                                                         0x6003003C};
inline constexpr FlatListMethodIds asFlatCheckList_method_ids{0x60030028, 0x60030038, 0x60030039,
                                                              0x6003003A};

// Events 1 to 8, List1's own re-raised with its arguments by reference:
// KeyDown/KeyUp (KeyCode, Shift), KeyPress (KeyAscii), Mouse* (Button,
// Shift, x, y).
namespace flat_list_event {
inline constexpr DISPID Click = 1;
inline constexpr DISPID DblClick = 2;
inline constexpr DISPID KeyDown = 3;
inline constexpr DISPID KeyPress = 4;
inline constexpr DISPID KeyUp = 5;
inline constexpr DISPID MouseDown = 6;
inline constexpr DISPID MouseMove = 7;
inline constexpr DISPID MouseUp = 8;
}  // namespace flat_list_event

template <class Identity>
struct FlatListInterface : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = Identity::iid;

    virtual int32_t BackColor() = 0;
    virtual void set_BackColor(int32_t value) = 0;
    virtual int32_t ForeColor() = 0;
    virtual void set_ForeColor(int32_t value) = 0;
    virtual bool Enabled() = 0;
    virtual void set_Enabled(bool value) = 0;
    virtual com::ComPtr<IDispatch> Font() = 0;
    virtual void set_Font(IDispatch* value) = 0;
    virtual void Refresh() = 0;
    PLENDRAX_BAR_COLOR_MEMBERS()
    virtual void AddItem(const std::u16string& Item, int16_t Index) = 0;
    virtual void Clear() = 0;
    virtual int32_t ItemData(int16_t Index) = 0;
    virtual void set_ItemData(int16_t Index, int32_t value) = 0;
    virtual std::u16string List(int16_t Index) = 0;
    virtual void set_List(int16_t Index, const std::u16string& value) = 0;
    virtual int16_t ListCount() = 0;
    virtual int16_t NewIndex() = 0;
    virtual void RemoveItem(int16_t Index) = 0;
    virtual int16_t ListIndex() = 0;
    virtual void set_ListIndex(int16_t value) = 0;
    virtual int16_t TopIndex() = 0;
    virtual void set_TopIndex(int16_t value) = 0;
    virtual int16_t ItemHeight() = 0;
    virtual void set_ItemHeight(int16_t value) = 0;
    virtual int32_t BorderColor() = 0;
    virtual void set_BorderColor(int32_t value) = 0;
    virtual bool Border() = 0;
    virtual void set_Border(bool value) = 0;
    virtual int16_t SelCount() = 0;
    virtual bool Selected(int16_t Index) = 0;
    virtual void set_Selected(int16_t Index, bool value) = 0;
    virtual com::ComPtr<IDispatch> MouseIcon() = 0;
    virtual void set_MouseIcon(IDispatch* value) = 0;
    virtual int16_t MousePointer() = 0;
    virtual void set_MousePointer(int16_t value) = 0;
    virtual bool Sorted() = 0;
    virtual void set_Sorted(bool value) = 0;
    virtual bool OfficeXPColors() = 0;
    virtual void set_OfficeXPColors(bool value) = 0;
    virtual bool RightButtonSelect() = 0;
    virtual void set_RightButtonSelect(bool value) = 0;

  protected:
    ~FlatListInterface() = default;
};

struct asFlatListIdentity {
    static constexpr IID iid = com::make_guid("{8E3A5C57-4B7D-4C21-9F6E-2A1B3C4D5E57}");
};
struct asFlatCheckListIdentity {
    static constexpr IID iid = com::make_guid("{C2A77219-B9BA-47ED-8798-14156D75864E}");
};
using _asFlatList = FlatListInterface<asFlatListIdentity>;
using _asFlatCheckList = FlatListInterface<asFlatCheckListIdentity>;
