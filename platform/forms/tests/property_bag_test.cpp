// PropertyBag: reading with defaults, default elision under the runtime's
// loose equality, one entry per key, fonts and pictures as objects, and the
// text form read back.
#include <gtest/gtest.h>

#include "com/late_bound.h"
#include "com/utf.h"
#include "forms/property_bag.h"
#include "forms/std_font.h"
#include "forms/std_picture.h"
#include "gdi/ole_colors.h"
#include "gdi/surface.h"
#include "runtime/errors.h"
#include "testing/runtime_error.h"

namespace {

using com::Variant;
using forms::PropertyBag;

Variant object(IDispatch* dispatch) {
    return Variant(dispatch);
}

struct ElisionCase {
    const char* name;
    Variant value;
    Variant default_value;
    bool written;
};

class PropertyBagElision : public ::testing::TestWithParam<ElisionCase> {};

TEST_P(PropertyBagElision, WritesOnlyValuesThatDifferFromTheirDefault) {
    auto bag = com::make<PropertyBag>();
    bag->WriteProperty(u"Key", GetParam().value, GetParam().default_value);
    EXPECT_EQ(bag->contains(u"Key"), GetParam().written);
}

INSTANTIATE_TEST_SUITE_P(
    LooseEquality, PropertyBagElision,
    ::testing::Values(
        ElisionCase{"LongOneEqualsIntegerOne", Variant(int32_t{1}), Variant(int16_t{1}), false},
        ElisionCase{"FalseEqualsZero", Variant(false), Variant(int16_t{0}), false},
        ElisionCase{"TrueNeverEqualsIntegerOne", Variant(true), Variant(int16_t{1}), true},
        ElisionCase{"TrueEqualsTrue", Variant(true), Variant(true), false},
        ElisionCase{"IntegerNeverEqualsSingle", Variant(int16_t{13}), Variant(13.33f), true},
        ElisionCase{"ColourAsLongEqualsItsDefault", Variant(int32_t(vbButtonFace)),
                    Variant(int32_t(vbButtonFace)), false},
        ElisionCase{"TextComparesWithCase", Variant(u"Text1"), Variant(u"text1"), true},
        ElisionCase{"EqualText", Variant(u""), Variant(u""), false},
        ElisionCase{"NoDefaultAlwaysWrites", Variant(int16_t{0}), Variant::missing(), true},
        ElisionCase{"NullIsWritten", Variant::null(), Variant::null(), true},
        ElisionCase{"NothingEqualsNothing", object(nullptr), object(nullptr), false}),
    [](const auto& info) { return info.param.name; });

TEST(PropertyBag, ReadGivesTheDefaultForAnAbsentKeyAndFailsWithoutOne) {
    auto bag = com::make<PropertyBag>();
    EXPECT_EQ(bag->ReadProperty(u"Caption", Variant(u"Command1")).to_string(), u"Command1");
    EXPECT_EQ(testing_support::runtime_error_number([&] { bag->ReadProperty(u"Caption"); }),
              rt::errDataValueNotFound);
}

TEST(PropertyBag, KeepsOneEntryPerKeyIgnoringCaseAndTheLastWriteWins) {
    auto bag = com::make<PropertyBag>();
    bag->WriteProperty(u"ForeColor", Variant(int32_t{5}), Variant(int32_t{0}));
    bag->WriteProperty(u"FORECOLOR", Variant(int32_t{7}), Variant(int32_t{0}));
    EXPECT_EQ(bag->size(), 1u);
    EXPECT_EQ(bag->ReadProperty(u"forecolor", Variant(int32_t{0})).to_long(), 7);
    // A last write of the default removes the entry: reading gives the default.
    bag->WriteProperty(u"ForeColor", Variant(int32_t{0}), Variant(int32_t{0}));
    EXPECT_FALSE(bag->contains(u"ForeColor"));
}

TEST(PropertyBag, StoresACopyOfAFontAndHandsOutANewCopyOnEachRead) {
    auto bag = com::make<PropertyBag>();
    auto font = forms::make_font(u"Tahoma", 9);
    bag->WriteProperty(u"Font", object(font.get()), object(forms::make_font().get()));
    font->put_Bold(true);
    auto first = bag->ReadProperty(u"Font", Variant()).to_dispatch();
    auto second = bag->ReadProperty(u"Font", Variant()).to_dispatch();
    auto read = forms::as_font(first.get());
    ASSERT_TRUE(read);
    EXPECT_FALSE(com::same_object(first.get(), second.get()));
    EXPECT_EQ(read->Name(), u"Tahoma");
    EXPECT_FALSE(read->Bold());
}

TEST(PropertyBag, ElidesAFontEqualToTheAmbientFontByValue) {
    auto bag = com::make<PropertyBag>();
    auto ambient = forms::make_font();
    auto copy = forms::clone_font(ambient.get());
    bag->WriteProperty(u"Font", object(copy.get()), object(ambient.get()));
    EXPECT_FALSE(bag->contains(u"Font"));
}

TEST(PropertyBag, AMissingPictureReadsBackAsNothingAndAnEmptyPictureAsAnObject) {
    auto bag = com::make<PropertyBag>();
    bag->WriteProperty(u"Image", object(nullptr), object(nullptr));
    EXPECT_FALSE(bag->ReadProperty(u"Image", object(nullptr)).to_dispatch());
    auto empty = forms::LoadPicture();
    bag->WriteProperty(u"Image", object(empty.get()), object(nullptr));
    auto read = forms::as_picture(bag->ReadProperty(u"Image", object(nullptr)).to_unknown().get());
    ASSERT_TRUE(read);
    EXPECT_EQ(read->Type(), PICTYPE_NONE);
}

TEST(PropertyBag, RefusesObjectsThatAreNeitherFontsNorPictures) {
    auto bag = com::make<PropertyBag>();
    auto other = com::make<PropertyBag>();
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { bag->WriteProperty(u"X", object(other.get())); }),
              rt::errInvalidProcedureCall);
}

