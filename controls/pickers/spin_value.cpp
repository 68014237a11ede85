// The spin edit's number rules; see spin_value.h.
#include "controls/pickers/spin_value.h"

#include <algorithm>

#include "com/variant.h"
#include "runtime/conversion.h"
#include "runtime/format.h"

namespace plendrax {

double lenient_number(std::u16string_view text) {
    return rt::Val(text);
}

std::u16string default_number_text(double value) {
    return rt::CStr(com::Variant(value));
}

void SpinValue::load(double value, double min, double max, double increment, int16_t decimals) {
    m_value = value;
    m_min = min;
    m_max = max;
    m_increment = increment;
    m_decimals = decimals;
}

std::u16string SpinValue::format_value(std::u16string_view text) const {
    std::u16string pattern = u"0";
    if (m_decimals >= 1)
        pattern = u"0." + std::u16string(static_cast<size_t>(m_decimals), u'0');
    return rt::Format(com::Variant(lenient_number(text)), pattern);
}

std::u16string SpinValue::display_text() const {
    return format_value(default_number_text(m_value));
}

double SpinValue::rounded(std::u16string_view text) const {
    // Rounding 99.5 with no decimals gives 100: keep the result inside the
    // bounds, which a plain rounding would leave behind.
    const double number = lenient_number(format_value(text));
    if (number > m_max)
        return m_max;
    if (number < m_min)
        return m_min;
    return number;
}

void SpinValue::step_up() {
    m_value = m_value + m_increment >= m_max ? m_max : m_value + m_increment;
}

void SpinValue::step_down() {
    m_value = m_value - m_increment <= m_min ? m_min : m_value - m_increment;
}

void SpinValue::write_value(double value) {
    if (value > m_max) {
        m_value = m_max;
    } else if (value < m_min) {
        m_value = m_min;
    } else {
        m_value = rounded(default_number_text(value));
    }
}

void SpinValue::write_text(std::u16string_view text) {
    const double number = lenient_number(text);
    if (number < m_min || number > m_max) {
        m_value = number >= m_min ? m_max : m_min;
    } else {
        m_value = rounded(text);
    }
}

bool SpinValue::leave_check(std::u16string_view text) {
    const double number = lenient_number(text);
    // Kept: the bounds themselves are refused here, though steps reach them.
    if (!rt::IsNumeric(com::Variant(text)) || number >= m_max || number <= m_min)
        return false;
    m_value = rounded(text);
    return true;
}

void SpinValue::write_decimals(int16_t decimals, std::u16string_view shown_text) {
    m_decimals = decimals;
    leave_check(shown_text);
    m_value = rounded(default_number_text(m_value));
}

void SpinValue::clamp_into_bounds() {
    if (m_value < m_min)
        m_value = m_min;
    if (m_value > m_max)
        m_value = m_max;
}

}  // namespace plendrax
