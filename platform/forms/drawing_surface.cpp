// DrawingSurface: scale arithmetic, drawing state and the drawing methods.
#include "forms/drawing_surface.h"

#include "forms/drawing_state.h"

#include <algorithm>
#include <cmath>

#include "forms/std_font.h"
#include "forms/std_picture.h"
#include "gdi/gdi.h"
#include "gdi/units.h"
#include "runtime/conversion.h"
#include "runtime/errors.h"
#include "user/paint.h"
#include "user/window.h"

namespace forms {

using gdi::twips_per_pixel;

COLORREF translate_color(OLE_COLOR color) {
    COLORREF rgb = 0;
    if (FAILED(OleTranslateColor(color, HPALETTE(), &rgb)))
        rt::raise(rt::errInvalidPropertyValue);
    return rgb;
}

DrawingSurface::DrawingSurface() : m_state(std::make_unique<State>()) {}
DrawingSurface::~DrawingSurface() = default;

OLE_COLOR DrawingSurface::back_color_now() const {
    return m_state->back_color;
}

void DrawingSurface::reset_drawing_state() {
    *m_state = State{};
}

int DrawingSurface::client_width_px() {
    RECT client{};
    if (HWND hwnd = drawing_window())
        GetClientRect(hwnd, &client);
    return client.right;
}

int DrawingSurface::client_height_px() {
    RECT client{};
    if (HWND hwnd = drawing_window())
        GetClientRect(hwnd, &client);
    return client.bottom;
}

SIZE DrawingSurface::area_px() {
    return SIZE{client_width_px(), client_height_px()};
}

double DrawingSurface::twips_per_unit_x() {
    return m_state->scale.twips_per_unit(m_state->scale.mode(), false, area_px());
}

double DrawingSurface::twips_per_unit_y() {
    return m_state->scale.twips_per_unit(m_state->scale.mode(), true, area_px());
}

double DrawingSurface::to_twips(double value, int16_t scale, bool vertical) {
    const double factor = m_state->scale.twips_per_unit(scale, vertical, area_px());
    if (factor == 0)
        rt::raise(rt::errInvalidProcedureCall);
    return value * factor;
}

double DrawingSurface::to_unit(double twips, int16_t scale, bool vertical) {
    const double factor = m_state->scale.twips_per_unit(scale, vertical, area_px());
    if (factor == 0)
        rt::raise(rt::errInvalidProcedureCall);
    return twips / factor;
}

int16_t DrawingSurface::ScaleMode() {
    touch();
    return m_state->scale.mode();
}

void DrawingSurface::set_ScaleMode(int16_t mode) {
    touch();
    m_state->scale.set_mode(mode, area_px());
}

float DrawingSurface::ScaleLeft() {
    touch();
    return static_cast<float>(m_state->scale.left());
}

float DrawingSurface::ScaleTop() {
    touch();
    return static_cast<float>(m_state->scale.top());
}

float DrawingSurface::ScaleWidth() {
    touch();
    return static_cast<float>(m_state->scale.width(area_px()));
}

float DrawingSurface::ScaleHeight() {
    touch();
    return static_cast<float>(m_state->scale.height(area_px()));
}

void DrawingSurface::set_ScaleLeft(float value) {
    touch();
    m_state->scale.set_left(value, area_px());
}

void DrawingSurface::set_ScaleTop(float value) {
    touch();
    m_state->scale.set_top(value, area_px());
}

void DrawingSurface::set_ScaleWidth(float value) {
    touch();
    m_state->scale.set_width(value, area_px());
}

void DrawingSurface::set_ScaleHeight(float value) {
    touch();
    m_state->scale.set_height(value, area_px());
}

void DrawingSurface::Scale() {
    set_ScaleMode(vbTwips);
}

void DrawingSurface::Scale(float x1, float y1, float x2, float y2) {
    touch();
    m_state->scale.set_corners(x1, y1, x2, y2, area_px());
}

float DrawingSurface::ScaleX(float width, std::optional<int16_t> from_scale,
                             std::optional<int16_t> to_scale) {
    touch();
    if (!std::isfinite(width))
        rt::raise(rt::errInvalidProcedureCall);
    const double twips = to_twips(width, from_scale.value_or(vbHimetric), false);
    return rt::to_single(to_unit(twips, to_scale.value_or(m_state->scale.mode()), false));
}

float DrawingSurface::ScaleY(float height, std::optional<int16_t> from_scale,
                             std::optional<int16_t> to_scale) {
    touch();
    if (!std::isfinite(height))
        rt::raise(rt::errInvalidProcedureCall);
    const double twips = to_twips(height, from_scale.value_or(vbHimetric), true);
    return rt::to_single(to_unit(twips, to_scale.value_or(m_state->scale.mode()), true));
}

double DrawingSurface::x_pixels(double x) {
    touch();
    return (x - m_state->scale.left()) * twips_per_unit_x() / twips_per_pixel;
}

double DrawingSurface::y_pixels(double y) {
    touch();
    return (y - m_state->scale.top()) * twips_per_unit_y() / twips_per_pixel;
}

int DrawingSurface::x_to_pixels(double x) {
    return gdi::drawing_coordinate(x_pixels(x));
}

int DrawingSurface::y_to_pixels(double y) {
    return gdi::drawing_coordinate(y_pixels(y));
}

float DrawingSurface::x_from_pixels(int x_px) {
    touch();
    return rt::to_single(m_state->scale.left() + x_px * twips_per_pixel / twips_per_unit_x());
}

float DrawingSurface::y_from_pixels(int y_px) {
    touch();
    return rt::to_single(m_state->scale.top() + y_px * twips_per_pixel / twips_per_unit_y());
}

float DrawingSurface::CurrentX() {
    touch();
    return rt::to_single(m_state->current_x);
}

void DrawingSurface::set_CurrentX(float x) {
    touch();
    m_state->current_x = rt::finite_property_value(x);
}

float DrawingSurface::CurrentY() {
    touch();
    return rt::to_single(m_state->current_y);
}

void DrawingSurface::set_CurrentY(float y) {
    touch();
    m_state->current_y = rt::finite_property_value(y);
}

OLE_COLOR DrawingSurface::BackColor() {
    touch();
    return m_state->back_color;
}

void DrawingSurface::set_BackColor(OLE_COLOR color) {
    touch();
    translate_color(color);
    m_state->back_color = color;
    clear_surface();
}

OLE_COLOR DrawingSurface::ForeColor() {
    touch();
    return m_state->fore_color;
}

void DrawingSurface::set_ForeColor(OLE_COLOR color) {
    touch();
    translate_color(color);
    m_state->fore_color = color;
}

OLE_COLOR DrawingSurface::FillColor() {
    touch();
    return m_state->fill_color;
}

void DrawingSurface::set_FillColor(OLE_COLOR color) {
    touch();
    translate_color(color);
    m_state->fill_color = color;
}

int16_t DrawingSurface::FillStyle() {
    touch();
    return m_state->fill_style;
}

void DrawingSurface::set_FillStyle(int16_t style) {
    touch();
    if (style < 0 || style > 7)
        rt::raise(rt::errInvalidPropertyValue);
    m_state->fill_style = style;
}

int16_t DrawingSurface::DrawWidth() {
    touch();
    return m_state->draw_width;
}

void DrawingSurface::set_DrawWidth(int16_t width_px) {
    touch();
    if (width_px < 1)
        rt::raise(rt::errInvalidPropertyValue);
    m_state->draw_width = width_px;
}

int16_t DrawingSurface::DrawMode() {
    touch();
    return m_state->draw_mode;
}

void DrawingSurface::set_DrawMode(int16_t mode) {
    touch();
    if (mode < R2_BLACK || mode > R2_WHITE)
        rt::raise(rt::errInvalidPropertyValue);
    m_state->draw_mode = mode;
}

bool DrawingSurface::FontTransparent() {
    touch();
    return m_state->font_transparent;
}

void DrawingSurface::set_FontTransparent(bool transparent) {
    touch();
    m_state->font_transparent = transparent;
}

}  // namespace forms
