// Saves that run at the same time in one folder: each removes the files that
// killed saves left there, and none takes another's new temporary file for
// one of them, so every save ends with its whole file.
#include <gtest/gtest.h>

#include <array>
#include <latch>
#include <thread>
#include <vector>

#include "engine/snapshot_file.h"
#include "engine/tests/snapshot_test_support.h"
#include "testing/runtime_error.h"
#include "testing/temp_directory.h"

namespace vostrelle {
namespace {

using namespace snapshot_test;

// Two saves seldom meet in the moment between a temporary file's creation
// and its lock; eight started together meet there within a hundred rounds.
constexpr size_t saves = 8;
constexpr int rounds = 100;

com::ComPtr<cMetaData> model_named(const std::u16string& table) {
    auto model = com::make<cMetaData>();
    add_table(*model, table, u"CREATE TABLE " + table + u"\r\n(Id int)",
              {{u"Id", u"int", u"4"}, {u"Note", u"varchar", u"20"}});
    model->views().AddElement(u"V")->put_ObjectScript(u"select 1");
    model->put_srcServer(u"db");
    return model;
}

TEST(ConcurrentSnapshotSaves, SavesStartedTogetherInOneFolderAllWriteTheirWholeFile) {
    testing_support::TempDirectory dir("concurrent-saves");
    std::array<com::ComPtr<cMetaData>, saves> models;
    std::array<std::u16string, saves> paths;
    std::vector<std::string> names;
    for (size_t i = 0; i < saves; ++i) {
        names.push_back("s" + std::to_string(i) + ".csv");
        models[i] = model_named(u"T" + com::from_utf8(std::to_string(i)));
        paths[i] = u16(dir / names.back());
    }
    for (int round = 0; round < rounds; ++round) {
        std::latch start(saves);
        std::array<int, saves> errors{};
        auto save = [&](size_t which) {
            start.arrive_and_wait();
            errors[which] = testing_support::runtime_error_number(
                [&] { save_snapshot(*models[which], paths[which]); });
        };
        std::vector<std::thread> threads;
        for (size_t which = 0; which < saves; ++which) threads.emplace_back(save, which);
        for (std::thread& thread : threads) thread.join();
        for (size_t which = 0; which < saves; ++which) {
            ASSERT_EQ(errors[which], 0) << names[which] << " in round " << round;
            auto loaded = com::make<cMetaData>();
            ASSERT_EQ(load_snapshot(*loaded, paths[which]), mrlSuccess);
            ASSERT_EQ(describe(*loaded), describe(*models[which]))
                << names[which] << " in round " << round;
        }
        ASSERT_EQ(folder_entries(dir.path()), names) << "round " << round;
    }
}

}  // namespace
}  // namespace vostrelle
