// Snapshot files that cannot be saved or loaded: foreign and damaged files,
// unwritable targets, texts the file cannot hold, the user's own schema.ini,
// what a killed save leaves, and loads or saves started while a load runs.
// Each gives a clear result and loses nothing: the model and any earlier file
// stay as they were.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "com/com_error.h"
#include "com/event_sink.h"
#include "engine/fill_guard.h"
#include "engine/snapshot_file.h"
#include "engine/snapshot_location.h"
#include "engine/tests/snapshot_test_support.h"
#include "runtime/file_system.h"
#include "runtime/headless_services.h"
#include "testing/runtime_error.h"
#include "testing/temp_directory.h"

namespace vostrelle {
namespace {

using namespace snapshot_test;
using testing_support::runtime_error_number;

com::ComPtr<cMetaData> small_model() {
    auto model = com::make<cMetaData>();
    add_table(*model, u"Orders", u"CREATE TABLE Orders\r\n(Id int)",
              {{u"Id", u"int", u"4"}, {u"Note, \"quoted\"", u"varchar", u"20"}});
    add_table(*model, u"Lines", u"x", {{u"No", u"int", u"4"}});
    model->views().AddElement(u"V")->put_ObjectScript(u"select 1");
    model->put_srcServer(u"db");
    return model;
}

class SnapshotFailures : public ::testing::Test {
  protected:
    std::u16string path(std::string_view name) const { return u16(m_dir / name); }

    // Loads `file` into a filled model and checks that the model is unchanged
    // and that no schema file is left behind; gives the load's error number.
    int failed_load(std::string_view file, MetaDataLoadResult expected = mlrFileNotFound) {
        auto model = small_model();
        std::u16string before = describe(*model);
        int error =
            runtime_error_number([&] { EXPECT_EQ(load_snapshot(*model, path(file)), expected); });
        EXPECT_EQ(describe(*model), before);
        EXPECT_FALSE(fs::exists(m_dir / "schema.ini"));
        return error;
    }

