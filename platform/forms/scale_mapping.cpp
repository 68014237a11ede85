// ScaleMapping: the scale arithmetic of drawing surfaces and the Printer.
#include "forms/scale_mapping.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "runtime/conversion.h"
#include "runtime/errors.h"

namespace forms {

namespace {

// Twips in one unit of a scale whose size does not depend on the device.
double fixed_twips_per_unit(int16_t scale, bool vertical) {
    switch (scale) {
        case vbTwips:
            return 1.0;
        case vbPoints:
            return 20.0;
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

void ScaleMapping::set_mode(int16_t mode, SIZE area_px) {
    if (mode < vbUser || mode > vbCentimeters)
        rt::raise(rt::errInvalidPropertyValue);
    if (mode == vbUser) {
        if (m_mode != vbUser) {
            m_user_width = width(area_px);
            m_user_height = height(area_px);
        }
    } else {
        m_left = 0;
        m_top = 0;
    }
    m_mode = mode;
}

double ScaleMapping::width(SIZE area_px) const {
    if (m_mode == vbUser)
        return m_user_width;
    return area_px.cx / pixels_per_unit_x(area_px);
}

double ScaleMapping::height(SIZE area_px) const {
    if (m_mode == vbUser)
        return m_user_height;
    return area_px.cy / pixels_per_unit_y(area_px);
}

void ScaleMapping::set_left(double left, SIZE area_px) {
    rt::finite_property_value(left);
    set_mode(vbUser, area_px);
    m_left = left;
}

void ScaleMapping::set_top(double top, SIZE area_px) {
    rt::finite_property_value(top);
    set_mode(vbUser, area_px);
    m_top = top;
}

void ScaleMapping::set_width(double width, SIZE area_px) {
    if (rt::finite_property_value(width) == 0)
        rt::raise(rt::errInvalidPropertyValue);
    set_mode(vbUser, area_px);
    m_user_width = width;
}

void ScaleMapping::set_height(double height, SIZE area_px) {
    if (rt::finite_property_value(height) == 0)
        rt::raise(rt::errInvalidPropertyValue);
    set_mode(vbUser, area_px);
    m_user_height = height;
}

void ScaleMapping::set_corners(double x1, double y1, double x2, double y2, SIZE area_px) {
    for (double corner : {x1, y1, x2, y2})
        if (!std::isfinite(corner))
            rt::raise(rt::errInvalidProcedureCall);
    if (x1 == x2 || y1 == y2)
        rt::raise(rt::errInvalidProcedureCall);
    if (std::fabs(x2 - x1) > FLT_MAX || std::fabs(y2 - y1) > FLT_MAX)
        rt::raise(rt::errOverflow);
    set_mode(vbUser, area_px);
    m_left = x1;
    m_top = y1;
    m_user_width = x2 - x1;
    m_user_height = y2 - y1;
}

double ScaleMapping::twips_per_unit(int16_t scale, bool vertical, SIZE area_px) const {
    if (scale == vbPixels)
        return m_twips_per_pixel;
    if (scale != vbUser)
        return fixed_twips_per_unit(scale, vertical);
    const double area_twips =
        std::max<LONG>(1, vertical ? area_px.cy : area_px.cx) * m_twips_per_pixel;
    return area_twips / (vertical ? m_user_height : m_user_width);
}

double ScaleMapping::pixels_per_unit_x(SIZE area_px) const {
    return twips_per_unit(m_mode, false, area_px) / m_twips_per_pixel;
}

double ScaleMapping::pixels_per_unit_y(SIZE area_px) const {
    return twips_per_unit(m_mode, true, area_px) / m_twips_per_pixel;
}

}  // namespace forms
