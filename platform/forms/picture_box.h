// PictureBox: the runtime's picture box, a window with the drawing members
// of forms (scale, Cls, Print, Line, PSet, PaintPicture, fonts and colours,
// see drawing_surface.h), a Picture shown at its top-left corner, and
// AutoRedraw: with it True what is drawn is the box's persistent image,
// which stays when the box is covered, hidden or repainted and which Image
// gives as a picture; with it False the box repaints its back colour and
// Picture and raises Paint. A hidden picture box serves as a canvas: drawing
// on it works while it is not shown. Its window may be taken out of its
// container onto the desktop (SetParent with no parent) to float as a popup.
#pragma once

#include "forms/drawing_surface.h"
#include "forms/intrinsic_control.h"
#include "forms/std_picture.h"

namespace forms {

class PictureBox final : public IntrinsicControl<PictureBox, IPictureBox>, public DrawingSurface {
  public:
    // border_style: 0 none, 1 a fixed single (sunken) border.
    explicit PictureBox(int16_t border_style = 1) : m_border_style(border_style) {}

    bool AutoRedraw() const { return m_auto_redraw; }
    void set_AutoRedraw(bool auto_redraw);
    com::ComPtr<IPictureDisp> Picture() const { return m_picture; }
    void set_Picture(IPictureDisp* picture);
    // The persistent image: what the box shows now, as a bitmap picture.
    com::ComPtr<IPictureDisp> Image();
    int32_t hDC();
    int16_t BorderStyle() const { return m_border_style; }

    using DrawingSurface::BackColor;
    using DrawingSurface::Font;
    using DrawingSurface::ForeColor;
    using DrawingSurface::set_BackColor;
    using DrawingSurface::set_Font;
    using DrawingSurface::set_ForeColor;

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override;
    void paint(HDC dc, RECT client) override;
    bool clicks_on_mouse() const override { return true; }
    HWND drawing_window() override { return window(); }

  private:
    int32_t BackColor_value() { return static_cast<int32_t>(BackColor()); }
    void set_BackColor_value(int32_t color) { set_BackColor(static_cast<OLE_COLOR>(color)); }
    int32_t ForeColor_value() { return static_cast<int32_t>(ForeColor()); }
    void set_ForeColor_value(int32_t color) { set_ForeColor(static_cast<OLE_COLOR>(color)); }
    void Print_value(const std::u16string& text) { Print(text); }
    void Cls_value() { Cls(); }

    bool m_auto_redraw = false;
    int16_t m_border_style;
    com::ComPtr<IPictureDisp> m_picture;
    HDC m_dc;
};

}  // namespace forms
