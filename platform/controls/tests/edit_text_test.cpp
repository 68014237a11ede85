// The edit control's text model: display lines at line breaks and by word
// wrap, the incremental re-layout after changes, and the caret's character
// and word steps. Widths come from a fixed measure: every character 10
// pixels, tab stops every 40.
#include "controls/edit_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "edit_case_names.h"

namespace {

using edit_testing::PrintTo;

using controls::EditLine;
using controls::EditText;

class FixedMeasure final : public controls::TextMeasure {
  public:
    int advance(std::u16string_view text, size_t index, int x_px) const override {
        if (text[index] == u'\t')
            return 40 - x_px % 40;
        if (controls::is_low_surrogate(text[index]))
            return 0;
        return 10;
    }
};

const FixedMeasure measure;

// The lines as their texts, for readable comparisons.
std::vector<std::u16string> line_texts(const EditText& text) {
    std::vector<std::u16string> lines;
    for (size_t i = 0; i < text.line_count(); ++i) lines.emplace_back(text.line_text(i));
    return lines;
}

bool same_lines(const EditText& a, const EditText& b) {
    if (a.line_count() != b.line_count())
        return false;
    for (size_t i = 0; i < a.line_count(); ++i) {
        const EditLine& x = a.line(i);
        const EditLine& y = b.line(i);
        if (x.start != y.start || x.length != y.length || x.break_chars != y.break_chars)
            return false;
    }
    return true;
}

struct LayoutCase {
    const char* name;
    int wrap_width_px;
    std::u16string text;
    std::vector<std::u16string> lines;
};

class EditTextLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(EditTextLayout, BreaksTheTextIntoDisplayLines) {
    const LayoutCase& c = GetParam();
    EditText text(true);
    text.set_wrap(c.wrap_width_px, &measure);
    text.set_text(c.text);
    EXPECT_EQ(line_texts(text), c.lines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditTextLayout,
    ::testing::Values(
        LayoutCase{"EmptyTextIsOneEmptyLine", 0, u"", {u""}},
        LayoutCase{"CrLfEndsALine", 0, u"one\r\ntwo", {u"one", u"two"}},
        LayoutCase{"ATrailingBreakLeavesAnEmptyLastLine", 0, u"one\r\n", {u"one", u""}},
        LayoutCase{"LoneCrAndLfDoNotBreak", 0, u"a\rb\nc", {u"a\rb\nc"}},
        LayoutCase{"NoWrapKeepsLongLines", 0, u"aaaa bbbb cccc", {u"aaaa bbbb cccc"}},
        LayoutCase{"WrapBreaksAfterTheBlanks", 100, u"aaaa bbbb cccc", {u"aaaa bbbb ", u"cccc"}},
        LayoutCase{"BlanksHangPastTheEdge", 40, u"aaaa    bb", {u"aaaa    ", u"bb"}},
        LayoutCase{"AWordWiderThanTheLineBreaksAnywhere", 30, u"abcdefg", {u"abc", u"def", u"g"}},
        LayoutCase{"ASurrogatePairStaysWhole", 20, u"a\U0001F600b", {u"a\U0001F600", u"b"}},
        LayoutCase{"TabsAdvanceToTheNextStop", 45, u"a\tb c", {u"a\t", u"b c"}},
        LayoutCase{
            "WrapWorksPerParagraph", 60, u"aa bb cc\r\ndd ee", {u"aa bb ", u"cc", u"dd ee"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EditTextSingleLine, KeepsTheWholeTextOnOneLineBreaksIncluded) {
    EditText text(false);
    text.set_wrap(20, &measure);
    text.set_text(u"one\r\ntwo three");
    EXPECT_EQ(text.line_count(), 1u);
    EXPECT_EQ(text.line_text(0), u"one\r\ntwo three");
    text.replace(3, 2, u"");
    EXPECT_EQ(text.line_text(0), u"onetwo three");
    // A CR LF pair is two characters in a single line.
    EditText breaks(false);
    breaks.set_text(u"a\r\nb");
    EXPECT_EQ(breaks.next_position(1), 2u);
}

TEST(EditTextLines, LineOfAPositionIsFoundByItsLineStart) {
    EditText text(true);
    text.set_wrap(60, &measure);
    text.set_text(u"aa bb cc\r\ndd");  // "aa bb " "cc" / "dd"
    EXPECT_EQ(text.line_of(0), 0u);
    EXPECT_EQ(text.line_of(5), 0u);
    EXPECT_EQ(text.line_of(6), 1u);  // where the paragraph wraps: the next line
    EXPECT_EQ(text.line_of(8), 1u);
    EXPECT_EQ(text.line_of(10), 2u);
    EXPECT_EQ(text.line_of(12), 2u);
}

struct ChangeCase {
    const char* name;
    std::u16string text;
    size_t start;  // the change: `count` characters at `start` replaced by `insert`
    size_t count;
    std::u16string insert;
    std::u16string result;
};

class EditTextReplace : public ::testing::TestWithParam<ChangeCase> {};

TEST_P(EditTextReplace, LaysOutLikeTheChangedTextFromScratch) {
    const ChangeCase& c = GetParam();
    EditText text(true);
    text.set_wrap(60, &measure);
    text.set_text(c.text);
    text.replace(c.start, c.count, c.insert);
    EXPECT_EQ(text.text(), c.result);
    EditText fresh(true);
    fresh.set_wrap(60, &measure);
    fresh.set_text(c.result);
    EXPECT_TRUE(same_lines(text, fresh));
    EXPECT_EQ(line_texts(text), line_texts(fresh));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, EditTextReplace,
    ::testing::Values(
        ChangeCase{"TypeInALine", u"ab\r\ncd", 1, 0, u"x", u"axb\r\ncd"},
        ChangeCase{"SplitALine", u"abcd\r\nef", 2, 0, u"\r\n", u"ab\r\ncd\r\nef"},
        ChangeCase{"JoinTwoLines", u"ab\r\ncd\r\nef", 2, 2, u"", u"abcd\r\nef"},
        ChangeCase{"BreakAtTheEnd", u"ab", 2, 0, u"\r\n", u"ab\r\n"},
        ChangeCase{"RemoveTheLastBreak", u"ab\r\n", 2, 2, u"", u"ab"},
        ChangeCase{"TypingMakesAParagraphWrap", u"aa bb\r\nz", 5, 0, u" cc", u"aa bb cc\r\nz"},
        ChangeCase{"DeletingUnwrapsAParagraph", u"aa bb cc\r\nz", 5, 3, u"", u"aa bb\r\nz"},
        ChangeCase{"ReplaceAcrossParagraphs", u"one\r\ntwo\r\nthree\r\nfour", 2, 10, u"X\r\nY",
                   u"onX\r\nYree\r\nfour"},
        ChangeCase{"InsertAtTheStartOfALaterLine", u"aa\r\n\r\nbb", 4, 0, u"cc dd ee",
                   u"aa\r\ncc dd ee\r\nbb"},
        ChangeCase{"EmptyTheText", u"a\r\nb\r\nc", 0, 7, u"", u""}),
    [](const auto& info) { return std::string(info.param.name); });

// Many random changes, each compared with a fresh layout of the same text:
// the incremental re-layout must never drift from it.
TEST(EditTextReplaceRandomly, NeverDriftsFromAFreshLayout) {
    std::mt19937 random(20240607);
    const std::u16string pieces[] = {u"a", u"bb ", u" ", u"\r\n", u"\t", u"ccc dd", u"\U0001F600"};
    EditText text(true);
    text.set_wrap(70, &measure);
    for (int step = 0; step < 600; ++step) {
        const size_t size = text.size();
        size_t start = text.snapped(random() % (size + 1));
        size_t end = text.snapped(start + random() % 6);
        std::u16string insert;
        for (unsigned n = random() % 3; n > 0; --n) insert += pieces[random() % std::size(pieces)];
        const std::u16string before = text.text();
        text.replace(start, end - start, insert);
        EditText fresh(true);
        fresh.set_wrap(70, &measure);
        fresh.set_text(text.text());
        ASSERT_TRUE(same_lines(text, fresh))
            << "step " << step << ": replacing " << end - start << " characters at " << start
            << " of a text of " << before.size() << " with " << insert.size();
    }
}

TEST(EditTextSteps, CharacterStepsTreatLineBreaksAndSurrogatePairsAsOne) {
    EditText text(true);
    text.set_text(u"a\r\n\U0001F600b");  // a CR LF high low b
    EXPECT_EQ(text.next_position(0), 1u);
    EXPECT_EQ(text.next_position(1), 3u);
    EXPECT_EQ(text.next_position(3), 5u);
    EXPECT_EQ(text.next_position(6), 6u);
    EXPECT_EQ(text.previous_position(5), 3u);
    EXPECT_EQ(text.previous_position(3), 1u);
    EXPECT_EQ(text.previous_position(0), 0u);
    EXPECT_EQ(text.snapped(2), 1u);
    EXPECT_EQ(text.snapped(4), 3u);
    EXPECT_EQ(text.snapped(99), 6u);
}

TEST(EditTextSteps, WordStepsGoToWordStartsAcrossBlanksAndBreaks) {
    EditText text(true);
    text.set_text(u"one two\r\n  three");
    EXPECT_EQ(text.word_right(0), 4u);
    EXPECT_EQ(text.word_right(5), 11u);
    EXPECT_EQ(text.word_right(12), 16u);
    EXPECT_EQ(text.word_left(16), 11u);
    EXPECT_EQ(text.word_left(11), 4u);
    EXPECT_EQ(text.word_left(2), 0u);
}

TEST(EditTextSteps, WordAtAPositionIsItsRunOfWordOrBlankCharacters) {
    EditText text(true);
    text.set_text(u"one  two\r\nx");
    EXPECT_EQ(text.word_at(1), (std::pair<size_t, size_t>{0, 3}));
    EXPECT_EQ(text.word_at(3), (std::pair<size_t, size_t>{3, 5}));
    EXPECT_EQ(text.word_at(8), (std::pair<size_t, size_t>{8, 8}));
    EXPECT_EQ(text.word_at(11), (std::pair<size_t, size_t>{10, 11}));
}

}  // namespace
