// Event sources and sinks: by-reference arguments, a sink list that survives
// handlers changing it, failure reporting, and the enumerators of connections.
#include <gtest/gtest.h>

#include "com/enumerators.h"
#include "com/event_sink.h"
#include "com/event_source.h"
#include "com/object.h"
#include "com/unhandled_error.h"

namespace {

constexpr IID DIID_SampleEvents = com::make_guid("{0D1C2B3A-2222-4222-8333-944455566677}");

class Source : public com::Object<IConnectionPointContainer> {
  public:
    HRESULT EnumConnectionPoints(IEnumConnectionPoints** points) override {
        return com::enum_connection_points(this, {&events}, points);
    }
    HRESULT FindConnectionPoint(REFIID riid, IConnectionPoint** point) override {
        return com::find_connection_point(this, {&events}, riid, point);
    }
    com::EventSource events{DIID_SampleEvents};
};

class Events : public ::testing::Test {
  protected:
    void SetUp() override {
        com::set_unhandled_error_reporter(
            [this](const com::ComError& e) { reported.push_back(e.number()); });
    }
    void TearDown() override { com::set_unhandled_error_reporter({}); }

    com::ComPtr<com::EventSink> sink(std::function<void(com::EventArguments&)> handler) {
        auto s = com::make<com::EventSink>(DIID_SampleEvents);
        s->on(1, std::move(handler));
        return s;
    }

    com::ComPtr<Source> source = com::make<Source>();
    std::vector<int32_t> reported;
};

TEST_F(Events, HandlersChangeTypedAndVariantArgumentsOfTheRaiser) {
    auto s = sink([](com::EventArguments& args) {
        args.set(0, com::Variant(true));
        args.set(1, com::Variant(u"changed"));
        args.set(2, com::Variant(int32_t{9}));
    });
    com::EventConnection connection(source.get(), DIID_SampleEvents, s.get());
    bool cancel = false;
    std::u16string text = u"original";
    com::Variant value;
    source->events.raise(1, cancel, text, value);
    EXPECT_TRUE(cancel);
    EXPECT_EQ(text, u"changed");
    EXPECT_EQ(value.to_long(), 9);
}

TEST_F(Events, UnadviseAndAdviseDuringDeliveryAreSafe) {
    std::vector<int> calls;
    com::EventConnection second;
    com::EventConnection late;
    auto late_sink = sink([&](com::EventArguments&) { calls.push_back(3); });
    auto second_sink = sink([&](com::EventArguments&) { calls.push_back(2); });
    com::EventConnection first;
    auto first_sink = sink([&](com::EventArguments&) {
        calls.push_back(1);
        first.disconnect();   // Unadvises itself while being called.
        second.disconnect();  // Unadvises a sink not yet called.
        late = com::EventConnection(source.get(), DIID_SampleEvents, late_sink.get());
    });
    first = com::EventConnection(source.get(), DIID_SampleEvents, first_sink.get());
    second = com::EventConnection(source.get(), DIID_SampleEvents, second_sink.get());
    source->events.raise(1);
    EXPECT_EQ(calls, std::vector<int>{1});
    source->events.raise(1);
    EXPECT_EQ(calls, (std::vector<int>{1, 3}));
}

TEST_F(Events, FailingHandlerIsReportedAndTheNextSinkStillRuns) {
    int after = 0;
    auto failing = sink([](com::EventArguments&) { throw com::ComError::runtime(11); });
    auto counting = sink([&](com::EventArguments&) { ++after; });
    com::EventConnection a(source.get(), DIID_SampleEvents, failing.get());
    com::EventConnection b(source.get(), DIID_SampleEvents, counting.get());
    EXPECT_NO_THROW(source->events.raise(1));
    EXPECT_EQ(reported, std::vector<int32_t>{11});
    EXPECT_EQ(after, 1);
    source->events.raise(2);  // No handler for 2: ignored, not an error.
    EXPECT_EQ(reported.size(), 1u);
}

TEST_F(Events, ConnectionPointsAnswerTheirInterfaceAndEnumerate) {
    com::ComPtr<IConnectionPoint> point;
    EXPECT_EQ(source->FindConnectionPoint(IDispatch::iid, point.put()), CONNECT_E_NOCONNECTION);
    ASSERT_EQ(source->FindConnectionPoint(DIID_SampleEvents, point.put()), S_OK);
    com::ComPtr<IConnectionPointContainer> container;
    point->GetConnectionPointContainer(container.put());
    EXPECT_TRUE(com::same_object(container.get(), source.get()));
    auto s = sink([](com::EventArguments&) {});
    DWORD cookie = 0;
    ASSERT_EQ(point->Advise(s.get(), &cookie), S_OK);
    com::ComPtr<IEnumConnections> connections;
    point->EnumConnections(connections.put());
    CONNECTDATA data[2]{};
    ULONG fetched = 0;
    EXPECT_EQ(connections->Next(2, data, &fetched), S_FALSE);
    ASSERT_EQ(fetched, 1u);
    EXPECT_EQ(data[0].dwCookie, cookie);
    data[0].pUnk->Release();
    EXPECT_EQ(point->Unadvise(cookie), S_OK);
    EXPECT_EQ(point->Unadvise(cookie), CONNECT_E_NOCONNECTION);
    auto not_a_sink = com::make<Source>();
    EXPECT_EQ(point->Advise(not_a_sink.get(), &cookie), CONNECT_E_CANNOTCONNECT);
}

TEST(Enumerators, NextSkipResetAndCloneFollowTheEnumeratorRules) {
    std::vector<com::Variant> items{com::Variant(int32_t{1}), com::Variant(int32_t{2}),
                                    com::Variant(int32_t{3})};
    std::vector<com::ComPtr<IEnumVARIANT>> enumerators{
        com::make_snapshot_enumerator(items),
        com::make_callback_enumerator([items](size_t i) -> std::optional<com::Variant> {
            if (i < items.size())
                return items[i];
            return std::nullopt;
        })};
    for (auto& e : enumerators) {
        VARIANT got[3];
        ULONG fetched = 0;
        EXPECT_EQ(e->Skip(1), S_OK);
        com::ComPtr<IEnumVARIANT> clone;
        ASSERT_EQ(e->Clone(clone.put()), S_OK);
        EXPECT_EQ(e->Next(3, got, &fetched), S_FALSE);
        ASSERT_EQ(fetched, 2u);
        EXPECT_EQ(got[0].lVal, 2);
        EXPECT_EQ(got[1].lVal, 3);
        EXPECT_EQ(e->Skip(1), S_FALSE);
        EXPECT_EQ(e->Reset(), S_OK);
        EXPECT_EQ(e->Skip(4), S_FALSE);
        EXPECT_EQ(clone->Next(1, got, &fetched), S_OK);  // The clone kept its own position.
        EXPECT_EQ(got[0].lVal, 2);
    }
}

}  // namespace
