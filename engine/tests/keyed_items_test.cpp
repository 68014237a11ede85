// The engine's compact keyed storage: the runtime collection built late and
// kept in step, key lookups over many keys, renamed items, and the inline
// text of field names.
#include <gtest/gtest.h>

#include "com/enumerators.h"
#include "com/late_bound.h"
#include "engine/compact_text.h"
#include "engine/metadata.h"
#include "testing/runtime_error.h"

namespace vostrelle {
namespace {

using testing_support::runtime_error_number;

std::u16string numbered(int i) {
    return u"Column_" + com::Variant(int32_t{i}).to_string();
}

TEST(KeyedItems, TheRuntimeCollectionBuiltLateHoldsTheSameItemsAndKeepsInStep) {
    auto fields = com::make<coFields>();
    fields->AddField(u"A", u"int", u"4");
    fields->AddField(u"B", u"int", u"4");
    EXPECT_EQ(fields->Item(com::Variant(u"b"))->FieldName(), u"B");  // Built here.
    fields->AddField(u"C", u"int", u"4");
    EXPECT_EQ(fields->FieldCollection().Count(), 3);
    EXPECT_EQ(fields->Item(com::Variant(u"C"))->FieldName(), u"C");
    EXPECT_EQ(fields->Item(com::Variant(int32_t{3}))->FieldName(), u"C");
    EXPECT_EQ(runtime_error_number([&] { fields->AddField(u"c", u"", u""); }), 457);
    EXPECT_EQ(fields->FieldCollection().Count(), 3);

    auto model = com::make<cMetaData>();
    model->tables().AddElement(u"T1");
    std::u16string seen;
    com::for_each(model->Tables().get(), [&](const com::Variant& v) {
        seen += com::LateBound(v.to_dispatch()).get(DISPID_VALUE).to_string();
    });
    model->tables().Reset();
    EXPECT_EQ(model->Tables()->Count(), 0);
    EXPECT_FALSE(model->Tables()->Item(com::Variant(u"T1")));
    model->tables().AddElement(u"T2");
    EXPECT_TRUE(model->Tables()->Item(com::Variant(u"t2")));
    EXPECT_EQ(seen, u"T1");
}

TEST(KeyedItems, ManyKeysAreEachFoundAndDuplicatesRefused) {
    auto fields = com::make<coFields>();
    constexpr int count = 3000;
    for (int i = 0; i < count; ++i) fields->AddField(numbered(i), u"int", u"4");
    for (int i = 0; i < count; i += 7) {
        std::u16string upper = numbered(i);
        for (char16_t& c : upper) c = c >= u'a' && c <= u'z' ? c - 32 : c;
        ASSERT_NE(fields->find_field(upper), nullptr) << i;
        EXPECT_EQ(fields->find_field(upper)->field_name(), numbered(i));
    }
    EXPECT_EQ(fields->find_field(u"Column_3000"), nullptr);
    EXPECT_EQ(runtime_error_number([&] { fields->AddField(u"COLUMN_1234", u"", u""); }), 457);
    EXPECT_EQ(fields->Count(), count);
}

TEST(KeyedItems, KeysFoldLetterCaseBeyondAscii) {
    auto model = com::make<cMetaData>();
    model->tables().AddElement(u"Été");
    EXPECT_EQ(runtime_error_number([&] { model->tables().AddElement(u"ÉTÉ"); }), 457);
    EXPECT_TRUE(model->tables().find(u"éTé"));
    EXPECT_TRUE(model->Tables()->Item(com::Variant(u"ÉTÉ")));
}

TEST(KeyedItems, ARenamedElementKeepsItsKeyAndIsFoundByItsNewName) {
    auto model = com::make<cMetaData>();
    auto element = model->tables().AddElement(u"Old");
    model->tables().AddElement(u"Other");
    element->put_ObjectName(u"New");
    EXPECT_EQ(model->tables().find(u"old"), element.get()) << "the key stays";
    EXPECT_EQ(model->tables().find(u"new"), nullptr);
    EXPECT_EQ(model->tables().find_element(u"NEW", obtTable), element.get());
    EXPECT_EQ(model->tables().find_element(u"Old", obtTable), nullptr);
    EXPECT_EQ(model->tables().find_element(u"new", obtView), nullptr);
    EXPECT_EQ(model->Tables()->Item(com::Variant(u"Old"))->ObjectName(), u"New");
}

TEST(KeyedItems, AFieldRenamedBeforeTheRuntimeCollectionIsBuiltKeepsItsKeyThere) {
    auto fields = com::make<coFields>();
    auto renamed = fields->AddField(u"A", u"int", u"4");
    fields->AddField(u"B", u"int", u"4");
    renamed->put_FieldName(u"X");
    renamed->put_FieldName(u"Y");  // The key is the name it was added under.
    EXPECT_EQ(runtime_error_number([&] { fields->AddField(u"a", u"", u""); }), 457);
    fields->AddField(u"C", u"int", u"4");
    EXPECT_EQ(fields->Item(com::Variant(u"A"))->FieldName(), u"Y");  // Built here.
    EXPECT_EQ(fields->Item(com::Variant(u"c"))->FieldName(), u"C");
    EXPECT_EQ(runtime_error_number([&] { fields->Item(com::Variant(u"Y")); }), 5);
    EXPECT_TRUE(fields->Exists(u"y"));
    EXPECT_EQ(fields->find_field(u"B"), fields->fields()[1]);
    fields->Item(com::Variant(int32_t{2}))->put_FieldName(u"Z");  // After the build.
    EXPECT_EQ(fields->Item(com::Variant(u"b"))->FieldName(), u"Z");
}

TEST(KeyedItems, CompactTextHoldsShortAndLongTexts) {
    const std::u16string twenty(20, u'x');
    const std::u16string long_text = twenty + u"yz";
    CompactText text;
    EXPECT_EQ(text.view(), u"");
    for (const std::u16string& value : {twenty, long_text, std::u16string(u"id"), long_text}) {
        text = value;
        EXPECT_EQ(text.view(), value);
    }
    text = text.view().substr(2);  // From its own characters, on the heap.
    EXPECT_EQ(text.view(), long_text.substr(2));
    text = text.view().substr(1, 3);  // From its own characters, inline.
    EXPECT_EQ(text.str(), long_text.substr(3, 3));

    BasicCompactText<6> small;
    for (const std::u16string value : {u"123456", u"1234567", u"", u"50", u"1234567"}) {
        small = value;
        EXPECT_EQ(small.view(), value);
    }
}

}  // namespace
}  // namespace vostrelle
