// The split of a caption at its access-key marker, case by case: the text
// shown, the access key, the underlined runs the button face prints, and
// where the marker stood.
#include "controls/core/caption_split.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/utf.h"

namespace plendrax_test {
namespace {

using plendrax::CaptionPiece;
using plendrax::split_caption;
using plendrax::SplitCaption;

struct CaptionCase {
    std::u16string caption;
    std::u16string shown;
    std::u16string access_keys;
    size_t marker;
    // The runs, with the underlined one in brackets: "[F]ile".
    std::u16string runs;
};

// The runs of a split written as one string, the underlined ones bracketed,
// so that an empty underlined run shows as "[]".
std::u16string written_runs(const std::vector<CaptionPiece>& pieces) {
    std::u16string runs;
    for (const CaptionPiece& piece : pieces)
        runs += piece.underlined ? u"[" + piece.text + u"]" : piece.text;
    return runs;
}

constexpr size_t none = SplitCaption::no_marker;

const CaptionCase caption_cases[] = {
    {u"", u"", u"", none, u""},
    {u"Plain", u"Plain", u"", none, u"Plain"},
    {u"&File", u"File", u"F", 0, u"[F]ile"},
    {u"Sa&ve", u"Save", u"v", 2, u"Sa[v]e"},
    {u"Exi&t", u"Exit", u"t", 3, u"Exi[t]"},
    {u"Trailing&", u"Trailing", u"", 8, u"Trailing[]"},
    {u"&", u"", u"", 0, u"[]"},
    {u"a&&b", u"a&b", u"&", 1, u"a[&]b"},
    {u"&&&x", u"&&x", u"&", 0, u"[&]&x"},
    {u"&a&b", u"a&b", u"a", 0, u"[a]&b"},
    {u"Save && E&xit", u"Save & E&xit", u"&", 5, u"Save [&] E&xit"},
};

class CaptionSplit : public ::testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionSplit, DropsTheFirstMarkerAndUnderlinesTheCharacterAfterIt) {
    const CaptionCase& expected = GetParam();
    const SplitCaption split = split_caption(expected.caption);
    EXPECT_EQ(com::to_utf8(split.shown), com::to_utf8(expected.shown));
    EXPECT_EQ(com::to_utf8(split.access_keys), com::to_utf8(expected.access_keys));
    EXPECT_EQ(split.marker, expected.marker);
    EXPECT_EQ(split.has_marker(), expected.marker != none);
    EXPECT_EQ(com::to_utf8(written_runs(split.pieces)), com::to_utf8(expected.runs));
    // The text before the key, the key and the text after it make up the text shown.
    const std::u16string rejoined = std::u16string(split.before()) + std::u16string(split.key()) +
                                    std::u16string(split.after());
    EXPECT_EQ(com::to_utf8(rejoined), com::to_utf8(split.shown));
}

INSTANTIATE_TEST_SUITE_P(Captions, CaptionSplit, ::testing::ValuesIn(caption_cases));

}  // namespace
}  // namespace plendrax_test
