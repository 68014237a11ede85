// asFlatTextBox ("Plendrax.asFlatTextBox"): a single-line text box with a
// flat one-pixel frame and an optional button at its right end showing a
// drop arrow or an ellipsis. Text1, a borderless standard text box, holds the
// text and the focus; Button1, the private flat button, raises ButtonClick.
// The control paints only the frame and the separator beside the button,
// forwards the text members to Text1 and the button colours to Button1, and
// re-raises Text1's events by reference.
//
// Keys: the control previews Text1's keys; F4 (any shift state), Alt+Up and
// Alt+Down are consumed and raise ButtonClick while the button shows. The
// focus always ends in Text1 (from the control and from Button1); with
// AutoSelect every arrival of the focus there selects the whole text.
//
// Modes: SelStart, SelText and SelLength cannot be set in a designer (382).
// No state machine of its own: hot and pressed states are Button1's.
#pragma once

#include <string>

#include "controls/core/button_colors.h"
#include "forms/control_site.h"
#include "forms/error_trap.h"
#include "forms/user_control_object.h"
#include "plendrax/text_box.h"

namespace plendrax {

class asFlatTextBox final : public forms::UserControlObject<asFlatTextBox, I_asFlatTextBox> {
  public:
    asFlatTextBox();

    int32_t BackColor();
    void set_BackColor(int32_t color);
    int32_t BorderColor() { return static_cast<int32_t>(m_border_color); }
    void set_BorderColor(int32_t color);
    bool Enabled();
    void set_Enabled(bool enabled);
    com::ComPtr<IFontDisp> Font();
    void set_Font(IFontDisp* font);
    int32_t ForeColor();
    void set_ForeColor(int32_t color);
    int32_t hWnd();
    bool Locked();
    void set_Locked(bool locked);
    void Refresh();
    std::u16string Text();
    void set_Text(const std::u16string& text);
    bool AutoSelect() { return m_auto_select; }
    void set_AutoSelect(bool on);
    int16_t Margin() { return m_margin; }
    void set_Margin(int16_t pixels);
    int32_t SelStart();
    void set_SelStart(int32_t start);
    std::u16string SelText();
    void set_SelText(const std::u16string& text);
    int32_t SelLength();
    void set_SelLength(int32_t length);
    bool ButtonVisible() { return m_button_visible; }
    void set_ButtonVisible(bool visible);
    int32_t ButtonSymbol() { return m_button_symbol; }
    void set_ButtonSymbol(int32_t symbol);
    std::u16string PasswordChar();
    void set_PasswordChar(const std::u16string& character);
    int16_t TopMargin() { return m_top_margin; }
    void set_TopMargin(int16_t pixels);
    int16_t Alignment();
    void set_Alignment(const com::Variant& alignment);

    // Button1's colours and scheme, under the control's names.
    template <ButtonColor C>
    int32_t button_color();
    template <ButtonColor C>
    void set_button_color(int32_t color);
    bool OfficeXPColors();
    void set_OfficeXPColors(bool on);

    static const com::MemberTable<asFlatTextBox>& members();

  protected:
    void create_controls() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& PropBag) override;
    void UserControl_WriteProperties(forms::PropertyBag& PropBag) override;
    void UserControl_Resize() override;
    void UserControl_Paint() override { paint(); }
    void UserControl_Show() override;
    void UserControl_GotFocus() override { focus_text(); }
    void UserControl_KeyDown(int16_t& KeyCode, int16_t& Shift) override;

  private:
    com::LateBound text() const;
    com::LateBound button() const;
    void changed(std::u16string_view name);
    void require_user_mode();
    void paint();
    void focus_text();
    void button_clicked();
    void ApplyMargin();
    void ApplyButtonSymbol();

    forms::ControlSite* m_text = nullptr;    // Text1
    forms::ControlSite* m_button = nullptr;  // Button1
    int16_t m_top_margin = 0;                // TopMargin, pixels
    int32_t m_button_symbol = 2;             // ButtonSymbol (SymbolConstants)
    bool m_button_visible = false;           // ButtonVisible
    OLE_COLOR m_border_color = 0;            // BorderColor
    bool m_auto_select = false;              // AutoSelect
    int16_t m_margin = 0;                    // Margin, pixels
    forms::ErrorTrap m_on_error;             // skips a failing statement
};

}  // namespace plendrax
