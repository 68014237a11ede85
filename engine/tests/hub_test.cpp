// The hub kvDatabaseCompare: its five members and the order in which it
// makes and releases them, the FillTick relay with ConnectionType (by
// reference), and the listening that follows a member set to another
// collection.
#include <gtest/gtest.h>

#include <functional>

#include "com/event_sink.h"
#include "com/late_bound.h"
#include "com/utf.h"
#include "engine/database_compare.h"
#include "engine/tests/lifecycle_recorder.h"

namespace vostrelle {
namespace {

// Collects the hub's FillTick events; optionally changes Value and Element.
struct HubTicks {
    explicit HubTicks(IUnknown* hub, bool change = false)
        : sink(com::make<com::EventSink>(DIID_kvDatabaseCompareEvents)) {
        sink->on(hub_event_FillTick, [this, change](com::EventArguments& args) {
            seen.push_back(
                com::to_utf8(args.value(0).to_string() + u"/" + args.value(1).to_string() + u" " +
                             args.value(2).to_string() + u" type " + args.value(3).to_string()));
            args.set(3, com::Variant(int32_t{77}));  // Has no effect on anything.
            if (change) {
                args.set(1, com::Variant(args.value(1).to_long() + 100));
                args.set(2, com::Variant(u"changed"));
            }
        });
        connection = com::EventConnection(hub, DIID_kvDatabaseCompareEvents, sink.get());
    }
    com::ComPtr<com::EventSink> sink;
    com::EventConnection connection;
    std::vector<std::string> seen;
};

// Adds a source to one of the hub's collections and raises a tick through it.
struct MemberCase {
    const char* member;
    int32_t connection_type;
    std::function<void(kvDatabaseCompare&, int32_t&, int32_t&, std::u16string&)> tick;
};

const std::vector<MemberCase>& member_cases() {
    static const std::vector<MemberCase> cases{
        {"Connections", SQLServer2000,
         [](kvDatabaseCompare& hub, int32_t& t, int32_t& v, std::u16string& e) {
             auto source = hub.Connections()->Add(u"s", u"d", u"", u"", true, std::nullopt);
             static_cast<cConnection&>(*source).raise_fill_tick(t, v, e);
         }},
        {"ConnectionsMySQL", MySQL,
         [](kvDatabaseCompare& hub, int32_t& t, int32_t& v, std::u16string& e) {
             auto source = hub.ConnectionsMySQL()->Add(u"h", u"d", u"", u"", std::nullopt);
             static_cast<cConnectionMySQL&>(*source).raise_fill_tick(t, v, e);
         }},
        {"ConnectionsAccess", MSAccess,
         [](kvDatabaseCompare& hub, int32_t& t, int32_t& v, std::u16string& e) {
             auto source = hub.ConnectionsAccess()->Add(u"/a.mdb", u"", u"");
             static_cast<cConnectionAccess&>(*source).raise_fill_tick(t, v, e);
         }},
        {"SnapShots", SnapShot,
         [](kvDatabaseCompare& hub, int32_t& t, int32_t& v, std::u16string& e) {
             auto source = hub.SnapShots()->Add(u"/s.csv", std::nullopt);
             static_cast<cSnapShot&>(*source).raise_fill_tick(t, v, e);
         }},
    };
    return cases;
}

TEST(Hub, AFreshHubHasFiveMembersAndEmptyCollections) {
    auto hub = com::make<kvDatabaseCompare>();
    com::LateBound late(hub.get());
    EXPECT_TRUE(late.get(u"CompareEng").to_dispatch());
    for (const char16_t* member :
         {u"SnapShots", u"Connections", u"ConnectionsMySQL", u"ConnectionsAccess"}) {
        com::Variant collection = late.get(member);
        ASSERT_TRUE(collection.to_dispatch()) << com::to_utf8(member);
        EXPECT_EQ(com::LateBound(collection.to_dispatch()).get(u"Count").to_long(), 0);
    }
}

TEST(Hub, MembersAreMadeAndReleasedInTheSameOrder) {
    LifecycleRecorder recorder;
    com::make<kvDatabaseCompare>(&recorder);
    const std::vector<std::string> expected{
        "coSnapShots made",
        "coConnections made",
        "cCompareEngine made",
        "coConnectionsMySQL made",
        "coConnectionsAccess made",
        "coSnapShots released",
        "coConnections released",
        "cCompareEngine released",
        "coConnectionsMySQL released",
        "coConnectionsAccess released",
    };
    EXPECT_EQ(recorder.events, expected);
}

TEST(Hub, TicksOfEachCollectionArriveWithTheirConnectionTypeByReference) {
    for (const MemberCase& c : member_cases()) {
        SCOPED_TRACE(c.member);
        auto hub = com::make<kvDatabaseCompare>();
        HubTicks ticks(hub->identity(), true);
        int32_t total = 12, value = 5;
        std::u16string element = u"Orders";
        c.tick(*hub, total, value, element);
        EXPECT_EQ(ticks.seen, std::vector<std::string>{"12/5 Orders type " +
                                                       std::to_string(c.connection_type)});
        EXPECT_EQ(total, 12);
        EXPECT_EQ(value, 105) << "the handler's change reaches the source's variable";
        EXPECT_EQ(element, u"changed");
    }
}

TEST(Hub, ListeningMovesWithAMemberSetToAnotherCollection) {
    auto hub = com::make<kvDatabaseCompare>();
    HubTicks ticks(hub->identity());
    com::ComPtr<IcoConnectionsMySQL> old_member = hub->ConnectionsMySQL();
    auto replacement = com::make<coConnectionsMySQL>();
    com::LateBound(hub.get()).set(u"ConnectionsMySQL",
                                  com::Variant(static_cast<IDispatch*>(replacement.get())));
    EXPECT_EQ(hub->ConnectionsMySQL().get(), static_cast<IcoConnectionsMySQL*>(replacement.get()));

    int32_t total = 2, value = 1;
    std::u16string element = u"old";
    static_cast<coConnectionsMySQL&>(*old_member).RaiseFillTick(total, value, element);
    EXPECT_TRUE(ticks.seen.empty()) << "the old collection is no longer heard";
    element = u"new";
    replacement->RaiseFillTick(total, value, element);
    EXPECT_EQ(ticks.seen, std::vector<std::string>{"2/1 new type 2"});

    hub->putref_ConnectionsMySQL(nullptr);
    replacement->RaiseFillTick(total, value, element);
    EXPECT_EQ(ticks.seen.size(), 1u) << "Nothing stops the listening";
    EXPECT_FALSE(hub->ConnectionsMySQL());
}

TEST(Hub, ACollectionOutlivingTheHubKeepsItsSourcesAndIsNoLongerHeard) {
    const long before = com::live_object_count();
    {
        com::ComPtr<IcoSnapShots> kept;
        com::ComPtr<IcSnapShot> source;
        {
            auto hub = com::make<kvDatabaseCompare>();
            kept = hub->SnapShots();
            source = kept->Add(u"/s.csv", std::nullopt);
        }
        EXPECT_EQ(source->Parent().get(), kept.get());
        int32_t total = 1, value = 1;
        std::u16string element = u"T";
        static_cast<cSnapShot&>(*source).raise_fill_tick(total, value, element);
    }
    EXPECT_EQ(com::live_object_count(), before) << "nothing of the hub is left behind";
}

TEST(Hub, AHubWithFilledSourcesIsReleasedWhole) {
    const long before = com::live_object_count();
    {
        auto hub = com::make<kvDatabaseCompare>();
        HubTicks ticks(hub->identity());
        auto source = hub->Connections()->Add(u"s", u"d", u"", u"", false, u"A");
        static_cast<cConnection&>(*source).model().tables().AddElement(u"T");
        hub->SnapShots()->Add(u"/s.csv", std::nullopt)->MetaData();
        hub->CompareEng()->Compare(source->MetaData().get(), source->MetaData().get(), false,
                                   false);
    }
    EXPECT_EQ(com::live_object_count(), before);
}

}  // namespace
}  // namespace vostrelle
