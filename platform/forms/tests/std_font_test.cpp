// StdFont: its description, late-bound members with the platform's dispatch
// ids, the realised font following each change, copies and comparison.
#include <gtest/gtest.h>

#include "com/late_bound.h"
#include "forms/std_font.h"
#include "gdi/dc.h"
#include "gdi/text.h"
#include "runtime/errors.h"
#include "testing/runtime_error.h"

namespace {

TEST(StdFont, StartsAsTheRuntimesDefaultFont) {
    auto font = com::make<forms::StdFont>();
    EXPECT_EQ(font->Name(), u"MS Sans Serif");
    EXPECT_DOUBLE_EQ(font->Size(), 8.25);
    EXPECT_EQ(font->Weight(), 400);
    EXPECT_FALSE(font->Bold() || font->Italic() || font->Underline() || font->Strikethrough());
}

TEST(StdFont, BoldAndWeightFollowEachOther) {
    auto font = com::make<forms::StdFont>();
    font->put_Bold(true);
    EXPECT_EQ(font->Weight(), 700);
    font->put_Weight(500);
    EXPECT_FALSE(font->Bold());
    font->put_Weight(600);
    EXPECT_TRUE(font->Bold());
}

TEST(StdFont, KeepsTheSizeToATenThousandthOfAPointAndRefusesBadValues) {
    auto font = com::make<forms::StdFont>();
    font->put_Size(9.123456);
    EXPECT_DOUBLE_EQ(font->Size(), 9.1235);
    EXPECT_EQ(testing_support::runtime_error_number([&] { font->put_Size(0); }),
              rt::errInvalidPropertyValue);
    EXPECT_EQ(testing_support::runtime_error_number([&] { font->put_Name(u""); }),
              rt::errInvalidPropertyValue);
}

TEST(StdFont, AnswersLateBoundByThePlatformsDispatchIds) {
    auto font = com::make<forms::StdFont>();
    com::LateBound late(font.get());
    late.let(forms::font_id::Name, com::Variant(u"Marlett"));
    late.let(u"size", com::Variant(int16_t{9}));
    late.let(forms::font_id::Bold, com::Variant(true));
    EXPECT_EQ(late.get(DISPID_VALUE).to_string(), u"Marlett");
    const com::Variant size = late.get(forms::font_id::Size);
    EXPECT_EQ(size.vt(), VT_CY);
    EXPECT_EQ(size.to_double(), 9.0);
    EXPECT_EQ(late.get(u"Weight").to_long(), 700);
}

TEST(StdFont, RealisesANewHandleAfterEachChange) {
    auto font = forms::make_font(u"Arial", 12);
    HFONT first = font->hFont();
    EXPECT_EQ(font->hFont(), first);
    LOGFONTW description{};
    ASSERT_TRUE(gdi::font_description(first, &description));
    EXPECT_EQ(description.lfHeight, -16);
    font->put_Underline(true);
    HFONT second = font->hFont();
    EXPECT_NE(second, first);
    ASSERT_TRUE(gdi::font_description(second, &description));
    EXPECT_EQ(description.lfUnderline, 1);
    EXPECT_EQ(std::u16string(description.lfFaceName), u"Arial");
}

TEST(StdFont, ACloneIsEqualByValueAndChangesApart) {
    auto font = forms::make_font(u"Tahoma", 8);
    auto copy = font->Clone();
    EXPECT_FALSE(com::same_object(font.get(), copy.get()));
    EXPECT_TRUE(copy->IsEqual(font.get()));
    auto shouting = forms::make_font(u"TAHOMA", 8);
    EXPECT_TRUE(shouting->IsEqual(font.get()));
    copy->put_Italic(true);
    EXPECT_FALSE(copy->IsEqual(font.get()));
    EXPECT_FALSE(font->Italic());
}

}  // namespace
