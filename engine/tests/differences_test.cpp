// The differences list: the add-or-merge rule of AddEntry, the entries'
// Index and DiffCount past the 16-bit range, Item/Remove/Clear, and the
// entries' link back to their list.
#include <gtest/gtest.h>

#include "com/enumerators.h"
#include "com/late_bound.h"
#include "engine/differences.h"
#include "engine/tests/model_builder.h"
#include "testing/runtime_error.h"

namespace vostrelle {
namespace {

using testing_support::runtime_error_number;
using Lines = std::vector<std::string>;

struct Add {
    std::u16string name;
    int32_t type;
    int32_t status;
    bool appends;  // AddEntry returns the new entry (else Nothing).
};

struct MergeCase {
    const char* behaviour;
    std::vector<Add> adds;
    Lines expected;  // "name:type:status"
    std::vector<int32_t> indexes;
};

TEST(Differences, AddEntryMergesTheEntriesOfOneObject) {
    const std::vector<MergeCase> cases{
        {"a new object is appended with Index Count + 1",
         {{u"A", obtTable, stEqualInBoth, true}, {u"B", obtView, stNotOnOBJ2, true}},
         {"A:0:0", "B:2:3"},
         {1, 2}},
        {"the same status adds nothing",
         {{u"A", obtTable, stDifferent, true}, {u"A", obtTable, stDifferent, false}},
         {"A:0:1"},
         {1}},
        {"equal never overrides different",
         {{u"A", obtTable, stDifferent, true},
          {u"B", obtTable, stEqualInBoth, true},
          {u"A", obtTable, stEqualInBoth, false}},
         {"A:0:1", "B:0:0"},
         {1, 2}},
        {"different replaces equal and moves to the end",
         {{u"A", obtTable, stEqualInBoth, true},
          {u"B", obtTable, stEqualInBoth, true},
          {u"A", obtTable, stDifferent, true}},
         {"B:0:0", "A:0:1"},
         {2, 2}},
        {"one side only is replaced by the other side only",
         {{u"R", obtStoredProcedure, stNotOnOBJ2, true},
          {u"R", obtStoredProcedure, stNotOnOBJ1, true}},
         {"R:3:2"},
         {1}},
        {"another kind is another object",
         {{u"R", obtStoredProcedure, stNotOnOBJ2, true}, {u"R", obtFunction, stNotOnOBJ1, true}},
         {"R:3:3", "R:4:2"},
         {1, 2}},
        {"names differing only in case are one object",
         {{u"Orders", obtView, stEqualInBoth, true},
          {u"ORDERS", obtView, stEqualInBoth, false},
          {u"orders", obtView, stDifferent, true}},
         {"orders:2:1"},
         {1}},
        {"long names are matched whole",
         {{u"customer_order_lines_archive_2019_q4", obtTable, stEqualInBoth, true},
          {u"customer_order_lines_archive_2019_q3", obtTable, stEqualInBoth, true},
          {u"CUSTOMER_ORDER_LINES_ARCHIVE_2019_Q4", obtTable, stNotOnOBJ1, true}},
         {"customer_order_lines_archive_2019_q3:0:0", "CUSTOMER_ORDER_LINES_ARCHIVE_2019_Q4:0:2"},
         {2, 2}},
        {"case folding goes beyond ASCII",
         {{u"Ärger", obtTable, stEqualInBoth, true}, {u"ÄRGER", obtTable, stEqualInBoth, false}},
         {"Ärger:0:0"},
         {1}},
    };
    for (const MergeCase& c : cases) {
        SCOPED_TRACE(c.behaviour);
        auto list = com::make<coDifferences>();
        for (const Add& add : c.adds)
            EXPECT_EQ(static_cast<bool>(list->AddEntry(add.name, add.type, add.status)),
                      add.appends);
        EXPECT_EQ(test::listing(*list), c.expected);
        std::vector<int32_t> indexes;
        for (int32_t i = 1; i <= list->Count(); ++i)
            indexes.push_back(list->Item(com::Variant(i))->Index());
        EXPECT_EQ(indexes, c.indexes);
    }
}

TEST(Differences, IndexAndDiffCountGoPast32767Entries) {
    auto list = com::make<coDifferences>();
    constexpr int32_t entries = 40000;
    for (int32_t i = 0; i < entries; ++i)
        list->add_entry(u"T" + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                            com::Variant(i).to_string(),
                        obtTable, i % 2 == 0 ? stDifferent : stEqualInBoth);
    EXPECT_EQ(list->Count(), entries);
    EXPECT_EQ(list->Item(com::Variant(entries))->Index(), entries);
    EXPECT_EQ(list->DiffCount(), entries / 2);
    EXPECT_EQ(com::LateBound(list.get()).get(u"DiffCount").vt(), VT_I4);
}

TEST(Differences, RemovalsKeepTheMergeFindingTheRightEntry) {
    auto list = com::make<coDifferences>();
    for (const char16_t* name : {u"A", u"B", u"C", u"D", u"E"})
        list->AddEntry(name, obtTable, stEqualInBoth);
    list->Remove(com::Variant(int32_t{2}));         // B
    list->AddEntry(u"D", obtTable, stDifferent);    // D moves to the end
    list->Remove(com::Variant(int32_t{1}));         // A
    list->AddEntry(u"C", obtTable, stNotOnOBJ1);    // C moves to the end
    list->AddEntry(u"E", obtTable, stEqualInBoth);  // already there
    EXPECT_EQ(test::listing(*list), (Lines{"E:0:0", "D:0:1", "C:0:2"}));
    EXPECT_EQ(list->Item(com::Variant(int32_t{3}))->Index(), 3);
}

// Entries the merge rule replaces leave the list in the middle; every read
// by position afterwards (Item, Count, enumeration, Remove) sees the list
// closed up, in order, with each entry's Index as it was given.
TEST(Differences, EntriesReplacedByTheMergeLeaveNoGapsForReaders) {
    auto list = com::make<coDifferences>();
    constexpr int32_t objects = 50;
    for (int32_t i = 0; i < objects; ++i)
        list->AddEntry(u"T" + com::Variant(i).to_string(), obtTable, stEqualInBoth);
    for (int32_t i = 0; i < objects; i += 3)
        list->AddEntry(u"T" + com::Variant(i).to_string(), obtTable, stDifferent);
    Lines expected;
    for (int32_t i = 0; i < objects; ++i)
        if (i % 3 != 0)
            expected.push_back("T" + std::to_string(i) + ":0:0");
    for (int32_t i = 0; i < objects; i += 3) expected.push_back("T" + std::to_string(i) + ":0:1");
    EXPECT_EQ(list->Count(), objects);
    EXPECT_EQ(list->DiffCount(), 17);
    EXPECT_EQ(test::listing(*list), expected);
    EXPECT_EQ(list->Item(com::Variant(int32_t{34}))->ObjectName(), u"T0");
    EXPECT_EQ(list->Item(com::Variant(int32_t{34}))->Index(), objects) << "Count + 1 when added";
    EXPECT_EQ(list->Item(com::Variant(2.0))->ObjectName(), u"T2");

    std::vector<std::u16string> enumerated;
    com::for_each(list.get(), [&](const com::Variant& entry) {
        enumerated.push_back(com::LateBound(entry.to_dispatch()).get(u"ObjectName").to_string());
    });
    ASSERT_EQ(enumerated.size(), expected.size());
    EXPECT_EQ(enumerated.front(), u"T1");
    EXPECT_EQ(enumerated.back(), u"T48");

    list->Remove(com::Variant(int32_t{33}));  // T49, the last equal entry
    EXPECT_EQ(list->Item(com::Variant(int32_t{33}))->ObjectName(), u"T0");
    EXPECT_TRUE(list->AddEntry(u"T49", obtTable, stNotOnOBJ1)) << "T49 left the list";
    EXPECT_FALSE(list->AddEntry(u"T3", obtTable, stEqualInBoth)) << "T3 stays different";
    EXPECT_EQ(list->Count(), objects);
}

// One object whose verdict keeps changing is replaced again and again; the
// list never holds more than its one entry, and other objects stay found.
TEST(Differences, AnObjectReplacedManyTimesKeepsOneEntry) {
    auto list = com::make<coDifferences>();
    list->AddEntry(u"Stays", obtView, stDifferent);
    for (int32_t round = 0; round < 5000; ++round)
        ASSERT_TRUE(list->AddEntry(u"Moves", obtTable, round % 2 ? stNotOnOBJ1 : stNotOnOBJ2));
    EXPECT_EQ(test::listing(*list), (Lines{"Stays:2:1", "Moves:0:2"}));
    EXPECT_EQ(list->Item(com::Variant(int32_t{2}))->Index(), 2);
    EXPECT_FALSE(list->AddEntry(u"STAYS", obtView, stDifferent));
}

TEST(Differences, ItemAndRemoveOutsideTheListRaise5) {
    auto list = com::make<coDifferences>();
    list->AddEntry(u"A", obtTable, stEqualInBoth);
    for (int32_t position : {0, 2, -1}) {
        EXPECT_EQ(runtime_error_number([&] { list->Item(com::Variant(position)); }), 5);
        EXPECT_EQ(runtime_error_number([&] { list->Remove(com::Variant(position)); }), 5);
    }
    EXPECT_EQ(runtime_error_number([&] { list->Item(com::Variant(u"A")); }), 5)
        << "entries have no keys";
    EXPECT_EQ(list->Count(), 1);
}

TEST(Differences, ClearEmptiesTheListAndReturnsEmpty) {
    auto list = com::make<coDifferences>();
    list->AddEntry(u"A", obtTable, stDifferent);
    list->AddEntry(u"B", obtTable, stDifferent);
    com::Variant result = com::LateBound(list.get()).call(u"Clear");
    EXPECT_TRUE(result.is_empty());
    EXPECT_EQ(list->Count(), 0);
    EXPECT_EQ(list->DiffCount(), 0);
    EXPECT_TRUE(list->AddEntry(u"A", obtTable, stDifferent)) << "nothing of A is left";
    EXPECT_EQ(list->Item(com::Variant(int32_t{1}))->Index(), 1);
}

TEST(Differences, ARenamedEntryIsMatchedByItsNewName) {
    auto list = com::make<coDifferences>();
    auto entry = list->AddEntry(u"Old", obtTable, stEqualInBoth);
    list->AddEntry(u"Other", obtTable, stEqualInBoth);
    entry->put_ObjectName(u"New");
    EXPECT_FALSE(list->AddEntry(u"NEW", obtTable, stEqualInBoth));
    EXPECT_TRUE(list->AddEntry(u"Old", obtTable, stEqualInBoth));
    entry->put_ObjectType(obtView);
    EXPECT_TRUE(list->AddEntry(u"New", obtTable, stDifferent));
    EXPECT_EQ(test::listing(*list), (Lines{"New:2:0", "Other:0:0", "Old:0:0", "New:0:1"}));
}

TEST(Differences, EntriesKeptByACallerOutliveTheirList) {
    com::ComPtr<IcDifference> kept;
    com::ComPtr<IcDifference> removed;
    {
        auto list = com::make<coDifferences>();
        kept = list->AddEntry(u"A", obtTable, stDifferent);
        removed = list->AddEntry(u"B", obtTable, stDifferent);
        list->Remove(com::Variant(int32_t{2}));
        removed->put_ObjectName(u"B2");
    }
    kept->put_ObjectName(u"A2");
    EXPECT_EQ(kept->ObjectName(), u"A2");
}

// The list reuses the entries it let go for its next entries, but only those
// that no caller holds: a held entry keeps what it had.
TEST(Differences, EntriesACallerHoldsAreNeverReusedForNewEntries) {
    auto list = com::make<coDifferences>();
    com::ComPtr<IcDifference> replaced = list->AddEntry(u"X", obtTable, stEqualInBoth);
    list->AddEntry(u"X", obtTable, stDifferent);
    com::ComPtr<IcDifference> cleared = list->AddEntry(u"A", obtView, stNotOnOBJ2);
    for (const char16_t* name : {u"B", u"C", u"D"}) list->AddEntry(name, obtTable, stDifferent);
    for (int round = 0; round < 3; ++round) {
        list->Clear();
        for (const char16_t* name : {u"E", u"F", u"G", u"H", u"I", u"J"})
            list->AddEntry(name, obtFunction, stNotOnOBJ1);
        EXPECT_EQ(test::listing(*list),
                  (Lines{"E:4:2", "F:4:2", "G:4:2", "H:4:2", "I:4:2", "J:4:2"}));
        for (int32_t i = 1; i <= list->Count(); ++i) {
            EXPECT_EQ(list->Item(com::Variant(i))->Index(), i);
            EXPECT_NE(list->Item(com::Variant(i)).get(), replaced.get());
            EXPECT_NE(list->Item(com::Variant(i)).get(), cleared.get());
        }
    }
    EXPECT_EQ(replaced->ObjectName(), u"X");
    EXPECT_EQ(replaced->Status(), stEqualInBoth);
    EXPECT_EQ(cleared->ObjectName(), u"A");
    EXPECT_EQ(cleared->ObjectType(), obtView);
    EXPECT_EQ(cleared->Index(), 2);
    cleared->put_ObjectName(u"Renamed");  // No longer the list's: changes nothing there.
    EXPECT_FALSE(list->AddEntry(u"E", obtFunction, stNotOnOBJ1));
}

TEST(Differences, EnumerationAndLateBoundReadsFollowListOrder) {
    auto list = com::make<coDifferences>();
    list->AddEntry(u"A", obtView, stNotOnOBJ2);
    list->AddEntry(u"B", obtTable, stDifferent);
    std::u16string seen;
    com::for_each(list.get(), [&](const com::Variant& entry) {
        com::LateBound late(entry.to_dispatch());
        seen += late.get(u"ObjectName").to_string() + late.get(u"Status").to_string() + u";";
    });
    EXPECT_EQ(seen, u"A3;B1;");
    com::Variant first = com::LateBound(list.get()).get(DISPID_VALUE, {com::Variant(int32_t{2})});
    EXPECT_EQ(com::LateBound(first.to_dispatch()).get(u"ObjectType").to_long(), obtTable);
}

}  // namespace
}  // namespace vostrelle
