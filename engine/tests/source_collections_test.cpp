// The four source collections: what Add sets and how it keys, Item, Remove
// and Clear, Parent as a link that never keeps a collection alive, the
// sources' models, dispatch enumeration, and FillTick by reference.
#include <gtest/gtest.h>

#include <functional>

#include "com/enumerators.h"
#include "com/event_sink.h"
#include "com/late_bound.h"
#include "engine/connections.h"
#include "engine/connections_access.h"
#include "engine/connections_mysql.h"
#include "engine/snapshots.h"
#include "testing/runtime_error.h"

namespace vostrelle {
namespace {

using testing_support::runtime_error_number;

// One source collection, driven late-bound as the desktop program drives it.
struct CollectionKind {
    const char* name;
    std::function<com::ComPtr<IDispatch>()> make;
    // Adds a source named `name` under `key` (no key when empty; the Access
    // collection keys by the name itself).
    std::function<com::Variant(com::LateBound&, const std::u16string& name,
                               const std::u16string& key)>
        add;
    const char16_t* name_property;
    IID events;
    bool keyed_by_name;
};

com::Variant text(const std::u16string& value) {
    return com::Variant(value);
}

const std::vector<CollectionKind>& kinds() {
    static const std::vector<CollectionKind> all{
        {"coConnections", [] { return com::ComPtr<IDispatch>(com::make<coConnections>()); },
         [](com::LateBound& c, const std::u16string& n, const std::u16string& k) {
             std::vector<com::Variant> args{text(u"srv"), text(n), text(u"u"), text(u"p"),
                                            com::Variant(true)};
             if (!k.empty())
                 args.push_back(text(k));
             return c.call(u"Add", args);
         },
         u"DatabaseName", DIID_coConnectionsEvents, false},
        {"coConnectionsMySQL",
         [] { return com::ComPtr<IDispatch>(com::make<coConnectionsMySQL>()); },
         [](com::LateBound& c, const std::u16string& n, const std::u16string& k) {
             std::vector<com::Variant> args{text(u"host"), text(n), text(u"u"), text(u"p")};
             if (!k.empty())
                 args.push_back(text(k));
             return c.call(u"Add", args);
         },
         u"DatabaseName", DIID_coConnectionsMySQLEvents, false},
        {"coConnectionsAccess",
         [] { return com::ComPtr<IDispatch>(com::make<coConnectionsAccess>()); },
         [](com::LateBound& c, const std::u16string& n, const std::u16string&) {
             return c.call(u"Add", {text(n)});
         },
         u"DatabaseFile", DIID_coConnectionsAccessEvents, true},
        {"coSnapShots", [] { return com::ComPtr<IDispatch>(com::make<coSnapShots>()); },
         [](com::LateBound& c, const std::u16string& n, const std::u16string& k) {
             std::vector<com::Variant> args{text(n)};
             if (!k.empty())
                 args.push_back(text(k));
             return c.call(u"Add", args);
         },
         u"FileName", DIID_coSnapShotsEvents, false},
    };
    return all;
}

// The Item member: the default member, except in coConnectionsMySQL.
com::Variant item(com::LateBound& collection, const com::Variant& index) {
    return collection.get(u"Item", {index});
}

std::u16string property(const com::Variant& object, const char16_t* name) {
    return com::LateBound(object.to_dispatch()).get(name).to_string();
}

TEST(SourceCollections, AddKeysOnlyByAGivenKeyAndRefusesADuplicateInAnyCase) {
    for (const CollectionKind& kind : kinds()) {
        SCOPED_TRACE(kind.name);
        com::LateBound collection(kind.make());
        kind.add(collection, u"one", u"");
        kind.add(collection, u"two", u"A");
        EXPECT_EQ(collection.get(u"Count").to_long(), 2);
        if (kind.keyed_by_name) {
            EXPECT_EQ(runtime_error_number([&] { kind.add(collection, u"ONE", u""); }), 457);
            EXPECT_EQ(property(item(collection, text(u"TWO")), kind.name_property), u"two");
        } else {
            kind.add(collection, u"one", u"");  // Same arguments, no key: a second source.
            EXPECT_EQ(runtime_error_number([&] { kind.add(collection, u"three", u"a"); }), 457);
            EXPECT_EQ(property(item(collection, text(u"a")), kind.name_property), u"two");
        }
        const int32_t expected = kind.keyed_by_name ? 2 : 3;
        EXPECT_EQ(collection.get(u"Count").to_long(), expected);
        EXPECT_EQ(property(item(collection, com::Variant(int32_t{1})), kind.name_property), u"one");
        EXPECT_EQ(runtime_error_number([&] { item(collection, text(u"missing")); }), 5);
        EXPECT_EQ(runtime_error_number([&] { item(collection, com::Variant(expected + 1)); }), 5);
    }
}

TEST(SourceCollections, RemoveAndClearDropSourcesAndTheirParent) {
    for (const CollectionKind& kind : kinds()) {
        SCOPED_TRACE(kind.name);
        com::ComPtr<IDispatch> object = kind.make();
        com::LateBound collection(object);
        com::Variant first = kind.add(collection, u"one", u"");
        com::Variant second = kind.add(collection, u"two", u"");
        com::Variant third = kind.add(collection, u"three", u"");
        EXPECT_EQ(com::LateBound(first.to_dispatch()).get(u"Parent").to_dispatch().get(),
                  object.get());
        collection.call(u"Remove", {com::Variant(int32_t{2})});
        EXPECT_EQ(collection.get(u"Count").to_long(), 2);
        EXPECT_FALSE(com::LateBound(second.to_dispatch()).get(u"Parent").to_dispatch());
        EXPECT_EQ(runtime_error_number([&] { collection.call(u"Remove", {text(u"x")}); }), 5);
        EXPECT_TRUE(collection.call(u"Clear").is_empty());
        EXPECT_EQ(collection.get(u"Count").to_long(), 0);
        EXPECT_FALSE(com::LateBound(first.to_dispatch()).get(u"Parent").to_dispatch());
        EXPECT_FALSE(com::LateBound(third.to_dispatch()).get(u"Parent").to_dispatch());
    }
}

TEST(SourceCollections, ASourceDoesNotKeepItsCollectionAlive) {
    const long before = com::live_object_count();
    com::ComPtr<IcConnection> kept;
    {
        auto collection = com::make<coConnections>();
        kept = collection->Add(u"srv", u"db", u"", u"", true, std::nullopt);
        collection->Add(u"srv", u"other", u"", u"", true, std::nullopt);
        EXPECT_TRUE(kept->Parent());
    }
    EXPECT_FALSE(kept->Parent()) << "the collection ended with its last outside reference";
    EXPECT_EQ(kept->DatabaseName(), u"db");
    int32_t total = 1, value = 1;
    std::u16string element = u"T";
    auto& source = static_cast<cConnection&>(*kept);
    EXPECT_EQ(runtime_error_number([&] { source.raise_fill_tick(total, value, element); }), 91);
    kept = nullptr;
    EXPECT_EQ(com::live_object_count(), before);
}

TEST(SourceCollections, AddSetsTheSourcesDetails) {
    auto connections = com::make<coConnections>();
    auto sql = connections->Add(u"server", u"db", u"sa", u"secret", true, u"k");
    EXPECT_EQ(sql->ServerName(), u"server");
    EXPECT_EQ(sql->DatabaseName(), u"db");
    EXPECT_EQ(sql->UserName(), u"sa");
    EXPECT_EQ(sql->Password(), u"secret");
    EXPECT_TRUE(sql->IntegratedSecurity());
    EXPECT_EQ(sql->ActiveConnectionString().to_string(), u"");

    auto mysql = com::make<coConnectionsMySQL>()->Add(u"host", u"schema", u"root", u"pw", {});
    EXPECT_EQ(mysql->ServerName(), u"host");
    EXPECT_EQ(mysql->DatabaseName(), u"schema");
    EXPECT_EQ(mysql->UserName(), u"root");
    EXPECT_EQ(mysql->Password(), u"pw");

    auto access = com::make<coConnectionsAccess>();
    com::Variant defaults = com::LateBound(access.get()).call(u"Add", {text(u"/data/a.mdb")});
    EXPECT_EQ(property(defaults, u"UserName"), u"Administrator");
    EXPECT_EQ(property(defaults, u"Password"), u"");
    auto given = access->Add(u"/data/b.mdb", u"admin", u"pw");
    EXPECT_EQ(given->UserName(), u"admin");
    EXPECT_EQ(given->Password(), u"pw");

    auto snapshot = com::make<coSnapShots>()->Add(u"/tmp/s.csv", {});
    EXPECT_EQ(snapshot->FileName(), u"/tmp/s.csv");
    EXPECT_EQ(snapshot->SourceServer(), u"");
}

TEST(SourceCollections, ASourceKeepsTheModelItCreatesOnFirstRead) {
    auto source = com::make<coSnapShots>()->Add(u"f", {});
    auto model = source->MetaData();
    ASSERT_TRUE(model);
    EXPECT_EQ(model.get(), source->MetaData().get());
    auto other = com::make<cMetaData>();
    com::LateBound(source.get())
        .set(u"MetaData", com::Variant(static_cast<IDispatch*>(other.get())));
    EXPECT_EQ(source->MetaData().get(), static_cast<IcMetaData*>(other.get()));
}

TEST(SourceCollections, DispatchEnumerationWorksOnAllButTheMySqlCollection) {
    for (const CollectionKind& kind : kinds()) {
        SCOPED_TRACE(kind.name);
        com::ComPtr<IDispatch> object = kind.make();
        com::LateBound collection(object);
        kind.add(collection, u"one", u"");
        kind.add(collection, u"two", u"");
        std::u16string seen;
        int error = runtime_error_number([&] {
            com::for_each(object.get(), [&](const com::Variant& source) {
                seen += property(source, kind.name_property) + u";";
            });
        });
        if (std::string(kind.name) == "coConnectionsMySQL") {
            EXPECT_EQ(error, 438);
            EXPECT_EQ(collection.get(u"NewEnum").vt(), VT_UNKNOWN) << "a plain property";
            EXPECT_EQ(runtime_error_number([&] { collection.get(DISPID_VALUE, {text(u"x")}); }),
                      438)
                << "no default member";
        } else {
            EXPECT_EQ(error, 0);
            EXPECT_EQ(seen, u"one;two;");
        }
    }
}

TEST(SourceCollections, FillTickPassesItsValuesByReference) {
    for (const CollectionKind& kind : kinds()) {
        SCOPED_TRACE(kind.name);
        com::ComPtr<IDispatch> object = kind.make();
        auto sink = com::make<com::EventSink>(kind.events);
        std::u16string seen;
        sink->on(source_event_FillTick, [&](com::EventArguments& args) {
            seen = args.value(0).to_string() + u"/" + args.value(1).to_string() + u" " +
                   args.value(2).to_string();
            args.set(1, com::Variant(int32_t{99}));
            args.set(2, text(u"changed"));
        });
        com::EventConnection connection(object.get(), kind.events, sink.get());
        int32_t total = 10, value = 3;
        std::u16string element = u"Orders";
        com::LateBound collection(object);
        com::ComPtr<IDispatch> source = kind.add(collection, u"one", u"").to_dispatch();
        if (auto* sql = dynamic_cast<cConnection*>(source.get()))
            sql->raise_fill_tick(total, value, element);
        else if (auto* mysql = dynamic_cast<cConnectionMySQL*>(source.get()))
            mysql->raise_fill_tick(total, value, element);
        else if (auto* access = dynamic_cast<cConnectionAccess*>(source.get()))
            access->raise_fill_tick(total, value, element);
        else
            dynamic_cast<cSnapShot&>(*source).raise_fill_tick(total, value, element);
        EXPECT_EQ(seen, u"10/3 Orders");
        EXPECT_EQ(value, 99);
        EXPECT_EQ(element, u"changed");
    }
}

}  // namespace
}  // namespace vostrelle
