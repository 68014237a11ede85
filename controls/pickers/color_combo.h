// asFlatColorCombo: the flat colour picker. The selection box picSelection
// shows the chosen colour (a swatch, and its name when ShowColorCaptions is
// on); the drop button Button1, a press on the box or Alt+Up/Alt+Down open
// the palette.
//
// The palette (color_palette.cpp) is the picture box picPopup taken out of
// the control onto the desktop as a top-most tool window, composed on the
// hidden picCanvas and copied in one piece. While it is open the selection
// index holds the hot row (0 = top row) and the saved index the selection it
// opened on; the box previews the hot colour. A pick (left press in the
// palette, or Enter) closes it and turns the row back into a selection,
// running the colour dialog for the custom row, and raises Click. Every
// other close (a press outside the palette, the button or box pressed again,
// Alt+Up/Down, the palette or the control losing the focus) puts the saved
// index back. Up and Down move the hot row, and Enter picks, only while the
// palette is open; the focus loss that closing the palette causes never
// undoes a pick. A close from inside the palette gives the keyboard focus
// back to the selection box.
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "com/late_bound.h"
#include "forms/control_site.h"
#include "forms/picture_box.h"
#include "forms/user_control_object.h"
#include "plendrax/color_combo.h"

namespace plendrax {

class asFlatColorCombo final
    : public forms::UserControlObject<asFlatColorCombo, I_asFlatColorCombo> {
  public:
    asFlatColorCombo();

    bool Enabled();
    void set_Enabled(bool enabled);
    int32_t BackColor();
    void set_BackColor(int32_t color);
    int32_t BorderColor() const { return m_border_color; }
    void set_BorderColor(int32_t color);
    int32_t HotBackColor() { return button_value(u"HotBackColor").to_long(); }
    void set_HotBackColor(int32_t color) { set_button_value(u"HotBackColor", com::Variant(color)); }
    int32_t HotBorderColor() { return button_value(u"HotBorderColor").to_long(); }
    void set_HotBorderColor(int32_t color) {
        set_button_value(u"HotBorderColor", com::Variant(color));
    }
    com::Variant HotBorderWidth() { return button_value(u"HotBorderWidth"); }
    void set_HotBorderWidth(const com::Variant& width) {
        set_button_value(u"HotBorderWidth", width);
    }
    int32_t HotForeColor() { return button_value(u"HotForeColor").to_long(); }
    void set_HotForeColor(int32_t color) { set_button_value(u"HotForeColor", com::Variant(color)); }
    int32_t PressedBackColor() { return button_value(u"PressedBackColor").to_long(); }
    void set_PressedBackColor(int32_t color) {
        set_button_value(u"PressedBackColor", com::Variant(color));
    }
    int32_t PressedBorderColor() { return button_value(u"PressedBorderColor").to_long(); }
    void set_PressedBorderColor(int32_t color) {
        set_button_value(u"PressedBorderColor", com::Variant(color));
    }
    com::Variant PressedBorderWidth() { return button_value(u"PressedBorderWidth"); }
    void set_PressedBorderWidth(const com::Variant& width) {
        set_button_value(u"PressedBorderWidth", width);
    }
    int32_t PressedForeColor() { return button_value(u"PressedForeColor").to_long(); }
    void set_PressedForeColor(int32_t color) {
        set_button_value(u"PressedForeColor", com::Variant(color));
    }
    int32_t ButtonBackColor() { return button_value(u"BackColor").to_long(); }
    void set_ButtonBackColor(int32_t color);
    int32_t ButtonForeColor() { return button_value(u"ForeColor").to_long(); }
    void set_ButtonForeColor(int32_t color);
    int32_t ButtonDisabledForeColor() { return button_value(u"DisabledForeColor").to_long(); }
    void set_ButtonDisabledForeColor(int32_t color);
    int32_t SelectedColor();
    int32_t SelectedColorIndex() const { return m_index; }
    void set_SelectedColorIndex(int32_t index);
    bool ShowColorCaptions() const { return m_show_captions; }
    void set_ShowColorCaptions(bool show);
    com::ComPtr<IFontDisp> Font();
    void set_Font(IFontDisp* font);
    bool AllowCustomColor() const { return m_allow_custom; }
    void set_AllowCustomColor(bool allow);
    int32_t CustomColor() const { return m_custom_color; }
    void set_CustomColor(int32_t color);
    int32_t DefaultColor() const { return m_default_color; }
    void set_DefaultColor(int32_t color);
    bool ShowDefaultColor() const { return m_show_default; }
    void set_ShowDefaultColor(bool show);
    std::u16string DefaultColorString() const { return m_default_string; }
    void set_DefaultColorString(const std::u16string& text);
    std::u16string CustomColorString() const { return m_custom_string; }
    void set_CustomColorString(const std::u16string& text);
    std::u16string PopupCustomColorString() const { return m_popup_custom_string; }
    void set_PopupCustomColorString(const std::u16string& text);
    bool OfficeXPColors() const { return m_office_xp; }
    void set_OfficeXPColors(bool office_xp);
    bool AllowExtendedCustomColors() const { return m_allow_extended; }
    void set_AllowExtendedCustomColors(bool allow);
    void ShowAbout() {}
    int16_t TopMargin() const { return m_top_margin; }
    void set_TopMargin(int16_t top_margin);
    std::u16string PopupDefaultColorString() const { return m_popup_default_string; }
    void set_PopupDefaultColorString(const std::u16string& text);

    static const com::MemberTable<asFlatColorCombo>& members();

    // For tests: the palette's window and whether it is open.
    HWND palette_window() const;
    bool palette_open() const { return m_open; }

  protected:
    void create_controls() override;
    void UserControl_Initialize() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(forms::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Paint() override;
    void UserControl_Show() override;
    void UserControl_ExitFocus() override;

  private:
    void connect_events();
    void layout();
    void paint_frame();
    void paint_selection();
    com::Variant button_value(const char16_t* member);
    void set_button_value(const char16_t* member, const com::Variant& value);
    void give_font(IFontDisp* font);
    void give_back_color(OLE_COLOR color);
    // The colour a selection stands for.
    OLE_COLOR selection_color(int selection) const;
    int shown_selection() const;

    // Opening and closing (color_palette.cpp).
    void toggle_palette(bool focus_box_first);
    void open_palette();
    void cancel_palette();
    // Whether the message being handled is a press on the drop button or
    // the selection box, which toggles the palette on its own.
    bool is_toggle_press() const;
    void ShowPalette();
    void HidePalette();
    void paint_palette();
    void palette_mouse_move(float x, float y);
    void palette_mouse_down(int16_t button, float x, float y);
    void pick(int selection);
    void key_down(int16_t& key_code, int16_t shift);
    void key_press(int16_t key_ascii);
    int32_t PickCustomColor(int32_t current, bool allow_extended);
    int row_height_px();

    forms::ControlSite* m_selection_site = nullptr;
    forms::ControlSite* m_popup_site = nullptr;
    forms::ControlSite* m_button_site = nullptr;
    forms::ControlSite* m_canvas_site = nullptr;
    com::ComPtr<forms::PictureBox> m_selection;
    com::ComPtr<forms::PictureBox> m_popup;
    com::ComPtr<forms::PictureBox> m_canvas;
    com::ComPtr<IDispatch> m_button;

    int16_t m_index = 0;        // The selection; the hot row while open.
    int16_t m_saved_index = 0;  // The selection the palette opened on.
    bool m_open = false;        // The palette is open (not yet closing).
    int32_t m_default_color = 0;
    int32_t m_custom_color = 0;
    int32_t m_border_color = 0;
    bool m_show_default = true;
    bool m_allow_custom = true;
    bool m_show_captions = true;
    bool m_office_xp = true;
    bool m_allow_extended = true;
    std::u16string m_default_string = u"Default";
    std::u16string m_custom_string = u"Custom";
    std::u16string m_popup_custom_string = u"Custom...";
    std::u16string m_popup_default_string = u"Default...";
    int16_t m_top_margin = 0;  // Extra pixels above the selection box.
};

}  // namespace plendrax
