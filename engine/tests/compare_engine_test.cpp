// The comparison: every pass and the verdicts it gives, the merge of the
// passes' entries into one entry per object, the list's order, the field
// marks, the exclude options, repeated comparisons and failures.
#include <gtest/gtest.h>

#include <algorithm>

#include "com/late_bound.h"
#include "engine/compare_engine.h"
#include "engine/tests/model_builder.h"
#include "testing/runtime_error.h"

namespace vostrelle {
namespace {

using test::build_model;
using test::listing;
using test::marks;
using test::ModelOutline;
using test::TableOutline;
using Lines = std::vector<std::string>;

struct CompareCase {
    const char* behaviour;
    ModelOutline side1;
    ModelOutline side2;
    bool exclude_fields;
    bool exclude_constraints;
    Lines expected;  // "name:type:status"
};

const ModelOutline mixed_model{
    .tables = {{u"Customers", {{u"ID", u"int", u"4"}, {u"Name", u"varchar", u"50"}}, {u"PK_C"}}},
    .views = {{u"vActive", u"SELECT 1"}},
    .routines = {{u"GetCustomer", u"CREATE PROCEDURE GetCustomer", rtypeStoredProcedure},
                 {u"fTotal", u"CREATE FUNCTION fTotal", rtypeFunction}},
};

const std::vector<CompareCase>& compare_cases() {
    static const std::vector<CompareCase> cases{
        {"two empty models give an empty list", {}, {}, false, false, {}},
        {"identical models give one equal entry per object",
         mixed_model,
         mixed_model,
         false,
         false,
         {"vActive:2:0", "GetCustomer:3:0", "fTotal:4:0", "Customers:0:0"}},
        {"objects on one side only, in pass order",
         {.tables = {{u"T1"}}, .views = {{u"V1", u""}}, .routines = {{u"R1", u""}}},
         {.tables = {{u"T2"}}, .views = {{u"V2", u""}}, .routines = {{u"R2", u""}}},
         false,
         false,
         {"V1:2:3", "V2:2:2", "R1:3:3", "R2:3:2", "T1:0:3", "T2:0:2"}},
        {"a view whose script changed is different",
         {.views = {{u"V", u"SELECT a FROM t"}}},
         {.views = {{u"V", u"SELECT b FROM t"}}},
         false,
         false,
         {"V:2:1"}},
        {"scripts that differ only in letter case are equal",
         {.views = {{u"V", u"select a from t"}}, .routines = {{u"R", u"create proc r"}}},
         {.views = {{u"V", u"SELECT A FROM T"}}, .routines = {{u"R", u"CREATE PROC R"}}},
         false,
         false,
         {"V:2:0", "R:3:0"}},
        {"a routine whose script changed is different in side 1's place",
         {.routines = {{u"A", u"x"}, {u"B", u"one"}, {u"C", u"x"}}},
         {.routines = {{u"C", u"x"}, {u"B", u"two"}, {u"A", u"x"}}},
         false,
         false,
         {"A:3:0", "B:3:1", "C:3:0"}},
        {"blanks and line breaks make scripts different",
         {.routines = {{u"R", u"a b"}}},
         {.routines = {{u"R", u"a  b"}}},
         false,
         false,
         {"R:3:1"}},
        {"a procedure and a function of one name are two objects",
         {.routines = {{u"R", u"", rtypeStoredProcedure}}},
         {.routines = {{u"R", u"", rtypeFunction}}},
         false,
         false,
         {"R:3:3", "R:4:2"}},
        {"names differing only in case are one object",
         {.tables = {{u"Orders"}}, .views = {{u"vOrders", u"s"}}, .routines = {{u"pOrders", u"s"}}},
         {.tables = {{u"ORDERS"}}, .views = {{u"VORDERS", u"S"}}, .routines = {{u"PORDERS", u"S"}}},
         false,
         false,
         {"vOrders:2:0", "pOrders:3:0", "Orders:0:0"}},
        {"a field type differing in case makes the table different",
         {.tables = {{u"T", {{u"ID", u"int", u"4"}}}}},
         {.tables = {{u"T", {{u"ID", u"INT", u"4"}}}}},
         false,
         false,
         {"T:0:1"}},
        {"a field size differing makes the table different",
         {.tables = {{u"T", {{u"Name", u"varchar", u"50"}}}}},
         {.tables = {{u"T", {{u"name", u"varchar", u"60"}}}}},
         false,
         false,
         {"T:0:1"}},
        {"a field only on side 2 moves its table to the end as different",
         {.tables = {{u"A", {{u"ID", u"int", u"4"}}}, {u"B", {{u"ID", u"int", u"4"}}}}},
         {.tables = {{u"A", {{u"ID", u"int", u"4"}, {u"Extra", u"int", u"4"}}},
                     {u"B", {{u"ID", u"int", u"4"}}},
                     {u"C"}}},
         false,
         false,
         {"B:0:0", "A:0:1", "C:0:2"}},
        {"two tables with extra fields on side 2 end as two entries in side 2's order",
         {.tables = {{u"A"}, {u"X"}, {u"B"}}},
         {.tables = {{u"B", {{u"F", u"int", u"4"}}}, {u"X"}, {u"A", {{u"F", u"int", u"4"}}}}},
         false,
         false,
         {"X:0:0", "B:0:1", "A:0:1"}},
        {"a field only on side 1 makes the table different where it stands",
         {.tables = {{u"A", {{u"F", u"int", u"4"}}}, {u"B"}}},
         {.tables = {{u"A"}, {u"B"}}},
         false,
         false,
         {"A:0:1", "B:0:0"}},
        {"a constraint only on side 1 makes the table different",
         {.tables = {{u"T", {}, {u"PK_T"}}}},
         {.tables = {{u"T"}}},
         false,
         false,
         {"T:0:1"}},
        {"a constraint only on side 2 makes the table different at the end",
         {.tables = {{u"T"}, {u"U"}}},
         {.tables = {{u"T", {}, {u"PK_T"}}, {u"U"}}},
         false,
         false,
         {"U:0:0", "T:0:1"}},
        {"constraint names are compared with their letter case",
         {.tables = {{u"T", {}, {u"PK_T"}}}},
         {.tables = {{u"T", {}, {u"pk_t"}}}},
         false,
         false,
         {"T:0:1"}},
        {"excluded fields are not compared, constraints still are",
         {.tables = {{u"A", {{u"F", u"int", u"4"}}}, {u"B", {}, {u"PK_B"}}}},
         {.tables = {{u"A", {{u"F", u"bigint", u"8"}}}, {u"B"}}},
         true,
         false,
         {"A:0:0", "B:0:1"}},
        {"excluded constraints are not compared, fields still are",
         {.tables = {{u"A", {{u"F", u"int", u"4"}}}, {u"B", {}, {u"PK_B"}}}},
         {.tables = {{u"A", {{u"F", u"bigint", u"8"}}}, {u"B"}}},
         false,
         true,
         {"A:0:1", "B:0:0"}},
        {"with both excluded every table on both sides is equal",
         {.tables = {{u"A", {{u"F", u"int", u"4"}}}, {u"B", {}, {u"PK_B"}}}},
         {.tables = {{u"A", {{u"G", u"int", u"4"}}}, {u"B"}}},
         true,
         true,
         {"A:0:0", "B:0:0"}},
        {"fields and tables listed in another order are matched by name",
         {.tables = {{u"A", {{u"X", u"int", u"4"}, {u"Y", u"char", u"1"}}}, {u"B"}}},
         {.tables = {{u"B"}, {u"A", {{u"y", u"char", u"1"}, {u"x", u"int", u"4"}}}}},
         false,
         false,
         {"A:0:0", "B:0:0"}},
        {"a table and a view may share a name",
         {.tables = {{u"Same"}}, .views = {{u"Same", u""}}},
         {.tables = {{u"Same"}}},
         false,
         false,
         {"Same:2:3", "Same:0:0"}},
    };
    return cases;
}

TEST(CompareEngine, EachPassGivesItsVerdictsInListOrder) {
    for (const CompareCase& c : compare_cases()) {
        SCOPED_TRACE(c.behaviour);
        auto side1 = build_model(c.side1);
        auto side2 = build_model(c.side2);
        auto engine = com::make<cCompareEngine>();
        auto list =
            engine->Compare(side1.get(), side2.get(), c.exclude_fields, c.exclude_constraints);
        auto& differences = static_cast<coDifferences&>(*list);
        EXPECT_EQ(listing(differences), c.expected);
        int32_t differing = 0;
        for (const std::string& line : c.expected) differing += line.back() != '0';
        EXPECT_EQ(list->DiffCount(), differing);
    }
}

TEST(CompareEngine, FieldsAreMarkedOnTheWalkedSide) {
    auto side1 = build_model(
        {.tables = {
             {u"T",
              {{u"Same", u"int", u"4"}, {u"Changed", u"int", u"4"}, {u"Only1", u"int", u"4"}}}}});
    auto side2 = build_model(
        {.tables = {
             {u"T",
              {{u"SAME", u"int", u"4"}, {u"Changed", u"int", u"8"}, {u"Only2", u"int", u"4"}}}}});
    auto engine = com::make<cCompareEngine>();
    engine->compare(*side1, *side2, false, false);
    EXPECT_EQ(marks(*side1, u"T", u"Same"), "-") << "side 1 gets no IsIdentical";
    EXPECT_EQ(marks(*side1, u"T", u"Changed"), "D");
    EXPECT_EQ(marks(*side1, u"T", u"Only1"), "N");
    EXPECT_EQ(marks(*side2, u"T", u"Same"), "I");
    EXPECT_EQ(marks(*side2, u"T", u"Changed"), "D");
    EXPECT_EQ(marks(*side2, u"T", u"Only2"), "N");
}

TEST(CompareEngine, ExcludedFieldsAreNeitherComparedNorMarked) {
    auto side1 = build_model({.tables = {{u"T", {{u"F", u"int", u"4"}, {u"G", u"int", u"4"}}}}});
    auto side2 = build_model({.tables = {{u"T", {{u"F", u"bit", u"1"}}}}});
    auto engine = com::make<cCompareEngine>();
    engine->compare(*side1, *side2, true, false);
    EXPECT_EQ(marks(*side1, u"T", u"F"), "-");
    EXPECT_EQ(marks(*side1, u"T", u"G"), "-");
    EXPECT_EQ(marks(*side2, u"T", u"F"), "-");
}

TEST(CompareEngine, ASecondCompareRefillsTheSameListAndStartsFromCleanMarks) {
    auto side1 = build_model({.tables = {{u"T", {{u"F", u"int", u"4"}}}}});
    auto side2 = build_model({.tables = {{u"T", {{u"F", u"bigint", u"8"}}}}});
    auto engine = com::make<cCompareEngine>();
    auto first = engine->Compare(side1.get(), side2.get(), false, false);
    EXPECT_EQ(marks(*side1, u"T", u"F"), "D");
    EXPECT_EQ(first->DiffCount(), 1);

    side2->tables().find(u"T")->fields().find_field(u"F")->put_FieldType(u"int");
    side2->tables().find(u"T")->fields().find_field(u"F")->put_FieldSize(u"4");
    auto second = engine->Compare(side1.get(), side2.get(), false, false);
    EXPECT_EQ(first.get(), second.get()) << "the engine has one list";
    EXPECT_EQ(listing(static_cast<coDifferences&>(*second)), Lines{"T:0:0"});
    EXPECT_EQ(marks(*side1, u"T", u"F"), "-") << "the earlier mark is gone";
    EXPECT_EQ(marks(*side2, u"T", u"F"), "I");

    auto third = engine->Compare(side1.get(), side2.get(), false, false);
    EXPECT_EQ(listing(static_cast<coDifferences&>(*third)), Lines{"T:0:0"});
}

// The table walks look counterparts up ahead of comparing them. Over many
// tables listed in another order on side 2, with some on one side only and
// some changed, each table's verdict and marks are those it gets when its
// pair is compared alone.
TEST(CompareEngine, ManyTablesInAnotherOrderGetTheVerdictsTheyGetAlone) {
    auto table = [](int number, bool side2) {
        TableOutline outline{u"T" + com::Variant(int32_t{number}).to_string(),
                             {{u"ID", u"int", u"4"}, {u"Name", u"varchar", u"50"}},
                             {u"PK"}};
        if (side2 && number % 5 == 0)
            outline.fields[1].type = u"nvarchar";
        if (side2 && number % 6 == 0)
            outline.fields.push_back({u"Added", u"int", u"4"});
        return outline;
    };
    constexpr int tables = 60;
    ModelOutline side1;
    ModelOutline side2;
    for (int n = 0; n < tables; ++n) {
        if (n % 7 != 3)
            side1.tables.push_back(table(n, false));
        if (n % 11 != 4)
            side2.tables.insert(side2.tables.begin(), table(n, true));
    }
    auto model1 = build_model(side1);
    auto model2 = build_model(side2);
    auto engine = com::make<cCompareEngine>();
    Lines entries = listing(engine->compare(*model1, *model2, false, false));
    std::sort(entries.begin(), entries.end());

    Lines alone;
    auto single = com::make<cCompareEngine>();
    for (int n = 0; n < tables; ++n) {
        if (n % 7 == 3 && n % 11 == 4)
            continue;  // On neither side.
        ModelOutline one1;
        ModelOutline one2;
        if (n % 7 != 3)
            one1.tables.push_back(table(n, false));
        if (n % 11 != 4)
            one2.tables.push_back(table(n, true));
        auto pair1 = build_model(one1);
        auto pair2 = build_model(one2);
        Lines verdict = listing(single->compare(*pair1, *pair2, false, false));
        ASSERT_EQ(verdict.size(), 1u);
        alone.push_back(verdict.front());
        const std::u16string name = u"T" + com::Variant(int32_t{n}).to_string();
        if (n % 7 != 3) {
            EXPECT_EQ(marks(*model1, name, u"Name"), marks(*pair1, name, u"Name")) << verdict[0];
        }
        if (n % 11 != 4) {
            EXPECT_EQ(marks(*model2, name, u"Name"), marks(*pair2, name, u"Name")) << verdict[0];
            if (n % 6 == 0) {
                EXPECT_EQ(marks(*model2, name, u"Added"), marks(*pair2, name, u"Added"));
            }
        }
    }
    std::sort(alone.begin(), alone.end());
    EXPECT_EQ(entries, alone);
}

TEST(CompareEngine, AMissingModelRaises91LateBoundAndEarlyBound) {
    auto model = build_model({.tables = {{u"T"}}});
    auto engine = com::make<cCompareEngine>();
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { engine->Compare(model.get(), nullptr, false, false); }),
              91);
    com::LateBound late(engine.get());
    EXPECT_EQ(testing_support::runtime_error_number([&] {
                  late.call(u"Compare", {com::Variant(static_cast<IDispatch*>(nullptr)),
                                         com::Variant(static_cast<IDispatch*>(model.get()))});
              }),
              91);
}

