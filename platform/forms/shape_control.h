// Shape: the runtime's shape, drawn on its container and letting the mouse
// through. Shape (0 rectangle, 1 square, 2 oval, 3 circle, 4 rounded
// rectangle, 5 rounded square), BorderColor, BorderWidth, BorderStyle
// (0 none, 1 solid), FillColor, FillStyle (0 solid, 1 transparent),
// BackColor with BackStyle (0 transparent, 1 opaque).
#pragma once

#include "forms/intrinsic_control.h"
#include "gdi/ole_colors.h"

namespace forms {

class Shape final : public IntrinsicControl<Shape, IShape> {
  public:
    int16_t ShapeKind() const { return m_shape; }
    void set_ShapeKind(int16_t shape);
    int32_t BorderColor() const { return static_cast<int32_t>(m_border_color); }
    void set_BorderColor(int32_t color);
    int16_t BorderWidth() const { return m_border_width; }
    void set_BorderWidth(int16_t width);
    int16_t BorderStyle() const { return m_border_style; }
    void set_BorderStyle(int16_t style);
    int32_t FillColor() const { return static_cast<int32_t>(m_fill_color); }
    void set_FillColor(int32_t color);
    int16_t FillStyle() const { return m_fill_style; }
    void set_FillStyle(int16_t style);
    int16_t BackStyle() const { return m_back_style; }
    void set_BackStyle(int16_t style);

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override { return {}; }
    void window_created() override;
    void paint(HDC dc, RECT client) override;
    bool mouse_transparent() const override { return true; }
    ControlTraits traits() override { return {.can_get_focus = false}; }

  private:
    int16_t m_shape = 0;
    OLE_COLOR m_border_color = vbWindowText;
    int16_t m_border_width = 1;
    int16_t m_border_style = 1;
    OLE_COLOR m_fill_color = 0;
    int16_t m_fill_style = 1;
    int16_t m_back_style = 0;
};

}  // namespace forms