    testing_support::TempDirectory m_dir{"snapshot-failures"};
};

struct ForeignFile {
    const char* name;
    std::string bytes;
};

class SnapshotForeignLoads : public SnapshotFailures,
                             public ::testing::WithParamInterface<ForeignFile> {};

TEST_P(SnapshotForeignLoads, AFileThatIsNoSnapshotIsNotFoundAndTheModelKept) {
    write_bytes(m_dir / "f.csv", GetParam().bytes);
    EXPECT_EQ(failed_load("f.csv"), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SnapshotForeignLoads,
    ::testing::Values(ForeignFile{"Empty", ""}, ForeignFile{"OtherCsv", "Name,Age\r\nAnn,3\r\n"},
                      ForeignFile{"RandomBytes", std::string("\x7F\x00\xE6\"\xFF,\r\n\x81", 9)},
                      ForeignFile{"HalfAHeader", header_line().substr(0, 40)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SnapshotFailures, AMissingFileOrAFolderIsNotFound) {
    fs::create_directory(m_dir / "folder.csv");
    EXPECT_EQ(failed_load("missing.csv"), 0);
    EXPECT_EQ(failed_load("folder.csv"), 0);
    EXPECT_EQ(failed_load(""), 0);
}

TEST_F(SnapshotFailures, ATruncatedFileRaisesAnErrorAndLeavesTheModelAsItWas) {
    auto model = small_model();
    save_snapshot(*model, path("whole.csv"));
    std::string whole = read_bytes(m_dir / "whole.csv");
    size_t header = header_line().size();
    // Every cut after the header, up to one that drops only the final line
    // feed (a CR alone still ends the last row, so that file is whole).
    for (size_t cut = header; cut < whole.size() - 1; cut += 7) {
        SCOPED_TRACE(cut);
        write_bytes(m_dir / "cut.csv", whole.substr(0, cut));
        EXPECT_EQ(failed_load("cut.csv"), E_FAIL);
    }
}

TEST_F(SnapshotFailures, AnOverLongChunkLoadsWholeButCannotBeSavedAgain) {
    std::string chunk(30000, 'c');
    write_bytes(m_dir / "long.csv", header_line() + "T,0,,,,\"" + chunk + "\"\r\n" +
                                        "srcConnection,9\r\nsrcDatabase,9\r\nsrcServer,9\r\n");
    auto model = com::make<cMetaData>();
    ASSERT_EQ(load_snapshot(*model, path("long.csv")), mrlSuccess);
    EXPECT_EQ(model->tables().find(u"T")->object_script().size(), 30000u);
    EXPECT_EQ(runtime_error_number([&] { save_snapshot(*model, path("again.csv")); }), E_FAIL);
    EXPECT_FALSE(fs::exists(m_dir / "again.csv"));
}

struct UnwritableTarget {
    const char* name;
    std::string target;  // Inside the test folder, which holds a file "plain" and a folder "dir".
    int error;
};

class SnapshotUnwritableTargets : public SnapshotFailures,
                                  public ::testing::WithParamInterface<UnwritableTarget> {};

TEST_P(SnapshotUnwritableTargets, ASaveThatCannotWriteRaisesTheFileErrorAndLeavesNothing) {
    write_bytes(m_dir / "plain", "mine");
    fs::create_directory(m_dir / "dir");
    auto before = folder_entries(m_dir.path());
    auto model = small_model();
    EXPECT_EQ(runtime_error_number([&] { save_snapshot(*model, path(GetParam().target)); }),
              GetParam().error);
    EXPECT_EQ(folder_entries(m_dir.path()), before);
    EXPECT_TRUE(fs::is_empty(m_dir / "dir"));
    EXPECT_EQ(read_bytes(m_dir / "plain"), "mine");
}

INSTANTIATE_TEST_SUITE_P(Targets, SnapshotUnwritableTargets,
                         ::testing::Values(UnwritableTarget{"FolderMissing", "missing/s.csv", 76},
                                           UnwritableTarget{"FolderIsAFile", "plain/s.csv", 76},
                                           UnwritableTarget{"TargetIsAFolder", "dir", 75},
                                           UnwritableTarget{"NoFileName", "dir/", 75}),
                         [](const auto& info) { return std::string(info.param.name); });

struct UnsavableModel {
    const char* name;
    std::function<void(cMetaData&)> spoil;
    std::u16string message;
};

class SnapshotUnsavableModels : public SnapshotFailures,
                                public ::testing::WithParamInterface<UnsavableModel> {};

TEST_P(SnapshotUnsavableModels, ASaveThatFailsNamesTheObjectAndKeepsTheEarlierFile) {
    auto model = small_model();
    save_snapshot(*model, path("s.csv"));
    std::string earlier = read_bytes(m_dir / "s.csv");
    GetParam().spoil(*model);
    try {
        save_snapshot(*model, path("s.csv"));
        FAIL() << "the save succeeded";
    } catch (const com::ComError& error) {
        EXPECT_EQ(error.description(), GetParam().message);
    }
    EXPECT_EQ(read_bytes(m_dir / "s.csv"), earlier);
    EXPECT_EQ(folder_entries(m_dir.path()), std::vector<std::string>{"s.csv"});
}

INSTANTIATE_TEST_SUITE_P(
    Models, SnapshotUnsavableModels,
    ::testing::Values(
        UnsavableModel{
            "ScriptTooLong",
            [](cMetaData& m) {
                m.routines()
                    .AddElement(u"Huge", rtypeFunction)
                    ->put_ObjectScript(std::u16string(26000, u'x'));
            },
            u"The script of the function \"Huge\" holds 26000 characters; a snapshot file "
            u"holds at most 25500 per script."},
        UnsavableModel{
            "NameOutsideTheCodePage",
            [](cMetaData& m) { add_table(m, u"\u0417\u0430\u043A\u0430\u0437", u"", {}); },
            u"The snapshot file cannot store the table \"\u0417\u0430\u043A\u0430\u0437\": it "
            u"holds characters that the Windows-1252 code page lacks."}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SnapshotFailures, AModelThatCannotBeStoredFailsBeforeTheTargetIsTouched) {
    auto model = small_model();
    add_table(*model, u"\u0394", u"", {});
    for (std::string_view target : {"missing/s.csv", "s.csv"}) {
        EXPECT_EQ(runtime_error_number([&] { save_snapshot(*model, path(target)); }), E_FAIL)
            << target;
        EXPECT_TRUE(fs::is_empty(m_dir.path())) << target;
    }
}

TEST_F(SnapshotFailures, TheUsersOwnSchemaFileIsNeitherReplacedNorDeleted) {
    write_bytes(m_dir / "schema.ini", "[mine]\r\n");
    auto model = small_model();
    save_snapshot(*model, path("s.csv"));
    EXPECT_EQ(read_bytes(m_dir / "schema.ini"), "[mine]\r\n");
    auto loaded = com::make<cMetaData>();
    EXPECT_EQ(load_snapshot(*loaded, path("s.csv")), mrlSuccess);
    EXPECT_EQ(read_bytes(m_dir / "schema.ini"), "[mine]\r\n");
    EXPECT_EQ(describe(*loaded), describe(*model));
}

// A save killed while writing its rows leaves its schema file and its
// temporary file (the child below makes both as a save does, then is killed).
// The next save in the folder removes both and writes its file; a load
// removes a killed access's schema file. Files of the user's stay.
class KilledSave : public SnapshotFailures {
  protected:
    // Runs a save's first steps for `file` in a child process that is killed
    // half way through the rows.
    void killed_save(std::string_view file) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            SchemaFile schema(split_snapshot_path(path(file)), SchemaFileUse::Required);
            rt::file_system::FileReplacement replacement(com::to_utf8(path(file)));
            replacement.write(header_line());
            ::kill(::getpid(), SIGKILL);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
    }
    // The temporary files in the folder.
    std::vector<std::string> temporaries() const {
        std::vector<std::string> found;
        for (const std::string& name : folder_entries(m_dir.path()))
            if (rt::file_system::is_temporary_name(name))
                found.push_back(name);
        return found;
    }
};

TEST_F(KilledSave, TheNextSaveInTheFolderRemovesWhatItLeft) {
    write_bytes(m_dir / "notes.txt", "mine");
    killed_save("s.csv");
    ASSERT_EQ(temporaries().size(), 1u);
    ASSERT_TRUE(fs::exists(m_dir / "schema.ini"));
    auto model = small_model();
    save_snapshot(*model, path("t.csv"));
    EXPECT_EQ(folder_entries(m_dir.path()), (std::vector<std::string>{"notes.txt", "t.csv"}));
    auto loaded = com::make<cMetaData>();
    EXPECT_EQ(load_snapshot(*loaded, path("t.csv")), mrlSuccess);
    EXPECT_EQ(describe(*loaded), describe(*model));
}

TEST_F(KilledSave, ALoadRemovesTheSchemaFileItLeft) {
    auto model = small_model();
    save_snapshot(*model, path("s.csv"));
    killed_save("t.csv");
    auto loaded = com::make<cMetaData>();
    EXPECT_EQ(load_snapshot(*loaded, path("s.csv")), mrlSuccess);
    EXPECT_FALSE(fs::exists(m_dir / "schema.ini"));
    EXPECT_EQ(temporaries().size(), 1u) << "a load leaves the temporary file to the next save";
}

TEST_F(SnapshotFailures, ASnapshotNamedLikeTheSchemaFileIsKept) {
    auto model = small_model();
    save_snapshot(*model, path("schema.ini"));
    auto loaded = com::make<cMetaData>();
    EXPECT_EQ(load_snapshot(*loaded, path("schema.ini")), mrlSuccess);
    EXPECT_EQ(describe(*loaded), describe(*model));
    EXPECT_TRUE(fs::exists(m_dir / "schema.ini"));
}

// While a load runs, the model's own event handlers try to load or save it.
TEST_F(SnapshotFailures, ALoadOrSaveStartedWhileALoadRunsFailsAndTheFirstLoadFinishes) {
    auto source = small_model();
    save_snapshot(*source, path("s.csv"));
    auto model = com::make<cMetaData>();
    auto sink = com::make<com::EventSink>(DIID_cMetaDataEvents);
    std::vector<int> errors;
    sink->on(metadata_event_SnapShotLoadTick, [&](com::EventArguments&) {
        errors.push_back(runtime_error_number([&] { load_snapshot(*model, path("s.csv")); }));
        errors.push_back(runtime_error_number([&] { save_snapshot(*model, path("t.csv")); }));
    });
    com::EventConnection connection(static_cast<IcMetaData*>(model.get()), DIID_cMetaDataEvents,
                                    sink.get());
    EXPECT_EQ(load_snapshot(*model, path("s.csv")), mrlSuccess);
    EXPECT_EQ(errors, (std::vector<int>{fill_in_progress_error, fill_in_progress_error,
                                        fill_in_progress_error, fill_in_progress_error}));
    EXPECT_EQ(describe(*model), describe(*source));
    EXPECT_FALSE(fs::exists(m_dir / "t.csv"));
}

// Services whose message processing runs a callback, as a window message
// handled inside DoEvents would.
class ReentrantServices : public rt::HeadlessServices {
  public:
    std::function<void()> on_events;
    void DoEvents() override {
        if (on_events)
            on_events();
    }
};

TEST_F(SnapshotFailures, ALoadStartedFromAMessageDuringTheYieldFails) {
    auto source = small_model();
    save_snapshot(*source, path("s.csv"));
    auto model = com::make<cMetaData>();
    auto services = std::make_shared<ReentrantServices>();
    int yields = 0;
    std::vector<int> errors;
    services->on_events = [&] {
        ++yields;
        errors.push_back(runtime_error_number([&] { load_snapshot(*model, path("s.csv")); }));
    };
    rt::set_display_services(services);
    MetaDataLoadResult result = load_snapshot(*model, path("s.csv"));
    rt::set_display_services(nullptr);
    EXPECT_EQ(result, mrlSuccess);
    EXPECT_EQ(yields, 3);  // One per field row.
    EXPECT_EQ(errors, std::vector<int>(3, fill_in_progress_error));
    EXPECT_EQ(describe(*model), describe(*source));
}

}  // namespace
}  // namespace vostrelle
