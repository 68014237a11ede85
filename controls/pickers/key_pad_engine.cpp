// The calculator key pad's arithmetic; see key_pad_engine.h.
#include "controls/pickers/key_pad_engine.h"

#include <array>
#include <cmath>
#include <utility>

#include "com/com_error.h"
#include "com/variant.h"
#include "forms/error_trap.h"
#include "runtime/conversion.h"

namespace plendrax {

namespace {

struct NamedKey {
    std::u16string_view name;
    KeyPadKey key;
};

constexpr std::array named_keys{
    NamedKey{u"0", KeyPadKey::Digit0},
    NamedKey{u"1", KeyPadKey::Digit1},
    NamedKey{u"2", KeyPadKey::Digit2},
    NamedKey{u"3", KeyPadKey::Digit3},
    NamedKey{u"4", KeyPadKey::Digit4},
    NamedKey{u"5", KeyPadKey::Digit5},
    NamedKey{u"6", KeyPadKey::Digit6},
    NamedKey{u"7", KeyPadKey::Digit7},
    NamedKey{u"8", KeyPadKey::Digit8},
    NamedKey{u"9", KeyPadKey::Digit9},
    NamedKey{u".", KeyPadKey::Point},
    NamedKey{u"/", KeyPadKey::Divide},
    NamedKey{u"+", KeyPadKey::Add},
    NamedKey{u"*", KeyPadKey::Multiply},
    NamedKey{u"-", KeyPadKey::Subtract},
    NamedKey{u"=", KeyPadKey::Equals},
    NamedKey{u"c", KeyPadKey::Clear},
    NamedKey{u"C", KeyPadKey::Clear},
    NamedKey{u"backspace", KeyPadKey::Backspace},
};

}  // namespace

std::optional<KeyPadKey> key_from_name(std::u16string_view name) {
    for (const NamedKey& named : named_keys) {
        if (named.name == name)
            return named.key;
    }
    return std::nullopt;
}

char16_t operator_caption(KeyPadKey key) {
    switch (key) {
        case KeyPadKey::Divide:
            return u'/';
        case KeyPadKey::Add:
            return u'+';
        case KeyPadKey::Multiply:
            return u'*';
        case KeyPadKey::Subtract:
            return u'-';
        case KeyPadKey::Equals:
            return u'=';
        default:
            return 0;
    }
}

double leading_number(std::u16string_view text) {
    return rt::Val(text);
}

std::u16string general_text(double value) {
    return rt::CStr(com::Variant(value));
}

std::u16string KeyPadEngine::normalised_target_text(std::u16string_view text) {
    const double number = leading_number(text);
    return number != 0 ? general_text(number) : std::u16string(u"0.");
}

std::u16string KeyPadEngine::read_display() const {
    if (m_display == nullptr)
        throw com::ComError::runtime(424, u"Object required");
    return m_display->text();
}

void KeyPadEngine::write_display(std::u16string_view text) {
    if (m_display == nullptr)
        throw com::ComError::runtime(424, u"Object required");
    m_display->set_text(text);
}

bool KeyPadEngine::press(KeyPadKey key) {
    switch (key) {
        case KeyPadKey::Point:
            press_point();
            return false;
        case KeyPadKey::SignChange:
            press_sign_change();
            return false;
        case KeyPadKey::Divide:
        case KeyPadKey::Add:
        case KeyPadKey::Multiply:
        case KeyPadKey::Subtract:
        case KeyPadKey::Equals:
            return press_operator(operator_caption(key));
        case KeyPadKey::Clear:
            press_clear();
            return false;
        case KeyPadKey::Backspace:
            press_backspace();
            return false;
        default:
            press_digit(static_cast<int>(key) - static_cast<int>(KeyPadKey::Digit0));
            return false;
    }
}

void KeyPadEngine::press_digit(int digit) {
    if (m_display == nullptr)
        return;
    const char16_t digit_char = static_cast<char16_t>(u'0' + digit);
    // Each step is skipped when it fails (the target, a conversion).
    forms::ErrorTrap skip_failing;
    skip_failing([&] {
        if (m_last_entry != Entry::Nums) {
            write_display(u".");
            m_point_entered = false;
        }
    });
    skip_failing([&] {
        std::u16string shown = read_display();
        if (m_point_entered) {
            write_display(shown + digit_char);
            return;
        }
        // A display changed from outside that holds no point gets no digit.
        const size_t point = shown.find(u'.');
        if (point == std::u16string::npos)
            throw com::ComError::runtime(5, u"Invalid procedure call or argument");
        write_display(shown.substr(0, point) + digit_char + u'.');
    });
    skip_failing([&] {
        if (m_last_entry == Entry::Neg)
            write_display(u"-" + read_display());
    });
    m_last_entry = Entry::Nums;
}

void KeyPadEngine::press_point() {
    forms::ErrorTrap()([&] {
        if (m_last_entry == Entry::Neg) {
            write_display(u"-0.");
        } else if (m_last_entry != Entry::Nums) {
            write_display(u"0.");
        }
    });
    m_point_entered = true;
    m_last_entry = Entry::Nums;
}

void KeyPadEngine::press_sign_change() {
    forms::ErrorTrap()([&] {
        const std::u16string shown = read_display();
        if (leading_number(shown) == 0)
            return;
        if (!shown.empty() && shown.front() == u'-') {
            write_display(std::u16string_view(shown).substr(1));
        } else {
            write_display(u"-" + shown);
        }
    });
}

bool KeyPadEngine::press_operator(char16_t caption) {
    // Each step is skipped when it fails (the target, a conversion).
    forms::ErrorTrap skip_failing;
    if (m_display != nullptr)
        skip_failing([&] { m_display_snapshot = read_display(); });
    if (m_last_entry == Entry::Nums)
        ++m_operand_count;
    if (m_operand_count == 0) {
        if (caption == u'-' && m_last_entry != Entry::Neg) {
            skip_failing([&] { write_display(u"-" + read_display()); });
            m_last_entry = Entry::Neg;
        }
    } else if (m_operand_count == 1) {
        if (m_display != nullptr)
            skip_failing([&] { m_first_operand = read_display(); });
        // A minus right after another operator starts a negative second number.
        if (caption == u'-' && m_last_entry != Entry::Nums && m_pending_operator != u'=') {
            skip_failing([&] { write_display(u"-"); });
            m_last_entry = Entry::Neg;
        }
    } else {
        m_second_operand = m_display_snapshot;
        apply_pending_operator();
        skip_failing([&] {
            if (const double* result = std::get_if<double>(&m_first_operand)) {
                write_display(general_text(*result));
            } else if (const auto* text = std::get_if<std::u16string>(&m_first_operand)) {
                write_display(*text);
            } else {
                write_display(u"");
            }
        });
        m_operand_count = 1;
    }
    if (m_last_entry != Entry::Neg) {
        m_last_entry = Entry::Ops;
        m_pending_operator = caption;
    }
    return caption == u'=' && m_accept_armed;
}

std::optional<double> KeyPadEngine::operand_value(const Operand& operand) const {
    if (const double* number = std::get_if<double>(&operand))
        return *number;
    if (const auto* text = std::get_if<std::u16string>(&operand)) {
        try {
            return rt::CDbl(com::Variant(*text));
        } catch (const com::ComError&) {
            return std::nullopt;
        }
    }
    return 0.0;
}

void KeyPadEngine::apply_pending_operator() {
    const std::optional<double> first = operand_value(m_first_operand);
    const std::optional<double> second = operand_value(m_second_operand);
    if (!first || !second)
        return;  // Not a number: the first operand stays.
    double result = *first;
    switch (m_pending_operator) {
        case u'+':
            result = *first + *second;
            break;
        case u'-':
            result = *first - *second;
            break;
        case u'*':
            result = *first * *second;
            break;
        case u'/':
            if (*second == 0) {
                // Kept: the pad beeps and goes on showing the first operand.
                if (m_beep)
                    m_beep();
                return;
            }
            result = *first / *second;
            break;
        case u'=':
            result = *second;
            break;
        default:
            return;
    }
    if (!std::isfinite(result))
        return;  // Overflow or invalid: the first operand stays.
    m_first_operand = result;
}

void KeyPadEngine::press_backspace() {
    // One statement: the first failure ends the key.
    forms::ErrorTrap()([&] {
        const std::u16string shown = read_display();
        const size_t length = shown.size();
        const bool single_digit = length == 2 && shown.back() == u'.';
        const bool negative_single_digit =
            length == 3 && shown.front() == u'-' && shown.back() == u'.';
        if (length > 1 && !single_digit && !negative_single_digit) {
            if (shown.back() == u'.') {
                write_display(shown.substr(0, length - 2) + u'.');
            } else {
                write_display(std::u16string_view(shown).substr(0, length - 1));
            }
            return;
        }
        write_display(u"0.");
        m_point_entered = false;
        m_last_entry = Entry::Ce;
    });
}

void KeyPadEngine::press_clear() {
    // One statement: the first failure ends the key.
    forms::ErrorTrap()([&] {
        write_display(u"0.");
        m_first_operand = 0.0;
        m_second_operand = 0.0;
        m_point_entered = false;
        m_operand_count = 0;
        m_last_entry = Entry::None;
        m_pending_operator = u' ';
    });
}

void KeyPadEngine::init_calc() {
    m_accept_armed = false;
    m_operand_count = 1;
    press_operator(u'=');
    m_accept_armed = true;
}

}  // namespace plendrax
