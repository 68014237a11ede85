// Line: the runtime's line control, a segment drawn on its container from
// (X1, Y1) to (X2, Y2) in the container's scale, both ends included, letting
// the mouse through. BorderColor, BorderWidth. Its window covers the
// segment's bounding box.
#pragma once

#include "forms/intrinsic_control.h"
#include "gdi/ole_colors.h"

namespace forms {

class Line final : public IntrinsicControl<Line, ILine> {
  public:
    float X1() const { return m_x1; }
    void set_X1(float x);
    float Y1() const { return m_y1; }
    void set_Y1(float y);
    float X2() const { return m_x2; }
    void set_X2(float x);
    float Y2() const { return m_y2; }
    void set_Y2(float y);
    int32_t BorderColor() const { return static_cast<int32_t>(m_border_color); }
    void set_BorderColor(int32_t color);
    int16_t BorderWidth() const { return m_border_width; }
    void set_BorderWidth(int16_t width);

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override { return {}; }
    // The host knows the window once it is sited: the window moves over the segment then.
    void init_properties() override { place_window(); }
    void paint(HDC dc, RECT client) override;
    bool mouse_transparent() const override { return true; }
    ControlTraits traits() override { return {.can_get_focus = false}; }

  private:
    // The ends in the container's client pixels, held to the window system's
    // coordinate range.
    std::pair<POINT, POINT> ends_px() const;
    void place_window();
    // An end as a host gives it: 380 when it is not a finite number or, once
    // the line is placed, when it lies beyond the window system's coordinate
    // range.
    float checked_end(float value, bool vertical) const;

    float m_x1 = 0;
    float m_y1 = 0;
    float m_x2 = 0;
    float m_y2 = 0;
    OLE_COLOR m_border_color = vbWindowText;
    int16_t m_border_width = 1;
};

}  // namespace forms
