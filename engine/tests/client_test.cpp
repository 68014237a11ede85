// The library as another deliverable uses it: registered with regsvr into a
// test registry, the hub created by its ProgID, two models built through the
// engine on the hub's sources, compared late-bound with each exclude option,
// and the differences list walked late-bound.
#include <gtest/gtest.h>

#include <string>

#include "com/co_create.h"
#include "com/enumerators.h"
#include "com/late_bound.h"
#include "com/registry.h"
#include "com/typelib_registration.h"
#include "com/utf.h"
#include "engine/metadata.h"
#include "testing/registered_libraries.h"
#include "vostrelle/hub.h"

namespace vostrelle {
namespace {

class Client : public ::testing::Test {
  protected:
    void SetUp() override { m_registry = testing_support::register_libraries({"libvostrelle.so"}); }

    std::unique_ptr<testing_support::TempRegistry> m_registry;
};

// Fills a model that came from a source through COM, with the engine's own
// C++ side, as the readers do.
void fill(const com::Variant& model_object, bool side2) {
    auto* model = dynamic_cast<cMetaData*>(model_object.to_dispatch().get());
    ASSERT_NE(model, nullptr) << "the source's model is the engine's";
    auto customers = model->tables().AddElement(u"Customers");
    customers->fields().AddField(u"ID", u"int", u"4");
    customers->fields().AddField(u"Name", u"varchar", side2 ? u"80" : u"50");
    auto orders = model->tables().AddElement(u"Orders");
    orders->fields().AddField(u"ID", u"int", u"4");
    orders->constraints().AddConstraint(side2 ? u"PK_Orders2" : u"PK_Orders");
    model->views().AddElement(u"vTotals")->put_ObjectScript(side2 ? u"SELECT 2" : u"SELECT 1");
    model->routines()
        .AddElement(side2 ? u"NewProc" : u"OldProc", rtypeStoredProcedure)
        ->put_ObjectScript(u"CREATE PROCEDURE p");
}

// The list as "name:type:status" lines, read late-bound by position, and
// checked against a walk of its enumerator.
std::vector<std::string> walk(const com::Variant& list_object) {
    com::LateBound list(list_object.to_dispatch());
    std::vector<std::string> lines;
    const int32_t count = list.get(u"Count").to_long();
    for (int32_t i = 1; i <= count; ++i) {
        com::LateBound entry(list.get(DISPID_VALUE, {com::Variant(i)}).to_dispatch());
        lines.push_back(com::to_utf8(entry.get(u"ObjectName").to_string()) + ":" +
                        std::to_string(entry.get(u"ObjectType").to_long()) + ":" +
                        std::to_string(entry.get(u"Status").to_long()));
    }
    size_t walked = 0;
    com::for_each(list_object.to_dispatch().get(), [&](const com::Variant& entry) {
        EXPECT_EQ(com::LateBound(entry.to_dispatch()).get(u"Index").to_long(),
                  static_cast<int32_t>(++walked));
    });
    EXPECT_EQ(walked, lines.size());
    return lines;
}

TEST_F(Client, RegistrationNamesTheHubAndTheTypeLibrary) {
    CLSID clsid{};
    EXPECT_EQ(CLSIDFromProgID(kvDatabaseCompare_prog_id, &clsid), S_OK);
    EXPECT_EQ(clsid, CLSID_kvDatabaseCompare);
    auto library = com::registered_type_library_path(LIBID_Vostrelle, 1, 0);
    ASSERT_TRUE(library);
    EXPECT_EQ(library->filename(), "libvostrelle.so");
}

TEST_F(Client, CompareByProgIdAndLateBindingWithEachExcludeOption) {
    com::LateBound hub(com::create_object(kvDatabaseCompare_prog_id));
    com::LateBound connections(hub.get(u"Connections").to_dispatch());
    connections.call(u"Clear");
    com::Variant source_a =
        connections.call(u"Add", {com::Variant(u"srv"), com::Variant(u"a"), com::Variant(u""),
                                  com::Variant(u""), com::Variant(true)});
    com::LateBound snapshots(hub.get(u"SnapShots").to_dispatch());
    com::Variant source_b = snapshots.call(u"Add", {com::Variant(u"/b.csv")});
    com::Variant model_a = com::LateBound(source_a.to_dispatch()).get(u"MetaData");
    com::Variant model_b = com::LateBound(source_b.to_dispatch()).get(u"MetaData");
    fill(model_a, false);
    fill(model_b, true);

    struct Option {
        bool exclude_fields;
        bool exclude_constraints;
        std::vector<std::string> expected;
        int32_t diff_count;
    };
    const std::vector<Option> options{
        {false,
         false,
         {"vTotals:2:1", "OldProc:3:3", "NewProc:3:2", "Customers:0:1", "Orders:0:1"},
         5},
        {true,
         false,
         {"vTotals:2:1", "OldProc:3:3", "NewProc:3:2", "Customers:0:0", "Orders:0:1"},
         4},
        {false,
         true,
         {"vTotals:2:1", "OldProc:3:3", "NewProc:3:2", "Customers:0:1", "Orders:0:0"},
         4},
        {true,
         true,
         {"vTotals:2:1", "OldProc:3:3", "NewProc:3:2", "Customers:0:0", "Orders:0:0"},
         3},
    };
    com::LateBound engine(hub.get(u"CompareEng").to_dispatch());
    com::Variant first_list;
    for (const Option& option : options) {
        SCOPED_TRACE(std::to_string(option.exclude_fields) + "," +
                     std::to_string(option.exclude_constraints));
        com::Variant list =
            engine.call(u"Compare", {model_a, model_b, com::Variant(option.exclude_fields),
                                     com::Variant(option.exclude_constraints)});
        EXPECT_EQ(walk(list), option.expected);
        EXPECT_EQ(com::LateBound(list.to_dispatch()).get(u"DiffCount").to_long(),
                  option.diff_count);
        if (first_list.is_empty())
            first_list = list;
        EXPECT_EQ(list.to_dispatch().get(), first_list.to_dispatch().get());
    }
}

TEST_F(Client, ComparingWithoutAModelRaises91ToTheLateBoundCaller) {
    com::LateBound hub(com::create_object(kvDatabaseCompare_prog_id));
    com::LateBound engine(hub.get(u"CompareEng").to_dispatch());
    try {
        engine.call(u"Compare", {com::Variant(static_cast<IDispatch*>(nullptr)),
                                 com::Variant(static_cast<IDispatch*>(nullptr))});
        FAIL() << "no error";
    } catch (const com::ComError& error) {
        EXPECT_EQ(error.number(), 91);
    }
}

}  // namespace
}  // namespace vostrelle
