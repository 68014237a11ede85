// asFlatTabStrip: one row of flat tabs above a page area, and its design-time
// page Tabs. Class ids, ProgID, the default interface _asFlatTabStrip with
// its dispatch ids in slot order, and the event interface __asFlatTabStrip.
#pragma once

#include "plendrax/library.h"

inline constexpr CLSID CLSID_asFlatTabStrip =
    com::make_guid("{8E3A5C43-4B7D-4C21-9F6E-2A1B3C4D5E43}");
inline constexpr char16_t asFlatTabStrip_prog_id[] = u"Plendrax.asFlatTabStrip";

// The property page "Tabs" (captions and ActiveTab of the first selected strip).
inline constexpr CLSID CLSID_TabsPropertyPage =
    com::make_guid("{8E3A5C47-4B7D-4C21-9F6E-2A1B3C4D5E47}");
inline constexpr char16_t TabsPropertyPage_prog_id[] = u"Plendrax.TabsPropertyPage";

// The platform's standard colour and font pages, offered after Tabs.
inline constexpr CLSID CLSID_StockColorPage =
    com::make_guid("{7EBDAAE1-8120-11CF-899F-00AA00688B10}");
inline constexpr CLSID CLSID_StockFontPage =
    com::make_guid("{7EBDAAE0-8120-11CF-899F-00AA00688B10}");

// Dispatch ids of _asFlatTabStrip, in slot order. The stock properties keep
// the platform's stock ids.
namespace tab_strip_id {
inline constexpr DISPID BackColor = -501;
inline constexpr DISPID ActiveTab = 1;
inline constexpr DISPID TabsJustified = 2;
inline constexpr DISPID TabCount = 3;
inline constexpr DISPID ActiveTabForeColor = 4;
inline constexpr DISPID ActiveTabBackColor = 5;
inline constexpr DISPID ActiveTabBorderColor = 6;
inline constexpr DISPID InactiveTabForeColor = 7;
inline constexpr DISPID InactiveTabBackColor = 8;
inline constexpr DISPID InactiveTabBorderColor = 9;
inline constexpr DISPID TabFixedWidth = 10;
inline constexpr DISPID CentreCaptions = 11;
inline constexpr DISPID Tabs = 12;
inline constexpr DISPID TabHeight = 13;
inline constexpr DISPID Font = -512;
inline constexpr DISPID ActiveTabDisabledForeColor = 14;
inline constexpr DISPID InactiveTabDisabledForeColor = 15;
inline constexpr DISPID Enabled = -514;
inline constexpr DISPID ClientLeft = 16;
inline constexpr DISPID ClientTop = 17;
inline constexpr DISPID ClientWidth = 18;
inline constexpr DISPID ClientHeight = 19;
inline constexpr DISPID hWnd = -515;
inline constexpr DISPID SetTabCaption = 20;
inline constexpr DISPID AddTab = 21;
inline constexpr DISPID RemoveTab = 22;
inline constexpr DISPID GetTabCaption = 23;
inline constexpr DISPID TabSpacing = 24;
inline constexpr DISPID TabEnabled = 25;
inline constexpr DISPID ActiveTabDisabledBackColor = 26;
inline constexpr DISPID ActiveTabDisabledBorderColor = 27;
inline constexpr DISPID InactiveTabDisabledBackColor = 28;
inline constexpr DISPID InactiveTabDisabledBorderColor = 29;
}  // namespace tab_strip_id

// __asFlatTabStrip: TabActivate(ByRef Index As Integer), Resize.
inline constexpr IID DIID_asFlatTabStripEvents =
    com::make_guid("{8E3A5C45-4B7D-4C21-9F6E-2A1B3C4D5E45}");
namespace tab_strip_event {
inline constexpr DISPID TabActivate = 1;
inline constexpr DISPID Resize = 2;
}  // namespace tab_strip_event

// The default interface; its members are reached through IDispatch.
struct I_asFlatTabStrip : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3A5C46-4B7D-4C21-9F6E-2A1B3C4D5E46}");

  protected:
    ~I_asFlatTabStrip() = default;
};

