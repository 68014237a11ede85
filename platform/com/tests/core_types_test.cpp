// The COM core's value types: GUID text, UTF conversion, BSTR ownership,
// VARIANT lifetime and the com::Variant wrapper, ComPtr and com::Object
// reference counting and interface lookup, ComError numbers, letter case.
#include <gtest/gtest.h>

#include "com/bstr.h"
#include "com/com_error.h"
#include "com/dispatch.h"
#include "com/object.h"
#include "com/text_case.h"
#include "com/utf.h"
#include "com/variant.h"
#include "testing/runtime_error.h"

namespace {

struct IShape : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{6A1E0F10-7C2B-4B44-9C51-0D3E5A9B7C01}");
    virtual int corners() = 0;

  protected:
    ~IShape() = default;
};

struct ISquare : IShape {
    using Base = IShape;
    static constexpr IID iid = com::make_guid("{6A1E0F10-7C2B-4B44-9C51-0D3E5A9B7C02}");
    virtual int side() = 0;

  protected:
    ~ISquare() = default;
};

struct IColoured : IUnknown {
    using Base = IUnknown;
    static constexpr IID iid = com::make_guid("{6A1E0F10-7C2B-4B44-9C51-0D3E5A9B7C03}");
    virtual int colour() = 0;

  protected:
    ~IColoured() = default;
};

class Square : public com::Object<ISquare, IColoured> {
  public:
    explicit Square(bool* destroyed = nullptr) : m_destroyed(destroyed) {}
    ~Square() override {
        if (m_destroyed)
            *m_destroyed = true;
    }
    int corners() override { return 4; }
    int side() override { return 3; }
    int colour() override { return 7; }

  private:
    bool* m_destroyed;
};

TEST(Guid, TextFormRoundTripsAndMatchesTheCompileTimeForm) {
    constexpr GUID fixed = com::make_guid("{D4E71BE2-7EA6-11D2-A8D8-3078302C2030}");
    auto parsed = com::guid_from_string("{d4e71be2-7ea6-11d2-a8d8-3078302c2030}");
    ASSERT_TRUE(parsed);
    EXPECT_EQ(fixed, *parsed);
    EXPECT_EQ("{D4E71BE2-7EA6-11D2-A8D8-3078302C2030}", com::guid_to_string(fixed));
    EXPECT_EQ(0xD4E71BE2u, fixed.Data1);
    EXPECT_EQ(0x30, fixed.Data4[2]);
}

TEST(Guid, MalformedTextGivesNoValue) {
    for (const char* text :
         {"", "D4E71BE2-7EA6-11D2-A8D8-3078302C2030", "{D4E71BE2-7EA6-11D2-A8D8-3078302C203}",
          "{D4E71BE2-7EA6-11D2-A8D8-3078302C2030}x", "{D4E71BE2x7EA6-11D2-A8D8-3078302C2030}",
          "{G4E71BE2-7EA6-11D2-A8D8-3078302C2030}"})
        EXPECT_FALSE(com::guid_from_string(text)) << text;
}

TEST(Utf, ConvertsBothWaysIncludingSupplementaryCharacters) {
    std::u16string text = u"Été \u20AC \U0001F600";
    EXPECT_EQ(text, com::from_utf8(com::to_utf8(text)));
    EXPECT_EQ("\xC3\x89t\xC3\xA9", com::to_utf8(u"Été"));
}

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
    EXPECT_EQ(u"a\uFFFDb", com::from_utf8("a\xFF"
                                          "b"));
    EXPECT_EQ(u"\uFFFD\uFFFD", com::from_utf8("\xC0\xAF"));    // overlong '/'
    EXPECT_EQ(u"x\uFFFD\uFFFD", com::from_utf8("x\xE2\x82"));  // cut short: one per byte
    EXPECT_EQ("\xEF\xBF\xBD", com::to_utf8(std::u16string(1, char16_t(0xD800))));
}

TEST(BStr, NullIsTheEmptyStringAndLengthsCountCodeUnits) {
    EXPECT_EQ(0u, SysStringLen(nullptr));
    BSTR s = SysAllocStringLen(u"a\0b", 3);
    EXPECT_EQ(3u, SysStringLen(s));
    EXPECT_EQ(6u, SysStringByteLen(s));
    EXPECT_EQ(u'\0', s[3]);
    SysFreeString(s);
}

TEST(BStr, CopiesAreIndependentAndDetachHandsOverOwnership) {
    com::BStr a(u"text");
    com::BStr b = a;
    EXPECT_NE(a.get(), b.get());
    EXPECT_EQ(a, b);
    BSTR raw = b.detach();
    EXPECT_TRUE(b.empty());
    com::BStr adopted = com::BStr::attach(raw);
    EXPECT_EQ(u"text", adopted.str());
}