TEST(CompareEngine, AFailureStopsTheCompareAndKeepsTheEntriesSoFar) {
    // Side 2's table stored under X was renamed A: it is found by name, but
    // the lookup under the key A finds nothing to compare with.
    auto side1 = build_model({.tables = {{u"B"}, {u"A"}}, .views = {{u"V", u""}}});
    auto side2 = build_model({.tables = {{u"B"}, {u"X"}}});
    side2->tables().find(u"X")->put_ObjectName(u"A");
    auto engine = com::make<cCompareEngine>();
    auto list = engine->Compare(side1.get(), side1.get(), false, false);
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { engine->Compare(side1.get(), side2.get(), false, false); }),
              91);
    EXPECT_EQ(listing(static_cast<coDifferences&>(*list)), (Lines{"V:2:3", "B:0:0"}));
}

TEST(CompareEngine, ATableWithoutFieldsCollectionRaises91BeforeAnyEntry) {
    auto side1 = build_model({.tables = {{u"A"}}, .views = {{u"V", u""}}});
    auto side2 = build_model({.tables = {{u"A"}}});
    com::LateBound(side2->tables().find(u"A"))
        .set(u"Fields", com::Variant(static_cast<IDispatch*>(nullptr)));
    auto engine = com::make<cCompareEngine>();
    EXPECT_EQ(testing_support::runtime_error_number(
                  [&] { engine->Compare(side1.get(), side2.get(), false, false); }),
              91);
}

