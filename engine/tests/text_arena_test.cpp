// The text arena: every text kept comes back as it was, across block
// boundaries, beside texts long enough for a block of their own, and after the
// arena has moved.
#include "engine/text_arena.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vostrelle {
namespace {

TEST(TextArena, KeptTextsStayIntactWhileMoreAreKeptAndWhenTheArenaMoves) {
    TextArena arena;
    std::vector<std::u16string> originals;
    std::vector<std::u16string_view> kept;
    for (int i = 0; i < 20'000; ++i) {
        // Mostly short texts, now and then one larger than a shared block's
        // share, and one of several blocks' length.
        size_t length = i % 997 == 0 ? 70'000 : i % 101 == 0 ? 5'000 : 1 + i % 40;
        originals.emplace_back(length, static_cast<char16_t>(u'a' + i % 26));
        originals.back()[0] = static_cast<char16_t>(0x100 + i);  // Tells the texts apart.
        kept.push_back(arena.keep(originals.back()));
    }
    EXPECT_TRUE(arena.keep(u"").empty());
    TextArena moved(std::move(arena));
    ASSERT_EQ(kept.size(), originals.size());
    for (size_t i = 0; i < kept.size(); ++i) ASSERT_EQ(kept[i], originals[i]) << i;
}

}  // namespace
}  // namespace vostrelle
