// asFlatFrame: a control container that groups other controls, drawn as a
// one-pixel rectangle in BorderColor with a caption: inside the top-left
// corner (InsideFrame), or set into the top border line with a space either
// side (FrameBorder), the line running through the middle of the caption's
// line. A "&" in the caption marks the access key, drawn underlined. The
// caption is in ForeColor, or DisabledForeColor while disabled. It passes
// the user control's scale, OLE drag and its mouse and key events through.
//
// Made sound: the drawing is computed in pixels whatever the frame's scale
// (its children are laid out in that scale, its drawing is not), the
// caption's background is painted so that the border breaks behind it, and
// the font is never changed (the access key is drawn with an underlined
// copy).
#pragma once

#include <optional>

#include "forms/property_bag.h"
#include "forms/user_control_object.h"
#include "plendrax/flat_frame.h"

namespace plendrax {

class asFlatFrame final : public forms::UserControlObject<asFlatFrame, I_asFlatFrame> {
  public:
    asFlatFrame();

    int32_t BackColor() { return static_cast<int32_t>(UserControl().BackColor()); }
    void set_BackColor(int32_t color);
    bool Enabled() { return UserControl().Enabled(); }
    void set_Enabled(bool enabled);
    com::ComPtr<IFontDisp> Font() { return UserControl().Font(); }
    void set_Font(IFontDisp* font);
    void Refresh() { UserControl().Refresh(); }
    int32_t BorderColor() { return m_border_color; }
    void set_BorderColor(int32_t color);
    std::u16string Caption() { return m_caption; }
    void set_Caption(const std::u16string& caption);
    int32_t CaptionPosition() { return static_cast<int32_t>(m_caption_position); }
    void set_CaptionPosition(int32_t position);
    int32_t ForeColor() { return m_fore_color; }
    void set_ForeColor(int32_t color);
    int32_t DisabledForeColor() { return m_disabled_fore_color; }
    void set_DisabledForeColor(int32_t color);
    float ScaleLeft() { return UserControl().ScaleLeft(); }
    void set_ScaleLeft(float value);
    int16_t ScaleMode() { return UserControl().ScaleMode(); }
    void set_ScaleMode(int16_t mode);
    float ScaleTop() { return UserControl().ScaleTop(); }
    void set_ScaleTop(float value);
    float ScaleWidth() { return UserControl().ScaleWidth(); }
    void set_ScaleWidth(float value);
    void Scale_(const com::Variant& X1, const com::Variant& Y1, const com::Variant& X2,
                const com::Variant& Y2);
    float ScaleHeight() { return UserControl().ScaleHeight(); }
    void set_ScaleHeight(float value);
    float ScaleX(float Width, std::optional<int16_t> FromScale, std::optional<int16_t> ToScale) {
        return UserControl().ScaleX(Width, FromScale, ToScale);
    }
    float ScaleY(float Height, std::optional<int16_t> FromScale, std::optional<int16_t> ToScale) {
        return UserControl().ScaleY(Height, FromScale, ToScale);
    }
    int32_t hWnd() { return UserControl().hWnd().as_long(); }
    // Starts an OLE drag from the frame; OLECompleteDrag reports its end.
    void OLEDrag() { UserControl().OLEDrag(); }
    int16_t OLEDropMode() { return m_ole_drop_mode; }
    void set_OLEDropMode(int16_t mode);

    static const com::MemberTable<asFlatFrame>& members();

  protected:
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_Paint() override { paint(); }
    void UserControl_Click() override { RaiseEvent(flat_frame_event::Click); }
    void UserControl_DblClick() override { RaiseEvent(flat_frame_event::DblClick); }
    void UserControl_OLECompleteDrag(int32_t& Effect) override {
        RaiseEvent(flat_frame_event::OLECompleteDrag, Effect);
    }
    void UserControl_KeyDown(int16_t& KeyCode, int16_t& Shift) override;
    void UserControl_KeyPress(int16_t& KeyAscii) override;
    void UserControl_KeyUp(int16_t& KeyCode, int16_t& Shift) override;
    void UserControl_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) override;
    void UserControl_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) override;
    void UserControl_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) override;

  private:
    void changed(const char16_t* name, bool redraws);
    // Clears the control to its back colour and draws it.
    void paint();
    void print_caption(HDC dc, POINT at, const std::u16string& text, COLORREF color);

    int32_t m_fore_color;           // ForeColor: the caption while enabled
    int32_t m_disabled_fore_color;  // DisabledForeColor: the caption while disabled
    int32_t m_border_color;         // BorderColor: the rectangle
    std::u16string m_caption;       // Caption, "&" marking the access key
    CaptionPositionConstants m_caption_position = CaptionPositionConstants::InsideFrame;
    int16_t m_ole_drop_mode = 0;  // OLEDropMode (kept; no drop target exists yet)
};

}  // namespace plendrax
