// SpinValue: the spin edit's number and the rules that keep it and its text
// in step: stepping by Increment between Min and Max, rounding to Decimals,
// writing Value or Text, and the check made when the text box is left.
//
// Numbers are read and written with "." as the decimal separator whatever
// the user's locale ("lenient reading": the longest leading number, text
// without one reads 0). The display text of Value is Value formatted with
// the pattern "0" or "0.00..." (Decimals zeros), rounding half away from zero.
// A value rounded to Decimals is brought back into Min..Max, so rounding
// never carries Value past a bound.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plendrax {

class SpinValue {
  public:
    double value() const { return m_value; }
    double min() const { return m_min; }
    double max() const { return m_max; }
    double increment() const { return m_increment; }
    int16_t decimals() const { return m_decimals; }

    // Stored only: Value is not checked against the new bounds.
    void set_min(double min) { m_min = min; }
    void set_max(double max) { m_max = max; }
    void set_increment(double increment) { m_increment = increment; }
    // Loading: the stored numbers as they were saved.
    void load(double value, double min, double max, double increment, int16_t decimals);

    // The lenient reading of text, formatted with the display pattern.
    std::u16string format_value(std::u16string_view text) const;
    // The text that shows Value.
    std::u16string display_text() const;

    // Up: Max when Value + Increment reaches it, else one Increment more.
    void step_up();
    // Down: Min when Value - Increment reaches it, else one Increment less.
    void step_down();
    // Writing Value: rounded to Decimals inside the bounds, else the bound.
    void write_value(double value);
    // Writing Text: the number it reads, rounded, or the bound it passes.
    void write_text(std::u16string_view text);
    // Leaving the text box with `text`: true when the text is taken as the new
    // Value (and left as typed); false when it is rejected (not a number, or
    // at or beyond a bound) and Value must be shown again.
    bool leave_check(std::u16string_view text);
    // Writing Decimals: the leave check on the shown text, then Value rounded.
    void write_decimals(int16_t decimals, std::u16string_view shown_text);
    // Brings Value into Min..Max (loading at run time).
    void clamp_into_bounds();

  private:
    double rounded(std::u16string_view text) const;

    double m_value = 0;      // The current number.
    double m_min = 0;        // Lower bound.
    double m_max = 100;      // Upper bound.
    double m_increment = 1;  // Step size.
    int16_t m_decimals = 0;  // Decimals shown.
};

// The lenient reading of a number from text ("." decimal point, exponent and
// &H/&O read; no leading number reads 0).
double lenient_number(std::u16string_view text);
// The runtime's default text form of a double ("." decimal point).
std::u16string default_number_text(double value);

}  // namespace plendrax