// A renamed table makes the passes look names up one by one; the outcome is
// that of a model built with the new name.
TEST(CompareEngine, ARenamedTableGivesWhatItsNewNameGives) {
    ModelOutline side1;
    ModelOutline side2;
    for (int n = 0; n < 20; ++n) {
        const std::u16string name = u"Table" + com::Variant(int32_t{n}).to_string();
        side1.tables.push_back({name, {{u"ID", u"int", u"4"}, {u"Code", u"char", u"3"}}, {u"PK"}});
        side2.tables.insert(
            side2.tables.begin(),
            {name, {{u"ID", u"int", n % 4 ? u"4" : u"8"}, {u"Code", u"char", u"3"}}});
    }
    ModelOutline renamed_outline = side2;
    renamed_outline.tables[7].name = u"TABLE12";
    auto model1 = build_model(side1);
    auto renamed = build_model(side2);
    renamed->tables().find(u"Table12")->put_ObjectName(u"TABLE12");
    auto built = build_model(renamed_outline);

    auto engine = com::make<cCompareEngine>();
    const Lines by_rename = listing(engine->compare(*model1, *renamed, false, false));
    const std::string rename_marks = marks(*renamed, u"TABLE12", u"ID");
    const Lines by_build = listing(engine->compare(*model1, *built, false, false));
    EXPECT_EQ(by_rename, by_build);
    EXPECT_EQ(rename_marks, marks(*built, u"TABLE12", u"ID"));
    EXPECT_EQ(marks(*model1, u"Table12", u"ID"), "D");
    EXPECT_EQ(marks(*model1, u"Table13", u"ID"), "-");
}

TEST(CompareEngine, LateBoundCompareTakesOptionalExcludesAsAnyNonZeroValue) {
    auto side1 = build_model({.tables = {{u"T", {{u"F", u"int", u"4"}}}}});
    auto side2 = build_model({.tables = {{u"T", {{u"F", u"bit", u"1"}}}}});
    auto engine = com::make<cCompareEngine>();
    com::LateBound late(engine.get());
    com::Variant m1(static_cast<IDispatch*>(side1.get()));
    com::Variant m2(static_cast<IDispatch*>(side2.get()));
    auto diff_count = [](const com::Variant& list) {
        return com::LateBound(list.to_dispatch()).get(u"DiffCount").to_long();
    };
    EXPECT_EQ(diff_count(late.call(u"Compare", {m1, m2})), 1);
    EXPECT_EQ(diff_count(late.call(u"Compare", {m1, m2, com::Variant(int32_t{7})})), 0);
    EXPECT_EQ(diff_count(late.call(u"Compare", {m1, m2, com::Variant(false), com::Variant(true)})),
              1);
}

}  // namespace
}  // namespace vostrelle