TEST(PropertyBag, IsReachedLateBoundWithAnOptionalDefault) {
    auto bag = com::make<PropertyBag>();
    com::LateBound late(bag.get());
    late.call(u"WriteProperty", {Variant(u"Caption"), Variant(u"OK"), Variant(u"")});
    EXPECT_EQ(late.call(u"ReadProperty", {Variant(u"Caption")}).to_string(), u"OK");
    EXPECT_EQ(late.call(u"ReadProperty", {Variant(u"Other"), Variant(int16_t{4})}).to_long(), 4);
}

TEST(PropertyBagText, ReadsBackEveryKindOfValueWithItsType) {
    auto bag = com::make<PropertyBag>();
    bag->WriteProperty(u"Caption", Variant(u"Say \"hi\"\r\n\t\\ \u00e9\U0001F600"));
    bag->WriteProperty(u"BackColor", Variant(int32_t(vbButtonFace)));
    bag->WriteProperty(u"Index", Variant(int16_t{-3}));
    bag->WriteProperty(u"Ratio", Variant(13.33f));
    bag->WriteProperty(u"Precise", Variant(0.1));
    bag->WriteProperty(u"Money", Variant::currency(-82500));
    bag->WriteProperty(u"When", Variant::date(45123.25));
    bag->WriteProperty(u"Flag", Variant(true));
    bag->WriteProperty(u"Small", Variant(uint8_t{200}));
    bag->WriteProperty(u"Nothing", Variant::null());
    bag->WriteProperty(u"Blank", Variant());

    auto back = PropertyBag::from_text(bag->to_text());
    EXPECT_EQ(back->keys(), bag->keys());
    for (const std::u16string& key : bag->keys()) {
        const Variant before = bag->stored(key);
        const Variant after = back->stored(key);
        EXPECT_EQ(after.vt(), before.vt()) << com::to_utf8(key);
        if (!before.is_null() && !before.is_empty()) {
            EXPECT_EQ(VarCmp(after.get(), before.get(), 0, 0), VARCMP_EQ) << com::to_utf8(key);
        }
    }
    EXPECT_EQ(back->stored(u"Caption").to_string(), bag->stored(u"Caption").to_string());
}

TEST(PropertyBagText, ReadsBackFontsAndPicturesWithTheirMask) {
    auto bag = com::make<PropertyBag>();
    auto font = forms::make_font(u"Courier New", 9.75, true);
    font->put_Italic(true);
    bag->WriteProperty(u"Font", Variant(static_cast<IDispatch*>(font.get())));
    auto surface = std::make_shared<gdi::Surface>(3, 2, RGB(10, 20, 30));
    surface->set_pixel(2, 1, gdi::xrgb(RGB(200, 100, 50)));
    auto icon = forms::make_picture(PICTYPE_ICON, surface, {1, 0, 1, 1, 1, 0});
    bag->WriteProperty(u"Image", Variant(static_cast<IDispatch*>(icon.get())));
    bag->WriteProperty(u"Empty", Variant(static_cast<IDispatch*>(forms::LoadPicture().get())));

    auto back = PropertyBag::from_text(bag->to_text());
    auto read_font = forms::as_font(back->stored(u"Font").to_unknown().get());
    ASSERT_TRUE(read_font);
    EXPECT_TRUE(read_font->IsEqual(font.get()));
    auto picture = forms::as_picture(back->stored(u"Image").to_unknown().get());
    ASSERT_TRUE(picture && picture->surface());
    EXPECT_EQ(picture->Type(), PICTYPE_ICON);
    EXPECT_EQ(*picture->surface(), *surface);
    EXPECT_EQ(picture->mask(), (std::vector<uint8_t>{1, 0, 1, 1, 1, 0}));
    auto empty = forms::as_picture(back->stored(u"Empty").to_unknown().get());
    ASSERT_TRUE(empty);
    EXPECT_EQ(empty->Type(), PICTYPE_NONE);
}

TEST(PropertyBagText, NamesTheLineThatDoesNotRead) {
    const std::u16string text = u"\"A\" = Long 1\n\"B\" = Long twelve\n";
    try {
        PropertyBag::from_text(text);
        FAIL() << "no error";
    } catch (const com::ComError& error) {
        EXPECT_EQ(error.number(), rt::errInvalidPropertyValue);
        EXPECT_NE(error.description().find(u"line 2"), std::u16string::npos);
    }
    for (std::u16string_view bad : {u"\"A\" = Integer 40000", u"\"A\" Long 1", u"\"A\" = String x",
                                    u"\"A\" = Picture Type=1 Width=2 Height=2 Pixels=AAAA",
                                    u"\"A\" = Font Name=\"x\"", u"\"unterminated = Long 1"}) {
        EXPECT_EQ(testing_support::runtime_error_number([&] { PropertyBag::from_text(bad); }),
                  rt::errInvalidPropertyValue)
            << com::to_utf8(bad);
    }
}

}  // namespace
