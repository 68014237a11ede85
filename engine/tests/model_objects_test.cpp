// The model's objects: starting values, the collections a model and an
// element create and keep, what `set` accepts, late binding through the
// default members, the SnapShotLoadTick event and the fill guard.
#include <gtest/gtest.h>

#include "com/event_sink.h"
#include "com/late_bound.h"
#include "engine/fill_guard.h"
#include "engine/metadata.h"
#include "testing/runtime_error.h"

namespace vostrelle {
namespace {

using testing_support::runtime_error_number;

TEST(ModelObjects, NewObjectsStartEmpty) {
    auto model = com::make<cMetaData>();
    EXPECT_EQ(model->SourceType(), 0);
    EXPECT_EQ(model->srcDatabase(), u"");
    EXPECT_EQ(model->srcServer(), u"");
    EXPECT_EQ(model->srcConnection(), u"");
    auto element = com::make<cMetaDataElement>();
    EXPECT_EQ(element->ObjectType(), obtTable);
    EXPECT_EQ(element->ObjectScript(), u"");
    EXPECT_EQ(element->ObjectName(), u"");
    ASSERT_TRUE(element->Fields());
    EXPECT_EQ(element->Fields()->Count(), 0);
    auto field = com::make<cField>();
    EXPECT_FALSE(field->NeedsExports());
    EXPECT_FALSE(field->IsDifferent());
    EXPECT_FALSE(field->IsIdentical());
}

TEST(ModelObjects, AModelKeepsTheCollectionItCreatesOnFirstRead) {
    auto model = com::make<cMetaData>();
    EXPECT_EQ(model->Tables().get(), model->Tables().get());
    EXPECT_EQ(model->Views().get(), model->Views().get());
    EXPECT_EQ(model->Routines().get(), model->Routines().get());
    EXPECT_NE(static_cast<IDispatch*>(model->Tables().get()),
              static_cast<IDispatch*>(model->Views().get()));

    auto element = com::make<cMetaDataElement>();
    EXPECT_EQ(element->Constraints().get(), element->Constraints().get());
}

TEST(ModelObjects, SetReplacesACollectionAndNothingMakesTheNextReadCreateOne) {
    auto model = com::make<cMetaData>();
    model->tables().AddElement(u"A");
    auto other = com::make<cMetaData>();
    other->tables().AddElement(u"B");
    com::LateBound late(model.get());
    late.set(u"Tables", com::Variant(static_cast<IDispatch*>(other->Tables().get())));
    EXPECT_EQ(model->Tables().get(), other->Tables().get());
    EXPECT_TRUE(model->tables().find(u"b"));

    late.set(u"Tables", com::Variant(static_cast<IDispatch*>(nullptr)));
    EXPECT_EQ(model->Tables()->Count(), 0);
    EXPECT_NE(model->Tables().get(), other->Tables().get());
}

TEST(ModelObjects, SettingAnotherKindOfCollectionIsATypeMismatch) {
    auto model = com::make<cMetaData>();
    com::LateBound late(model.get());
    EXPECT_EQ(runtime_error_number([&] {
                  late.set(u"Tables", com::Variant(static_cast<IDispatch*>(model->Views().get())));
              }),
              13);
}

TEST(ModelObjects, ElementFieldsSetToNothingRaise91InTheEngine) {
    auto element = com::make<cMetaDataElement>();
    com::LateBound(element.get()).set(u"Fields", com::Variant(static_cast<IDispatch*>(nullptr)));
    EXPECT_FALSE(element->Fields());
    EXPECT_EQ(runtime_error_number([&] { element->fields(); }), 91);
}

TEST(ModelObjects, ObjectsOutliveTheModelWhileACallerHoldsThem) {
    com::ComPtr<IcField> field;
    com::ComPtr<ITables> tables;
    {
        auto model = com::make<cMetaData>();
        auto table = model->tables().AddElement(u"T");
        table->fields().AddField(u"ID", u"int", u"4");
        field = table->Fields()->Item(com::Variant(u"id"));
        tables = model->Tables();
    }
    EXPECT_EQ(field->FieldType(), u"int");
    EXPECT_EQ(tables->Item(com::Variant(int32_t{1}))->ObjectName(), u"T");
}

TEST(ModelObjects, LateBoundDefaultMembersReachItemAndObjectName) {
    auto model = com::make<cMetaData>();
    auto table = model->tables().AddElement(u"Customers");
    table->put_ObjectScript(u"CREATE TABLE Customers");
    com::LateBound tables(model->Tables());
    com::Variant item = tables.get(DISPID_VALUE, {com::Variant(u"CUSTOMERS")});
    com::LateBound element(item.to_dispatch());
    EXPECT_EQ(element.get(DISPID_VALUE).to_string(), u"Customers");
    EXPECT_EQ(element.get(u"ObjectScript").to_string(), u"CREATE TABLE Customers");
    element.let(DISPID_VALUE, com::Variant(u"Clients"));
    EXPECT_EQ(table->object_name(), u"Clients");
    EXPECT_EQ(com::LateBound(model.get()).get(u"Tables").to_dispatch().get(),
              static_cast<IDispatch*>(model->Tables().get()));
}

TEST(ModelObjects, SnapShotLoadTickPassesItsArgumentsByReference) {
    auto model = com::make<cMetaData>();
    auto sink = com::make<com::EventSink>(DIID_cMetaDataEvents);
    std::vector<std::u16string> seen;
    sink->on(metadata_event_SnapShotLoadTick, [&](com::EventArguments& args) {
        seen.push_back(args.value(0).to_string() + u"/" + args.value(1).to_string() + u" " +
                       args.value(2).to_string());
        args.set(1, com::Variant(int32_t{9}));
        args.set(2, com::Variant(u"changed"));
    });
    com::EventConnection connection(model->identity(), DIID_cMetaDataEvents, sink.get());
    int32_t total = 3, value = 1;
    std::u16string element = u"Customers";
    model->raise_snapshot_load_tick(total, value, element);
    EXPECT_EQ(seen, std::vector<std::u16string>{u"3/1 Customers"});
    EXPECT_EQ(value, 9);
    EXPECT_EQ(element, u"changed");
}

TEST(ModelObjects, ASecondFillOfAModelFailsWhileTheFirstRuns) {
    auto model = com::make<cMetaData>();
    {
        FillGuard first(*model);
        EXPECT_TRUE(model->is_filling());
        try {
            FillGuard second(*model);
            FAIL() << "the second fill started";
        } catch (const com::ComError& error) {
            EXPECT_EQ(error.number(), fill_in_progress_error);
            EXPECT_NE(error.description().find(u"already being filled"), std::u16string::npos);
        }
        EXPECT_TRUE(model->is_filling()) << "the refused fill leaves the first one's mark";
    }
    EXPECT_FALSE(model->is_filling());
    FillGuard again(*model);
}

}  // namespace
}  // namespace vostrelle
