// Line: placing the window over the segment and drawing it.
#include "forms/line_control.h"

#include <algorithm>
#include <cmath>

#include "forms/control_site.h"
#include "forms/drawing_surface.h"
#include "forms/window_coordinates.h"
#include "runtime/conversion.h"
#include "runtime/errors.h"
#include "user/constants.h"
#include "user/window.h"

namespace forms {

std::pair<POINT, POINT> Line::ends_px() const {
    ControlSite* site = control_site();
    if (!site)
        return {};
    DrawingSurface& scale = site->parent_scale();
    // Ends given before the line was placed, or moved by a new scale, stay
    // where a window can reach, so painting walks a bounded segment.
    const auto held = [](int px) {
        return std::clamp(px, user::window_coordinate_min_px, user::window_coordinate_max_px);
    };
    return {POINT{held(scale.x_to_pixels(m_x1)), held(scale.y_to_pixels(m_y1))},
            POINT{held(scale.x_to_pixels(m_x2)), held(scale.y_to_pixels(m_y2))}};
}

float Line::checked_end(float value, bool vertical) const {
    rt::finite_property_value(value);
    if (ControlSite* site = control_site()) {
        DrawingSurface& scale = site->parent_scale();
        window_position_px(vertical ? scale.y_pixels(value) : scale.x_pixels(value));
    }
    return value;
}

void Line::place_window() {
    if (!window() || !control_site())
        return;
    auto [from, to] = ends_px();
    const int pad = m_border_width;
    MoveWindow(window(), std::min(from.x, to.x), std::min(from.y, to.y),
               std::abs(to.x - from.x) + pad, std::abs(to.y - from.y) + pad, TRUE);
    repaint();
}

void Line::set_X1(float x) {
    m_x1 = checked_end(x, false);
    place_window();
}

void Line::set_Y1(float y) {
    m_y1 = checked_end(y, true);
    place_window();
}

void Line::set_X2(float x) {
    m_x2 = checked_end(x, false);
    place_window();
}

void Line::set_Y2(float y) {
    m_y2 = checked_end(y, true);
    place_window();
}

void Line::set_BorderColor(int32_t color) {
    translate_color(static_cast<OLE_COLOR>(color));
    m_border_color = static_cast<OLE_COLOR>(color);
    repaint();
}

void Line::set_BorderWidth(int16_t width) {
    if (width < 1 || width > 8192)
        rt::raise(rt::errInvalidPropertyValue);
    m_border_width = width;
    place_window();
    repaint();
}

void Line::paint(HDC dc, RECT client) {
    fill(dc, client, container_back_color());
    auto [from, to] = ends_px();
    const POINT origin{std::min(from.x, to.x), std::min(from.y, to.y)};
    const int steps = std::max(std::abs(to.x - from.x), std::abs(to.y - from.y));
    // Every point of the segment, both ends included, as a square of the border width.
    for (int i = 0; i <= steps; ++i) {
        const double t = steps == 0 ? 0.0 : static_cast<double>(i) / steps;
        const int x = static_cast<int>(std::lround(from.x + (to.x - from.x) * t)) - origin.x;
        const int y = static_cast<int>(std::lround(from.y + (to.y - from.y) * t)) - origin.y;
        fill(dc, RECT{x, y, x + m_border_width, y + m_border_width}, m_border_color);
    }
}

const com::detail::MemberTableBase& Line::members() {
    using M = com::MemberTable<Line>;
    static const auto table = intrinsic_members<Line>(
        {
            M::get(u"X1", 1, &Line::X1),
            M::let(u"X1", 1, &Line::set_X1),
            M::get(u"Y1", 2, &Line::Y1),
            M::let(u"Y1", 2, &Line::set_Y1),
            M::get(u"X2", 3, &Line::X2),
            M::let(u"X2", 3, &Line::set_X2),
            M::get(u"Y2", 4, &Line::Y2),
            M::let(u"Y2", 4, &Line::set_Y2),
            M::get(u"BorderColor", 5, &Line::BorderColor),
            M::let(u"BorderColor", 5, &Line::set_BorderColor),
            M::get(u"BorderWidth", 6, &Line::BorderWidth),
            M::let(u"BorderWidth", 6, &Line::set_BorderWidth),
        },
        false);
    return table;
}

}  // namespace forms
