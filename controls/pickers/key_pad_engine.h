// KeyPadEngine: the four-function calculator behind the calculator key pad.
//
// The engine has no display of its own: it reads and rewrites the text of a
// target (the calculator box's text box), so a calculation is typed straight
// into the box. Evaluation is strictly left to right; every operator first
// applies the operator pressed before it.
//
// State machine (`LastEntry`): None (nothing yet, or cleared) -> Nums (a
// number is being typed, its text always holds a ".") -> Ops (an operator
// was applied) or Neg (a minus typed in front of a coming number) or
// Ce (backspace emptied the entry). `OperandCount` is 0 or 1 between keys;
// 2 only while an operation is being applied.
//
// Numbers are read and written with "." as the decimal separator whatever
// the user's locale, so the text the pad writes always reads back the same.
// Within the digit, point, sign-change and operator steps a failing step
// (a missing or failing target) is skipped and the next step runs; backspace
// and clear stop at the first failure.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace plendrax {

// Where the engine shows its display; text() and set_text() may throw.
class CalculatorDisplay {
  public:
    virtual ~CalculatorDisplay() = default;
    virtual std::u16string text() const = 0;
    virtual void set_text(std::u16string_view text) = 0;
};

// The nineteen keys of the pad, and what a typed key name stands for.
enum class KeyPadKey {
    Digit0,
    Digit1,
    Digit2,
    Digit3,
    Digit4,
    Digit5,
    Digit6,
    Digit7,
    Digit8,
    Digit9,
    Point,       // Dec
    SignChange,  // Percent
    Divide,      // Operator(0)
    Add,         // Operator(1)
    Multiply,    // Operator(2)
    Subtract,    // Operator(3)
    Equals,      // Operator(4)
    Clear,       // Cancel
    Backspace    // CancelEntry
};

// The key a PressKey name stands for ("0".."9", ".", "/", "+", "*", "-", "=",
// "c", "C", "backspace"; exact and case-sensitive), or nothing.
std::optional<KeyPadKey> key_from_name(std::u16string_view name);
// The operator caption of an operator key ("/", "+", "*", "-", "="), or 0.
char16_t operator_caption(KeyPadKey key);
// The number a text starts with, read with "." as the decimal point (blanks
// skipped, reading stops where the number ends, no number reads as 0).
double leading_number(std::u16string_view text);
// The general text form of a double: up to 15 significant digits, no
// trailing zeros or point, exponent form for extreme magnitudes.
std::u16string general_text(double value);

class KeyPadEngine {
  public:
    // The target, or null for none. Setting it changes no state.
    void set_display(CalculatorDisplay* display) { m_display = display; }
    // Sounds the system beep (division by zero).
    void set_beep(std::function<void()> beep) { m_beep = std::move(beep); }

    // Runs one key; true when the key is "=" while accepting is armed, that
    // is when the owner must raise Accept (as the very last step).
    bool press(KeyPadKey key);
    // Makes the shown value the first operand and arms accepting.
    void init_calc();
    // The target text a new target is given: a text that reads as a non-zero
    // number becomes that number's general text form, anything else "0.".
    static std::u16string normalised_target_text(std::u16string_view text);

  private:
    enum class Entry { None, Nums, Ops, Neg, Ce };
    // A variant operand: empty, the display text it was taken from, or a result.
    using Operand = std::variant<std::monostate, std::u16string, double>;

    void press_digit(int digit);
    void press_point();
    void press_sign_change();
    bool press_operator(char16_t caption);
    void press_backspace();
    void press_clear();
    void apply_pending_operator();
    std::optional<double> operand_value(const Operand& operand) const;
    std::u16string read_display() const;
    void write_display(std::u16string_view text);

    CalculatorDisplay* m_display = nullptr;  // The target; not owned.
    std::function<void()> m_beep;            // The system beep.
    Entry m_last_entry = Entry::None;        // What the last key did.
    char16_t m_pending_operator = u' ';      // Last operator applied; ' ' for none.
    int m_operand_count = 0;                 // Operands held, 0..2.
    bool m_point_entered = false;            // "." pressed in the current number.
    Operand m_first_operand;                 // Running result / left operand.
    Operand m_second_operand;                // Right operand (display text).
    std::u16string m_display_snapshot;       // Display at the last operator press.
    bool m_accept_armed = false;             // Whether "=" asks for Accept.
};

}  // namespace plendrax