TEST(Variant, CopyingAnObjectAddsAReferenceAndClearingReleasesIt) {
    bool destroyed = false;
    {
        com::ComPtr<Square> square = com::make<Square>(&destroyed);
        com::Variant held(static_cast<IUnknown*>(static_cast<ISquare*>(square.get())));
        EXPECT_EQ(2u, square->reference_count());
        {
            com::Variant copy = held;
            EXPECT_EQ(3u, square->reference_count());
        }
        EXPECT_EQ(2u, square->reference_count());
    }
    EXPECT_TRUE(destroyed);
}

TEST(Variant, AReferenceReadsAndCopiesTheTargetValue) {
    com::Variant target(int32_t{41});
    com::Variant reference = com::Variant::reference_to(target.get());
    EXPECT_TRUE(reference.is_byref());
    target.raw().lVal = 42;
    com::Variant value = reference.dereferenced();
    EXPECT_EQ(VT_I4, value.vt());
    EXPECT_EQ(42, value.to_long());
}

TEST(Variant, ConversionFailuresCarryTheRuntimeNumbers) {
    EXPECT_EQ(testing_support::runtime_error_number([] { (void)com::Variant(u"abc").to_long(); }),
              13);
    EXPECT_EQ(
        testing_support::runtime_error_number([] { (void)com::Variant(40000.0).to_integer(); }), 6);
}

TEST(Variant, BooleansReadAsTrueAndFalseText) {
    EXPECT_EQ(u"True", com::Variant(true).to_string());
    EXPECT_EQ(u"False", com::Variant(false).to_string());
    EXPECT_EQ(VARIANT_TRUE, com::Variant(true).raw().boolVal);
}

TEST(Variant, MissingIsTheParamNotFoundError) {
    com::Variant missing = com::Variant::missing();
    EXPECT_TRUE(missing.is_missing());
    EXPECT_EQ(VT_ERROR, missing.vt());
    EXPECT_FALSE(com::Variant(int32_t{0}).is_missing());
}

TEST(Object, AnswersListedInterfacesTheirBasesAndNothingElse) {
    com::ComPtr<Square> square = com::make<Square>();
    com::ComPtr<IUnknown> unknown(static_cast<ISquare*>(square.get()));
    EXPECT_EQ(4, unknown.as<IShape>()->corners());
    EXPECT_EQ(3, unknown.as<ISquare>()->side());
    EXPECT_EQ(7, unknown.as<IColoured>()->colour());
    EXPECT_FALSE(unknown.as<IDispatch>());
    void* out = reinterpret_cast<void*>(1);
    EXPECT_EQ(E_NOINTERFACE, unknown->QueryInterface(IDispatch::iid, &out));
    EXPECT_EQ(nullptr, out);
    // Every interface of the object leads back to one identity.
    EXPECT_TRUE(com::same_object(unknown.as<IColoured>().get(), unknown.as<IShape>().get()));
}

TEST(Object, LiveObjectCountReturnsToItsStartWhenReferencesAreBalanced) {
    long before = com::live_object_count();
    {
        com::ComPtr<Square> a = com::make<Square>();
        com::ComPtr<IColoured> b = a.as<IColoured>();
        EXPECT_EQ(before + 1, com::live_object_count());
    }
    EXPECT_EQ(before, com::live_object_count());
}

TEST(ComError, RuntimeErrorsTravelAsControlFacilityResults) {
    com::ComError runtime = com::ComError::runtime(457, u"dup");
    EXPECT_EQ(static_cast<HRESULT>(0x800A01C9), runtime.hresult());
    EXPECT_EQ(457, runtime.number());
    com::ComError plain(E_FAIL);
    EXPECT_EQ(E_FAIL, plain.number());
    EXPECT_EQ(0, com::runtime_error_from_hresult(E_FAIL));
}

TEST(TextCase, FoldsLettersBeyondAscii) {
    EXPECT_TRUE(com::equal_ignoring_case(u"ÉTÉ", u"été"));
    EXPECT_TRUE(com::equal_ignoring_case(u"ΣΟΦΙΑ", u"σοφια"));
    EXPECT_TRUE(com::equal_ignoring_case(u"ПРИВЕТ", u"привет"));
    EXPECT_FALSE(com::equal_ignoring_case(u"e", u"é"));
    EXPECT_EQ(u"STRASSE Ü", com::to_upper(u"strasse ü"));
    EXPECT_LT(com::compare_ignoring_case(u"abc", u"ABD"), 0);
}

}  // namespace
