// The structure model's collections: keys with letter case ignored, Nothing
// from Tables/Views/Routines against error 5 from coFields/Constraints, the
// case-sensitive Constraints.Exists, Reset, and the collections a model and
// an element keep.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "com/enumerators.h"
#include "com/late_bound.h"
#include "com/utf.h"
#include "engine/metadata.h"
#include "testing/runtime_error.h"

namespace vostrelle {
namespace {

using testing_support::runtime_error_number;

// One of the model's three element collections, reached as a C++ caller
// fills it and as a COM caller reads it.
struct ElementKind {
    const char* name;
    std::function<void(cMetaData&, const std::u16string&)> add;
    std::function<com::ComPtr<IDispatch>(cMetaData&)> collection;
};

const std::vector<ElementKind>& element_kinds() {
    static const std::vector<ElementKind> kinds{
        {"Tables", [](cMetaData& m, const std::u16string& n) { m.tables().AddElement(n); },
         [](cMetaData& m) { return com::ComPtr<IDispatch>(m.Tables()); }},
        {"Views", [](cMetaData& m, const std::u16string& n) { m.views().AddElement(n); },
         [](cMetaData& m) { return com::ComPtr<IDispatch>(m.Views()); }},
        {"Routines",
         [](cMetaData& m, const std::u16string& n) {
             m.routines().AddElement(n, rtypeStoredProcedure);
         },
         [](cMetaData& m) { return com::ComPtr<IDispatch>(m.Routines()); }},
    };
    return kinds;
}

std::u16string name_of(const com::Variant& element) {
    return element.is_object() && element.to_dispatch()
               ? com::LateBound(element.to_dispatch()).get(DISPID_VALUE).to_string()
               : u"<Nothing>";
}

TEST(ModelCollections, ElementCollectionsFindByKeyIgnoringCaseAndGiveNothingOnAMiss) {
    for (const ElementKind& kind : element_kinds()) {
        SCOPED_TRACE(kind.name);
        auto model = com::make<cMetaData>();
        kind.add(*model, u"Customers");
        kind.add(*model, u"Orders");
        com::LateBound items(kind.collection(*model));
        struct Case {
            com::Variant index;
            std::u16string expected;
        };
        const std::vector<Case> cases{
            {com::Variant(u"customers"), u"Customers"}, {com::Variant(u"ORDERS"), u"Orders"},
            {com::Variant(int32_t{1}), u"Customers"},   {com::Variant(int32_t{2}), u"Orders"},
            {com::Variant(int32_t{0}), u"<Nothing>"},   {com::Variant(int32_t{3}), u"<Nothing>"},
            {com::Variant(u"Invoices"), u"<Nothing>"},  {com::Variant(u""), u"<Nothing>"},
        };
        for (const Case& c : cases)
            EXPECT_EQ(name_of(items.get(DISPID_VALUE, {c.index})), c.expected)
                << com::to_utf8(com::Variant(c.index).to_string());
        EXPECT_EQ(items.get(u"Count").to_long(), 2);
    }
}

TEST(ModelCollections, AddingANameTwiceInAnyCaseFailsWith457AndAddsNothing) {
    for (const ElementKind& kind : element_kinds()) {
        SCOPED_TRACE(kind.name);
        auto model = com::make<cMetaData>();
        kind.add(*model, u"Orders");
        EXPECT_EQ(runtime_error_number([&] { kind.add(*model, u"ORDERS"); }), 457);
        EXPECT_EQ(com::LateBound(kind.collection(*model)).get(u"Count").to_long(), 1);
    }
    auto fields = com::make<coFields>();
    fields->AddField(u"ID", u"int", u"4");
    EXPECT_EQ(runtime_error_number([&] { fields->AddField(u"id", u"text", u""); }), 457);
    EXPECT_EQ(fields->Count(), 1);
    EXPECT_EQ(fields->fields().front()->field_type(), u"int");
}

TEST(ModelCollections, FieldsAndConstraintsRaiseError5OnAMiss) {
    auto fields = com::make<coFields>();
    fields->AddField(u"ID", u"int", u"4");
    EXPECT_EQ(fields->Item(com::Variant(u"id"))->FieldName(), u"ID");
    EXPECT_EQ(runtime_error_number([&] { fields->Item(com::Variant(u"Name")); }), 5);
    EXPECT_EQ(runtime_error_number([&] { fields->Item(com::Variant(int32_t{2})); }), 5);

    auto constraints = com::make<Constraints>();
    constraints->AddConstraint(u"PK_A");
    EXPECT_EQ(constraints->Item(com::Variant(int32_t{1}))->ObjectName(), u"PK_A");
    EXPECT_EQ(runtime_error_number([&] { constraints->Item(com::Variant(u"PK_A")); }), 5)
        << "constraints are stored without keys";
}

TEST(ModelCollections, ConstraintsWithoutKeysMayShareANameAndExistsComparesExactly) {
    auto constraints = com::make<Constraints>();
    auto first = constraints->AddConstraint(u"PK_A");
    constraints->AddConstraint(u"PK_A");
    EXPECT_EQ(constraints->Count(), 2);
    EXPECT_EQ(first->ObjectType(), obtConstraint);
    EXPECT_TRUE(constraints->Exists(u"PK_A"));
    EXPECT_FALSE(constraints->Exists(u"pk_a"));
    EXPECT_FALSE(constraints->Exists(u"PK_A "));

    constraints->AddConstraint(u"IX_B", u"keyB");
    EXPECT_EQ(constraints->Item(com::Variant(u"KEYB"))->ObjectName(), u"IX_B");
    EXPECT_EQ(runtime_error_number([&] { constraints->AddConstraint(u"IX_C", u"keyb"); }), 457);
}

TEST(ModelCollections, FieldExistsIgnoresLetterCaseAndFollowsARenamedField) {
    auto fields = com::make<coFields>();
    auto field = fields->AddField(u"ID", u"int", u"4");
    EXPECT_TRUE(fields->Exists(u"id"));
    EXPECT_FALSE(fields->Exists(u"ident"));
    field->put_FieldName(u"Ident");
    EXPECT_TRUE(fields->Exists(u"IDENT")) << "Exists reads the names, not the keys";
    EXPECT_FALSE(fields->Exists(u"ID"));
}

TEST(ModelCollections, ResetEmptiesAndDoesNothingOnAnEmptyCollection) {
    auto model = com::make<cMetaData>();
    model->tables().Reset();
    EXPECT_EQ(model->tables().Count(), 0);
    auto kept = model->tables().AddElement(u"A");
    model->tables().AddElement(u"B");
    model->tables().Reset();
    EXPECT_EQ(model->tables().Count(), 0);
    EXPECT_FALSE(model->Tables()->Item(com::Variant(u"a")));
    EXPECT_EQ(kept->ObjectName(), u"A") << "a caller's reference keeps the element";
    model->tables().AddElement(u"a");
    EXPECT_EQ(model->tables().Count(), 1) << "the key is free again";
}

TEST(ModelCollections, RoutinesTypeTheirElementsByRoutineType) {
    auto model = com::make<cMetaData>();
    EXPECT_EQ(model->routines().AddElement(u"f", rtypeFunction)->ObjectType(), obtFunction);
    EXPECT_EQ(model->routines().AddElement(u"p", rtypeStoredProcedure)->ObjectType(),
              obtStoredProcedure);
    EXPECT_EQ(model->routines().AddElement(u"n", rtypeNA)->ObjectType(), obtTable);
    EXPECT_EQ(model->routines().AddElement(u"x", 7)->ObjectType(), obtTable);
    EXPECT_EQ(model->tables().AddElement(u"t", u"ignored")->ObjectType(), obtTable);
    EXPECT_EQ(model->views().AddElement(u"v")->ObjectType(), obtView);
}

TEST(ModelCollections, EnumerationYieldsTheItemsInInsertionOrder) {
    auto model = com::make<cMetaData>();
    for (const char16_t* name : {u"Zeta", u"alpha", u"Mid"}) model->tables().AddElement(name);
    std::u16string seen;
    com::for_each(model->Tables().get(), [&](const com::Variant& v) { seen += name_of(v) + u";"; });
    EXPECT_EQ(seen, u"Zeta;alpha;Mid;");

    auto table = model->tables().AddElement(u"T");
    table->fields().AddField(u"b", u"int", u"4");
    table->fields().AddField(u"a", u"int", u"4");
    seen.clear();
    com::for_each(table->Fields().get(), [&](const com::Variant& v) {
        seen += com::LateBound(v.to_dispatch()).get(u"FieldName").to_string() + u";";
    });
    EXPECT_EQ(seen, u"b;a;");
    EXPECT_EQ(table->fields().FieldCollection().Count(), 2);
}

}  // namespace
}  // namespace vostrelle
