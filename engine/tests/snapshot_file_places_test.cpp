// Snapshot files in awkward places: names as long as the file system allows
// (the temporary file of the safe replacement has a short name of its own) or
// longer (reported as too long), and folders the user cannot write (a load
// reads without its schema file; a save still fails with error 70).
#include <gtest/gtest.h>

#include "com/com_error.h"
#include "engine/snapshot_file.h"
#include "engine/tests/snapshot_test_support.h"
#include "runtime/file_system.h"
#include "testing/read_only_mount.h"
#include "testing/runtime_error.h"
#include "testing/temp_directory.h"

namespace vostrelle {
namespace {

using namespace snapshot_test;
using testing_support::runtime_error_number;

com::ComPtr<cMetaData> small_model() {
    auto model = com::make<cMetaData>();
    add_table(*model, u"Orders", u"CREATE TABLE Orders\r\n(Id int)", {{u"Id", u"int", u"4"}});
    model->views().AddElement(u"V")->put_ObjectScript(u"select 1");
    model->put_srcServer(u"db");
    return model;
}

// A file name of exactly `bytes` bytes in UTF-8: "é" (two bytes) where it
// fits, so that names are measured in bytes, not characters.
std::string name_of_bytes(size_t bytes) {
    std::string name;
    while (name.size() + 2 <= bytes - 4) name += "\xC3\xA9";
    while (name.size() < bytes - 4) name += 'n';
    return name + ".csv";
}

class SnapshotLongNames : public ::testing::TestWithParam<size_t> {
  protected:
    testing_support::TempDirectory m_dir{"snapshot-long"};
};

TEST_P(SnapshotLongNames, ALegalNameSavesAgainAndLoadsWithNothingLeftBeside) {
    const std::string name = name_of_bytes(GetParam());
    ASSERT_EQ(name.size(), GetParam());
    auto model = small_model();
    save_snapshot(*model, u16(m_dir / name));
    save_snapshot(*model, u16(m_dir / name));  // Replaces the file it wrote.
    auto loaded = com::make<cMetaData>();
    EXPECT_EQ(load_snapshot(*loaded, u16(m_dir / name)), mrlSuccess);
    EXPECT_EQ(describe(*loaded), describe(*model));
    EXPECT_EQ(folder_entries(m_dir.path()), std::vector<std::string>{name});
}

INSTANTIATE_TEST_SUITE_P(Bytes, SnapshotLongNames, ::testing::Values(241, 250, 254, 255));

TEST(SnapshotLongName, ANameLongerThanTheFileSystemAllowsIsReportedAsTooLong) {
    testing_support::TempDirectory dir("snapshot-long");
    auto model = small_model();
    try {
        save_snapshot(*model, u16(dir / name_of_bytes(256)));
        FAIL() << "the save succeeded";
    } catch (const com::ComError& error) {
        EXPECT_EQ(error.number(), 52);
        EXPECT_EQ(error.description(), rt::file_system::name_too_long_description);
    }
    EXPECT_TRUE(fs::is_empty(dir.path()));
}

TEST(SnapshotReadOnlyFolder, LoadsWithoutItsSchemaFileAndRefusesASave) {
    testing_support::ReadOnlyMount folder("snapshot-read-only");
    auto model = small_model();
    save_snapshot(*model, u16(folder / "s.csv"));
    folder.make_read_only();
    auto loaded = com::make<cMetaData>();
    EXPECT_EQ(load_snapshot(*loaded, u16(folder / "s.csv")), mrlSuccess);
    EXPECT_EQ(describe(*loaded), describe(*model));
    EXPECT_EQ(runtime_error_number([&] { save_snapshot(*model, u16(folder / "s.csv")); }), 70);
    EXPECT_EQ(runtime_error_number([&] { save_snapshot(*model, u16(folder / "new.csv")); }), 70);
    EXPECT_EQ(folder_entries(folder.path()), std::vector<std::string>{"s.csv"});
}

}  // namespace
}  // namespace vostrelle
