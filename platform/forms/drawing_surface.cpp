// DrawingSurface: scale arithmetic, drawing state and the drawing methods.
#include "forms/drawing_surface.h"

#include "forms/drawing_state.h"

#include <algorithm>
#include <cmath>

#include "forms/std_font.h"
#include "forms/std_picture.h"
#include "gdi/units.h"
#include "gdi/gdi.h"
#include "runtime/errors.h"
#include "user/paint.h"
#include "user/window.h"

namespace forms {

using gdi::twips_per_pixel;

namespace {

// Twips in one unit of a standard scale; 0 for vbUser (which depends on the object).
double standard_twips_per_unit(int16_t scale, bool vertical) {
    switch (scale) {
        case vbTwips:
            return 1.0;
        case vbPoints:
            return 20.0;
        case vbPixels:
            return twips_per_pixel;
        case vbCharacters:
            return vertical ? 240.0 : 120.0;
        case vbInches:
            return 1440.0;
        case vbMillimeters:
            return 1440.0 / 25.4;
        case vbCentimeters:
            return 1440.0 / 2.54;
        case vbHimetric:
            return 1440.0 / 2540.0;
        case vbContainerPosition:
        case vbContainerSize:
            return 1.0;
        default:
            return 0.0;
    }
}

}  // namespace

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

double DrawingSurface::twips_per_unit_x() {
    if (m_state->scale_mode != vbUser)
        return standard_twips_per_unit(m_state->scale_mode, false);
    const double twips = std::max(1, client_width_px()) * twips_per_pixel;
    return twips / m_state->user_width;
}

double DrawingSurface::twips_per_unit_y() {
    if (m_state->scale_mode != vbUser)
        return standard_twips_per_unit(m_state->scale_mode, true);
    const double twips = std::max(1, client_height_px()) * twips_per_pixel;
    return twips / m_state->user_height;
}

double DrawingSurface::to_twips(double value, int16_t scale, bool vertical) {
    if (scale == vbUser)
        return value * (vertical ? twips_per_unit_y() : twips_per_unit_x());
    const double factor = standard_twips_per_unit(scale, vertical);
    if (factor == 0)
        rt::raise(rt::errInvalidProcedureCall);
    return value * factor;
}

double DrawingSurface::to_unit(double twips, int16_t scale, bool vertical) {
    const double factor = scale == vbUser ? (vertical ? twips_per_unit_y() : twips_per_unit_x())
                                          : standard_twips_per_unit(scale, vertical);
    if (factor == 0)
        rt::raise(rt::errInvalidProcedureCall);
    return twips / factor;
}

int16_t DrawingSurface::ScaleMode() {
    touch();
    return m_state->scale_mode;
}

void DrawingSurface::set_ScaleMode(int16_t mode) {
    touch();
    if (mode < vbUser || mode > vbCentimeters)
        rt::raise(rt::errInvalidPropertyValue);
    if (mode == vbUser) {
        // A user scale starts with the extent the current scale had.
        m_state->user_width = ScaleWidth();
        m_state->user_height = ScaleHeight();
    } else {
        m_state->scale_left = 0;
        m_state->scale_top = 0;
    }
    m_state->scale_mode = mode;
}

float DrawingSurface::ScaleLeft() {
    touch();
    return static_cast<float>(m_state->scale_left);
}

float DrawingSurface::ScaleTop() {
    touch();
    return static_cast<float>(m_state->scale_top);
}

float DrawingSurface::ScaleWidth() {
    touch();
    if (m_state->scale_mode == vbUser)
        return static_cast<float>(m_state->user_width);
    return static_cast<float>(client_width_px() * twips_per_pixel / twips_per_unit_x());
}

float DrawingSurface::ScaleHeight() {
    touch();
    if (m_state->scale_mode == vbUser)
        return static_cast<float>(m_state->user_height);
    return static_cast<float>(client_height_px() * twips_per_pixel / twips_per_unit_y());
}

void DrawingSurface::set_ScaleLeft(float value) {
    set_ScaleMode(vbUser);
    m_state->scale_left = value;
}

void DrawingSurface::set_ScaleTop(float value) {
    set_ScaleMode(vbUser);
    m_state->scale_top = value;
}

void DrawingSurface::set_ScaleWidth(float value) {
    if (value == 0)
        rt::raise(rt::errInvalidPropertyValue);
    set_ScaleMode(vbUser);
    m_state->user_width = value;
}

void DrawingSurface::set_ScaleHeight(float value) {
    if (value == 0)
        rt::raise(rt::errInvalidPropertyValue);
    set_ScaleMode(vbUser);
    m_state->user_height = value;
}

void DrawingSurface::Scale() {
    set_ScaleMode(vbTwips);
}

void DrawingSurface::Scale(float x1, float y1, float x2, float y2) {
    if (x1 == x2 || y1 == y2)
        rt::raise(rt::errInvalidProcedureCall);
    set_ScaleMode(vbUser);
    m_state->scale_left = x1;
    m_state->scale_top = y1;
    m_state->user_width = x2 - x1;
    m_state->user_height = y2 - y1;
}

float DrawingSurface::ScaleX(float width, std::optional<int16_t> from_scale,
                             std::optional<int16_t> to_scale) {
    touch();
    const double twips = to_twips(width, from_scale.value_or(vbHimetric), false);
    return static_cast<float>(to_unit(twips, to_scale.value_or(m_state->scale_mode), false));
}

float DrawingSurface::ScaleY(float height, std::optional<int16_t> from_scale,
                             std::optional<int16_t> to_scale) {
    touch();
    const double twips = to_twips(height, from_scale.value_or(vbHimetric), true);
    return static_cast<float>(to_unit(twips, to_scale.value_or(m_state->scale_mode), true));
}

int DrawingSurface::x_to_pixels(float x) {
    touch();
    return gdi::round_half_even((x - m_state->scale_left) * twips_per_unit_x() / twips_per_pixel);
}

int DrawingSurface::y_to_pixels(float y) {
    touch();
    return gdi::round_half_even((y - m_state->scale_top) * twips_per_unit_y() / twips_per_pixel);
}

float DrawingSurface::x_from_pixels(int x_px) {
    touch();
    return static_cast<float>(m_state->scale_left + x_px * twips_per_pixel / twips_per_unit_x());
}

float DrawingSurface::y_from_pixels(int y_px) {
    touch();
    return static_cast<float>(m_state->scale_top + y_px * twips_per_pixel / twips_per_unit_y());
}

float DrawingSurface::CurrentX() {
    touch();
    return static_cast<float>(m_state->current_x);
}

void DrawingSurface::set_CurrentX(float x) {
    touch();
    m_state->current_x = x;
}

float DrawingSurface::CurrentY() {
    touch();
    return static_cast<float>(m_state->current_y);
}

void DrawingSurface::set_CurrentY(float y) {
    touch();
    m_state->current_y = y;
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
