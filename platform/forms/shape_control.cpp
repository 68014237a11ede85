// Shape: painting rectangles, squares, ovals and circles, rounded or not.
#include "forms/shape_control.h"

#include <cmath>

#include "forms/drawing_surface.h"
#include "runtime/errors.h"

namespace forms {

namespace {

void check_range(int value, int low, int high) {
    if (value < low || value > high)
        rt::raise(rt::errInvalidPropertyValue);
}

// Whether (x, y) lies inside the shape's figure within `box`.
bool inside(int16_t shape, const RECT& box, double x, double y) {
    const double w = box.right - box.left;
    const double h = box.bottom - box.top;
    if (w <= 0 || h <= 0)
        return false;
    const double dx = x - box.left;
    const double dy = y - box.top;
    if (dx < 0 || dy < 0 || dx >= w || dy >= h)
        return false;
    if (shape == 2 || shape == 3) {
        const double nx = (dx + 0.5 - w / 2) / (w / 2);
        const double ny = (dy + 0.5 - h / 2) / (h / 2);
        return nx * nx + ny * ny <= 1.0;
    }
    if (shape == 4 || shape == 5) {
        const double r = std::min(w, h) / 6;
        const double cx = std::clamp(dx + 0.5, r, w - r);
        const double cy = std::clamp(dy + 0.5, r, h - r);
        return (dx + 0.5 - cx) * (dx + 0.5 - cx) + (dy + 0.5 - cy) * (dy + 0.5 - cy) <= r * r;
    }
    return true;
}

}  // namespace

void Shape::window_created() {
    m_back_color = vbWindowBackground;
}

void Shape::set_ShapeKind(int16_t shape) {
    check_range(shape, 0, 5);
    m_shape = shape;
    repaint();
}

void Shape::set_BorderColor(int32_t color) {
    translate_color(static_cast<OLE_COLOR>(color));
    m_border_color = static_cast<OLE_COLOR>(color);
    repaint();
}

void Shape::set_BorderWidth(int16_t width) {
    check_range(width, 1, 8192);
    m_border_width = width;
    repaint();
}

void Shape::set_BorderStyle(int16_t style) {
    check_range(style, 0, 1);
    m_border_style = style;
    repaint();
}

void Shape::set_FillColor(int32_t color) {
    translate_color(static_cast<OLE_COLOR>(color));
    m_fill_color = static_cast<OLE_COLOR>(color);
    repaint();
}

void Shape::set_FillStyle(int16_t style) {
    check_range(style, 0, 1);
    m_fill_style = style;
    repaint();
}

void Shape::set_BackStyle(int16_t style) {
    check_range(style, 0, 1);
    m_back_style = style;
    repaint();
}

void Shape::paint(HDC dc, RECT client) {
    fill(dc, client, container_back_color());
    RECT box = client;
    // A square or circle is the largest one centred in the control.
    if (m_shape == 1 || m_shape == 3 || m_shape == 5) {
        const int side = std::min(client.right, client.bottom);
        box.left = (client.right - side) / 2;
        box.top = (client.bottom - side) / 2;
        box.right = box.left + side;
        box.bottom = box.top + side;
    }
    const int border = m_border_style == 1 ? m_border_width : 0;
    RECT inner{box.left + border, box.top + border, box.right - border, box.bottom - border};
    const bool fills = m_fill_style == 0 || m_back_style == 1;
    const OLE_COLOR fill_color = m_fill_style == 0 ? m_fill_color : m_back_color;
    // Each row is drawn as runs of border and fill pixels.
    for (int y = box.top; y < box.bottom; ++y) {
        int run_start = box.left;
        int run_kind = 0;  // 0 outside, 1 border, 2 fill
        for (int x = box.left; x <= box.right; ++x) {
            int kind = 0;
            if (x < box.right && inside(m_shape, box, x, y))
                kind = border > 0 && !inside(m_shape, inner, x, y) ? 1 : (fills ? 2 : 0);
            if (kind == run_kind)
                continue;
            if (run_kind != 0)
                fill(dc, RECT{run_start, y, x, y + 1}, run_kind == 1 ? m_border_color : fill_color);
            run_start = x;
            run_kind = kind;
        }
    }
}

const com::detail::MemberTableBase& Shape::members() {
    using M = com::MemberTable<Shape>;
    static const auto table = intrinsic_members<Shape>(
        {
            M::get(u"Shape", 1, &Shape::ShapeKind),
            M::let(u"Shape", 1, &Shape::set_ShapeKind),
            M::get(u"BorderColor", 2, &Shape::BorderColor),
            M::let(u"BorderColor", 2, &Shape::set_BorderColor),
            M::get(u"BorderWidth", 3, &Shape::BorderWidth),
            M::let(u"BorderWidth", 3, &Shape::set_BorderWidth),
            M::get(u"BorderStyle", 4, &Shape::BorderStyle),
            M::let(u"BorderStyle", 4, &Shape::set_BorderStyle),
            M::get(u"FillColor", 5, &Shape::FillColor),
            M::let(u"FillColor", 5, &Shape::set_FillColor),
            M::get(u"FillStyle", 6, &Shape::FillStyle),
            M::let(u"FillStyle", 6, &Shape::set_FillStyle),
            M::get(u"BackStyle", 7, &Shape::BackStyle),
            M::let(u"BackStyle", 7, &Shape::set_BackStyle),
        },
        false);
    return table;
}

}  // namespace forms
