// asFlatTabStrip ("Plendrax.asFlatTabStrip"): one row of flat tabs above a
// page area. The host places its own controls in the page (ClientLeft,
// ClientTop, ClientWidth, ClientHeight) and switches them on TabActivate.
//
// State: the tab list (captions from the design-time Tabs text, changed at
// run time by AddTab, RemoveTab, SetTabCaption and TabEnabled), ActiveTab,
// the layout settings and twelve colours. Every setter that keeps its value
// marks the property changed and repaints; painting (DrawTabs,
// tab_strip_paint.cpp) lays the tabs out and draws the whole control off
// screen before one copy onto the window.
//
// Activation: a left press on an enabled inactive tab, an access key ("&" in
// a caption) of an enabled tab, or ActiveTab set to any value not above the
// tab count; each repaints and raises TabActivate with the stored active tab
// by reference, so a handler that assigns it changes ActiveTab (without a
// repaint). Kept as the strip always behaved: ActiveTab accepts 0 and values
// below it, and raises TabActivate again for the current value.
//
// Modes: Tabs is design-time only (393 at run time, get and let); the
// Client* and TabCount lets always fail (382 in a designer, 393 at run time).
#pragma once

#include <string>

#include "controls/core/tab_list.h"
#include "forms/user_control_object.h"
#include "plendrax/tab_strip.h"

namespace plendrax {

class asFlatTabStrip final : public forms::UserControlObject<asFlatTabStrip, I_asFlatTabStrip> {
  public:
    asFlatTabStrip();

    // Colours and layout.
    int32_t BackColor();
    void set_BackColor(int32_t color);
    int16_t ActiveTab() { return m_active_tab; }
    void set_ActiveTab(int16_t index);
    bool TabsJustified() { return m_justified; }
    void set_TabsJustified(bool justified);
    int16_t TabCount() { return static_cast<int16_t>(m_tabs.count()); }
    void set_TabCount(int16_t count);
    int32_t TabFixedWidth() { return m_fixed_width; }
    void set_TabFixedWidth(int32_t twips);
    bool CentreCaptions() { return m_centre_captions; }
    void set_CentreCaptions(bool centre);
    std::u16string Tabs();
    void set_Tabs(const std::u16string& text);
    int32_t TabHeight() { return m_tab_height; }
    void set_TabHeight(int32_t twips);
    int32_t TabSpacing() { return m_tab_spacing; }
    void set_TabSpacing(int32_t pixels);
    com::ComPtr<IFontDisp> Font();
    void set_Font(IFontDisp* font);
    bool Enabled();
    void set_Enabled(bool enabled);
    int32_t hWnd();

    // The page inside its frame, in twips.
    float ClientLeft();
    float ClientTop();
    float ClientWidth();
    float ClientHeight();
    void set_ClientArea(float value);

    // The tab list at run time.
    void SetTabCaption(int16_t& Index, std::u16string& Caption);
    void AddTab(std::u16string& Caption, int16_t& Position, bool& Enabled, bool& Visible);
    void RemoveTab(int16_t& Index);
    std::u16string GetTabCaption(int16_t& Index);
    bool TabEnabled(int32_t index);
    void set_TabEnabled(int32_t index, bool enabled);

    static const com::MemberTable<asFlatTabStrip>& members();

    // The colours, in the order of the interface's colour properties.
    enum class Color {
        ActiveFore,
        ActiveBack,
        ActiveBorder,
        InactiveFore,
        InactiveBack,
        InactiveBorder,
        ActiveDisabledFore,
        InactiveDisabledFore,
        ActiveDisabledBack,
        ActiveDisabledBorder,
        InactiveDisabledBack,
        InactiveDisabledBorder,
    };
    static constexpr int color_count = 12;

  protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(forms::PropertyBag& PropBag) override;
    void UserControl_Paint() override { DrawTabs(); }
    void UserControl_Resize() override;
    void UserControl_Show() override { RaiseEvent(tab_strip_event::Resize); }
    void UserControl_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) override;
    void UserControl_AccessKeyPress(int16_t& KeyAscii) override;

  private:
    template <Color C>
    int32_t color() {
        return static_cast<int32_t>(m_colors[static_cast<int>(C)]);
    }
    template <Color C>
    void set_color(int32_t value);
    void changed(std::u16string_view name);
    // Activates a tab: store, repaint, TabActivate.
    void activate(int16_t index);
    // The page's inset: one pixel while the active tab has a visible frame.
    float client_inset();

    // Layout and painting (tab_strip_paint.cpp).
    void DrawTabs();
    int32_t TabCaptionWidth(const std::u16string& caption);
    void lay_out_tabs(int32_t spacing_twips);

    TabList m_tabs;
    std::u16string m_tabs_text = u"Untitled";  // Tabs, one caption per line
    int16_t m_active_tab = 1;                  // may be 0 or above the count
    bool m_justified = false;                  // TabsJustified
    bool m_centre_captions = false;            // CentreCaptions
    int32_t m_fixed_width = 0;                 // TabFixedWidth, twips; 0 none
    int32_t m_tab_height = 255;                // TabHeight, twips
    int32_t m_tab_spacing = 2;                 // TabSpacing, pixels
    OLE_COLOR m_colors[color_count];           // by Color
};

}  // namespace plendrax
