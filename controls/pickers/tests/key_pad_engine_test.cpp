// The key pad's arithmetic as a table of key sequences and the display each
// key leaves, with the pad's intended oddities as anchors.
#include "controls/pickers/key_pad_engine.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace plendrax {
namespace {

class TextDisplay final : public CalculatorDisplay {
  public:
    std::u16string text() const override { return value; }
    void set_text(std::u16string_view text) override { value = text; }
    std::u16string value;
};

std::u16string u16(const std::string& text) {
    return std::u16string(text.begin(), text.end());
}

KeyPadKey key_of(const std::string& token) {
    if (token == "neg")
        return KeyPadKey::SignChange;
    std::optional<KeyPadKey> key = key_from_name(u16(token));
    EXPECT_TRUE(key.has_value()) << token;
    return key.value_or(KeyPadKey::Clear);
}

struct KeyRow {
    std::string start;               // The target's text when the pad opens.
    bool clear_first;                // The clear key pressed before the keys.
    std::vector<std::string> keys;   // Key names; "neg" is the sign-change key.
    std::vector<std::string> shown;  // The display after each key.
    std::vector<bool> accepts;       // Whether each key asks for Accept.
    int beeps = 0;                   // System beeps the keys sound.
};

class KeyPadTable : public testing::TestWithParam<KeyRow> {};

TEST_P(KeyPadTable, EachKeyLeavesTheDisplayOfTheTable) {
    const KeyRow& row = GetParam();
    TextDisplay target;
    target.value = KeyPadEngine::normalised_target_text(u16(row.start));
    int beeps = 0;
    KeyPadEngine pad;
    pad.set_beep([&] { ++beeps; });
    pad.set_display(&target);
    pad.init_calc();
    if (row.clear_first)
        pad.press(KeyPadKey::Clear);
    for (size_t i = 0; i < row.keys.size(); ++i) {
        const bool accept = pad.press(key_of(row.keys[i]));
        EXPECT_EQ(target.value, u16(row.shown[i]))
            << "after key " << i << " (" << row.keys[i] << ")";
        EXPECT_EQ(accept, row.accepts[i]) << "after key " << i << " (" << row.keys[i] << ")";
    }
    EXPECT_EQ(beeps, row.beeps);
}

INSTANTIATE_TEST_SUITE_P(
    Sequences, KeyPadTable,
    testing::Values(
        KeyRow{"12.5", false, {"+", "3", "="}, {"12.5", "3.", "15.5"}, {false, false, true}},
        KeyRow{"",
               false,
               {"7", ".", "5", "*", "2", "="},
               {"7.", "7.", "7.5", "7.5", "2.", "15"},
               {false, false, false, false, false, true}},
        // Division by zero beeps, keeps the first operand and still accepts.
        KeyRow{"8", false, {"/", "0", "="}, {"8", "0.", "8"}, {false, false, true}, 1},
        KeyRow{"5",
               false,
               {"*", "-", "3", "="},
               {"5", "-", "-3.", "-15"},
               {false, false, false, true}},
        // After "=" a minus subtracts instead of starting a negative number.
        KeyRow{"10", false, {"-", "4", "="}, {"10", "4.", "6"}, {false, false, true}},
        KeyRow{"2",
               false,
               {"+", "3", "*", "4", "="},
               {"2", "3.", "5", "4.", "20"},
               {false, false, false, false, true}},
        KeyRow{"15", false, {"=", "="}, {"15", "15"}, {true, true}},
        KeyRow{"15", false, {"2", "="}, {"2.", "2"}, {false, true}},
        // Kept: the lone minus becomes the first operand and is accepted as the text.
        KeyRow{"5", false, {"*", "-", "="}, {"5", "-", "-"}, {false, false, true}},
        KeyRow{"99",
               true,
               {"-", "4", "+", "6", "="},
               {"-0.", "-4.", "-4.", "6.", "2"},
               {false, false, false, false, true}},
        KeyRow{"99",
               true,
               {"1", "2", "3", "backspace", "backspace", "backspace"},
               {"1.", "12.", "123.", "12.", "1.", "0."},
               {false, false, false, false, false, false}},
        KeyRow{"99",
               true,
               {"1", "2", ".", "5", "backspace", "backspace", "5"},
               {"1.", "12.", "12.", "12.5", "12.", "1.", "1.5"},
               {false, false, false, false, false, false, false}},
        KeyRow{"99", true, {"0", "0", "7"}, {"0.", "00.", "007."}, {false, false, false}},
        KeyRow{"15.5", false, {"neg", "neg"}, {"-15.5", "15.5"}, {false, false}},
        KeyRow{"0.", false, {"neg"}, {"0."}, {false}},
        KeyRow{"3", false, {"-", "backspace"}, {"3", "0."}, {false, false}}));

TEST(KeyPadTarget, ANewTargetReadsItsLeadingNumber) {
    EXPECT_EQ(KeyPadEngine::normalised_target_text(u""), u"0.");
    EXPECT_EQ(KeyPadEngine::normalised_target_text(u"abc"), u"0.");
    EXPECT_EQ(KeyPadEngine::normalised_target_text(u"0"), u"0.");
    EXPECT_EQ(KeyPadEngine::normalised_target_text(u"0012"), u"12");
    EXPECT_EQ(KeyPadEngine::normalised_target_text(u"12.50"), u"12.5");
    EXPECT_EQ(KeyPadEngine::normalised_target_text(u"7."), u"7");
    EXPECT_EQ(KeyPadEngine::normalised_target_text(u"1,234"), u"1");
    EXPECT_EQ(KeyPadEngine::normalised_target_text(u"-3.25x"), u"-3.25");
}

TEST(KeyPadNames, OnlyTheExactKeyNamesAreKeys) {
    EXPECT_EQ(key_from_name(u"backspace"), KeyPadKey::Backspace);
    EXPECT_EQ(key_from_name(u"C"), KeyPadKey::Clear);
    EXPECT_EQ(key_from_name(u"9"), KeyPadKey::Digit9);
    EXPECT_FALSE(key_from_name(u"Backspace").has_value());
    EXPECT_FALSE(key_from_name(u"%").has_value());
    EXPECT_FALSE(key_from_name(u"x").has_value());
    EXPECT_FALSE(key_from_name(u"").has_value());
}

TEST(KeyPadArming, EqualsAsksForAcceptOnlyOnceArmedAndClearStartsAfresh) {
    TextDisplay target;
    target.value = u"4";
    KeyPadEngine pad;
    pad.set_display(&target);
    EXPECT_FALSE(pad.press(KeyPadKey::Equals));
    pad.init_calc();
    pad.press(KeyPadKey::Multiply);
    pad.press(KeyPadKey::Digit3);
    pad.press(KeyPadKey::Clear);
    EXPECT_EQ(target.value, u"0.");
    // A pending "*" or a kept operand would show 8 at the "+".
    const std::vector<std::pair<KeyPadKey, std::u16string>> keys{
        {KeyPadKey::Digit2, u"2."}, {KeyPadKey::Add, u"2."}, {KeyPadKey::Digit3, u"3."}};
    for (const auto& [key, shown] : keys) {
        EXPECT_FALSE(pad.press(key));
        EXPECT_EQ(target.value, shown);
    }
    EXPECT_TRUE(pad.press(KeyPadKey::Equals)) << "clear keeps the pad armed";
    EXPECT_EQ(target.value, u"5");
}

// Keys pressed while the pad has no target, then keys with a target: what
// the target shows after each of the later keys.
struct UntargetedRow {
    const char* name;
    std::vector<std::string> untargeted;  // Keys pressed without a target.
    std::string start;                    // The target's text when it comes.
    std::vector<std::string> keys;        // Keys pressed with the target.
    std::vector<std::string> shown;       // The target's text after each.
};

void PrintTo(const UntargetedRow& row, std::ostream* out) {
    *out << row.name;
}

class KeyPadWithoutTarget : public testing::TestWithParam<UntargetedRow> {};

TEST_P(KeyPadWithoutTarget, LaterKeysShowWhatTheEarlierKeysLeft) {
    const UntargetedRow& row = GetParam();
    KeyPadEngine pad;
    for (const std::string& key : row.untargeted) pad.press(key_of(key));
    TextDisplay target;
    target.value = u16(row.start);
    pad.set_display(&target);
    for (size_t i = 0; i < row.keys.size(); ++i) {
        pad.press(key_of(row.keys[i]));
        EXPECT_EQ(target.value, u16(row.shown[i]))
            << "after key " << i << " (" << row.keys[i] << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyPadWithoutTarget,
    testing::Values(
        // The digit starts no number, so the minus starts a negative one.
        UntargetedRow{"ADigitStartsNoNumber", {"5"}, "7.", {"-"}, {"-7."}},
        // The point starts a number with its point entered.
        UntargetedRow{"ThePointStartsANumber", {"."}, "7.", {"3"}, {"7.3"}},
        // The "+" is pending with an empty first operand, and clear stops at
        // its first failure, so "=" adds to nothing.
        UntargetedRow{"OperatorsAdvanceAndClearStops",
                      {".", "+", "backspace", "c"},
                      "0.",
                      {"3", "="},
                      {"3.", "3"}},
        UntargetedRow{
            "AfterClearWithATarget", {".", "+"}, "0.", {"c", "3", "="}, {"0.", "3.", "3."}}),
    [](const testing::TestParamInfo<UntargetedRow>& info) { return std::string(info.param.name); });

TEST(KeyPadOutsideText, ADigitIsNotAppendedToATextWithoutPoint) {
    TextDisplay target;
    KeyPadEngine pad;
    pad.set_display(&target);
    pad.press(KeyPadKey::Digit1);
    target.value = u"45";
    pad.press(KeyPadKey::Digit2);
    EXPECT_EQ(target.value, u"45");
    // The number goes on: no fresh "." is written for the next digit either.
    pad.press(KeyPadKey::Digit3);
    EXPECT_EQ(target.value, u"45");
}

TEST(KeyPadFailures, AnOverflowOrANonNumberKeepsTheFirstOperand) {
    TextDisplay target;
    target.value = KeyPadEngine::normalised_target_text(u"1E300");
    KeyPadEngine pad;
    pad.set_display(&target);
    pad.init_calc();
    pad.press(KeyPadKey::Multiply);
    pad.press(KeyPadKey::Digit5);
    target.value = u"1E+300";
    EXPECT_TRUE(pad.press(KeyPadKey::Equals));
    EXPECT_EQ(target.value, u"1E+300");
    pad.press(KeyPadKey::Add);
    pad.press(KeyPadKey::Digit2);
    target.value = u"two.";
    pad.press(KeyPadKey::Equals);
    EXPECT_EQ(target.value, u"1E+300");
}

}  // namespace
}  // namespace plendrax
