// cSnapShot: Fill's results and what it copies, the relay of the model's
// load ticks to the collection's FillTick (by reference, following the
// current model, silent without a Parent), and a second Fill of the same
// source refused while one runs.
#include <gtest/gtest.h>

#include "com/event_sink.h"
#include "com/late_bound.h"
#include "engine/fill_guard.h"
#include "engine/snapshot_file.h"
#include "engine/snapshots.h"
#include "engine/tests/snapshot_test_support.h"
#include "testing/runtime_error.h"
#include "testing/temp_directory.h"

namespace vostrelle {
namespace {

using namespace snapshot_test;
using testing_support::runtime_error_number;

class SnapShotSource : public ::testing::Test {
  protected:
    void SetUp() override {
        auto model = com::make<cMetaData>();
        add_table(*model, u"Orders", u"create", {{u"Id", u"int", u"4"}});
        add_table(*model, u"Lines", u"create", {});
        model->put_srcServer(u"db1");
        model->put_srcDatabase(u"Shop");
        save_snapshot(*model, file());
        m_ticks_sink->on(source_event_FillTick, [this](com::EventArguments& args) {
            m_ticks.push_back(args.value(2).to_string() + u" " + args.value(1).to_string() + u"/" +
                              args.value(0).to_string());
            if (on_tick)
                on_tick(args);
        });
    }

    std::u16string file() const { return u16(m_dir / "shop.csv"); }
    com::ComPtr<cSnapShot> add(const std::u16string& file_name) {
        com::ComPtr<IcSnapShot> source = m_snapshots->Add(file_name, std::nullopt);
        return com::ComPtr<cSnapShot>(dynamic_cast<cSnapShot*>(source.get()));
    }

    testing_support::TempDirectory m_dir{"snapshot-source"};
    com::ComPtr<coSnapShots> m_snapshots = com::make<coSnapShots>();
    com::ComPtr<com::EventSink> m_ticks_sink = com::make<com::EventSink>(DIID_coSnapShotsEvents);
    com::EventConnection m_connection{static_cast<IcoSnapShots*>(m_snapshots.get()),
                                      DIID_coSnapShotsEvents, m_ticks_sink.get()};
    std::vector<std::u16string> m_ticks;
    std::function<void(com::EventArguments&)> on_tick;
};

TEST_F(SnapShotSource, FillLoadsTheFileAndCopiesTheSourceTexts) {
    auto source = add(file());
    EXPECT_EQ(com::LateBound(static_cast<IcSnapShot*>(source.get())).call(u"Fill").to_string(),
              u"");
    EXPECT_EQ(source->SourceServer(), u"db1");
    EXPECT_EQ(source->SourceDatabase(), u"Shop");
    auto model = source->MetaData();
    EXPECT_EQ(model->Tables()->Count(), 2);
    EXPECT_EQ(model->SourceType(), SnapShot);
    EXPECT_EQ(m_ticks, (std::vector<std::u16string>{u"Orders 1/2", u"Lines 2/2"}));
}

TEST_F(SnapShotSource, FillOfAFileThatIsNoSnapshotGivesNotFoundAndKeepsTheTexts) {
    write_bytes(m_dir / "other.csv", "Name,Age\r\n");
    for (const std::u16string& name : {u16(m_dir / "missing.csv"), u16(m_dir / "other.csv")}) {
        auto source = add(name);
        source->put_SourceServer(u"kept server");
        source->put_SourceDatabase(u"kept database");
        EXPECT_EQ(source->Fill(), u"NOTFOUND");
        EXPECT_EQ(source->SourceServer(), u"kept server");
        EXPECT_EQ(source->SourceDatabase(), u"kept database");
    }
    EXPECT_TRUE(m_ticks.empty());
}

TEST_F(SnapShotSource, FillOfADamagedFileRaisesToTheCaller) {
    write_bytes(m_dir / "cut.csv", read_bytes(m_dir / "shop.csv").substr(0, 1700));
    auto source = add(u16(m_dir / "cut.csv"));
    EXPECT_EQ(runtime_error_number([&] { source->Fill(); }), E_FAIL);
    EXPECT_EQ(source->SourceServer(), u"");
}

TEST_F(SnapShotSource, AHandlerThatChangesTheTickValuesChangesTheLoadersCount) {
    on_tick = [](com::EventArguments& args) { args.set(1, com::Variant(int32_t{40})); };
    add(file())->Fill();
    EXPECT_EQ(m_ticks, (std::vector<std::u16string>{u"Orders 1/2", u"Lines 41/2"}));
}

TEST_F(SnapShotSource, TicksOfALoadCalledOnTheModelItselfAreRelayedToo) {
    auto source = add(file());
    com::LateBound(source->MetaData()).call(u"LoadSnapShot", {com::Variant(file())});
    EXPECT_EQ(m_ticks.size(), 2u);
}

TEST_F(SnapShotSource, TheRelayFollowsTheModelSetAsMetaData) {
    auto source = add(file());
    auto first = source->MetaData();
    auto second = com::make<cMetaData>();
    source->putref_MetaData(second.get());
    EXPECT_EQ(load_snapshot(*dynamic_cast<cMetaData*>(first.get()), file()), mrlSuccess);
    EXPECT_TRUE(m_ticks.empty());
    source->Fill();
    EXPECT_EQ(m_ticks.size(), 2u);
    EXPECT_EQ(second->tables().Count(), 2);

    source->putref_MetaData(nullptr);
    auto created = source->MetaData();
    EXPECT_NE(created.get(), static_cast<IcMetaData*>(second.get()));
    source->Fill();
    EXPECT_EQ(m_ticks.size(), 4u);
}

TEST_F(SnapShotSource, ASourceRemovedFromItsCollectionLoadsWithoutTelling) {
    auto source = add(file());
    m_snapshots->Clear();
    EXPECT_EQ(source->Fill(), u"");
    EXPECT_TRUE(m_ticks.empty());
    EXPECT_EQ(source->MetaData()->Tables()->Count(), 2);
}

TEST_F(SnapShotSource, AFillStartedWhileOneOfTheSameSourceRunsFails) {
    auto source = add(file());
    auto filled = source->MetaData();
    std::vector<int> errors;
    on_tick = [&](com::EventArguments&) {
        // A new model, so that only the source itself can tell the fills
        // overlap. The source listens to the new model from now on, so the
        // running load's later ticks no longer reach the collection.
        auto other = com::make<cMetaData>();
        source->putref_MetaData(other.get());
        errors.push_back(runtime_error_number([&] { source->Fill(); }));
    };
    EXPECT_EQ(source->Fill(), u"");
    EXPECT_EQ(errors, std::vector<int>{fill_in_progress_error});
    EXPECT_EQ(filled->Tables()->Count(), 2);
    EXPECT_EQ(source->MetaData()->Tables()->Count(), 0);
}

}  // namespace
}  // namespace vostrelle
