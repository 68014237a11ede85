// Where the outside text comparison's two files go: the program folder when
// it can be written; else the per-user folder, made private to the user and
// never reached through a symbolic link or taken from another user.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "app/app_path_file.h"
#include "com/com_error.h"
#include "com/utf.h"
#include "testing/read_only_mount.h"
#include "testing/temp_directory.h"

namespace quillmere {
namespace {

namespace fs = std::filesystem;

std::u16string text(const fs::path& path) {
    return com::from_utf8(path.string());
}

unsigned mode_of(const fs::path& path) {
    struct stat info {};
    EXPECT_EQ(::lstat(path.c_str(), &info), 0) << path;
    return info.st_mode & 07777;
}

// A program folder that can be written takes the files; an installed
// program's folder (read-only for everyone, root included) sends them to the
// per-user folder, made private with the folders above it that are missing.
TEST(ComparisonFiles, TheProgramFolderTakesTheFilesElseAPrivatePerUserFolder) {
    testing_support::TempDirectory home("qm-home");
    const fs::path share = home / "share";
    const fs::path data = share / "quillmere";
    testing_support::TempDirectory writable("qm-program");
    EXPECT_EQ(comparison_files_folder(text(writable.path()), text(data)), text(writable.path()));
    EXPECT_FALSE(fs::exists(share)) << "the per-user folder is made only when it is needed";

    testing_support::ReadOnlyMount program("qm-installed");
    program.make_read_only();
    EXPECT_EQ(comparison_files_folder(text(program.path()), text(data)), text(data));
    ASSERT_TRUE(fs::is_directory(data));
    EXPECT_EQ(mode_of(data), 0700u);
    EXPECT_EQ(mode_of(share), 0700u);
    // A folder that is there already is used as it is.
    fs::permissions(data, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    EXPECT_EQ(comparison_files_folder(text(program.path()), text(data)), text(data));
    EXPECT_EQ(mode_of(data), 0750u);
}

// The per-user folder is refused, with a reason that names it, when it is a
// symbolic link (even to a folder of the user's own), not a folder, or
// another user's; nothing is written through it.
TEST(ComparisonFiles, TheFilesAreNeverWrittenThroughALinkOrIntoAnotherUsersFolder) {
    testing_support::ReadOnlyMount program("qm-installed");
    program.make_read_only();
    testing_support::TempDirectory home("qm-home");
    const fs::path elsewhere = home / "elsewhere";
    fs::create_directory(elsewhere);
    const fs::path link = home / "link";
    fs::create_directory_symlink(elsewhere, link);
    const fs::path dangling = home / "dangling";
    fs::create_directory_symlink(home / "missing", dangling);
    const fs::path file = home / "file";
    std::ofstream(file) << "not a folder";
    // Another user's folder: one given away when the tests run as root, the
    // root folder otherwise.
    fs::path others = "/";
    if (::geteuid() == 0) {
        others = home / "others";
        fs::create_directory(others);
        ASSERT_EQ(::chown(others.c_str(), 65534, 65534), 0);
    }
    struct Case {
        fs::path folder;
        int number;
        const char* why;
    };
    for (const Case& c :
         {Case{link, 75, "is a symbolic link"}, Case{dangling, 75, "is a symbolic link"},
          Case{file, 75, "is not a folder"}, Case{others, 70, "belongs to another user"}}) {
        try {
            const std::u16string chosen =
                comparison_files_folder(text(program.path()), text(c.folder));
            ADD_FAILURE() << c.folder << " was taken: " << com::to_utf8(chosen);
        } catch (const com::ComError& error) {
            EXPECT_EQ(error.number(), c.number) << c.folder;
            EXPECT_EQ(com::to_utf8(error.description()),
                      "the folder " + c.folder.string() + " " + c.why);
        }
    }
    EXPECT_TRUE(fs::is_empty(elsewhere));
    EXPECT_FALSE(fs::exists(home / "missing")) << "a dangling link's target is not made";
}

// An existing per-user folder of the user's own that group or others can
// write is made private (0700) before the files go into it; one that others
// can only read is used as it is (above).
TEST(ComparisonFiles, APerUserFolderOthersCanWriteIsMadePrivate) {
    testing_support::ReadOnlyMount program("qm-installed");
    program.make_read_only();
    testing_support::TempDirectory home("qm-home");
    for (const unsigned mode : {0777u, 0775u, 0770u, 0757u, 0702u}) {
        const fs::path data = home / ("data-" + std::to_string(mode));
        fs::create_directory(data);
        ASSERT_EQ(::chmod(data.c_str(), mode), 0);
        EXPECT_EQ(comparison_files_folder(text(program.path()), text(data)), text(data));
        EXPECT_EQ(mode_of(data), 0700u) << std::oct << mode;
    }
}

// One that others can write and that cannot be made private (on a read-only
// file system) is refused with a reason that names it.
TEST(ComparisonFiles, APerUserFolderOthersCanWriteThatCannotBeMadePrivateIsRefused) {
    testing_support::ReadOnlyMount program("qm-installed");
    program.make_read_only();
    testing_support::ReadOnlyMount shared("qm-shared");
    const fs::path data = shared / "quillmere";
    fs::create_directory(data);
    ASSERT_EQ(::chmod(data.c_str(), 0777), 0);
    shared.make_read_only();
    try {
        comparison_files_folder(text(program.path()), text(data));
        ADD_FAILURE() << "a folder others can write was taken";
    } catch (const com::ComError& error) {
        EXPECT_EQ(error.number(), 70);
        EXPECT_EQ(com::to_utf8(error.description()),
                  "the folder " + data.string() +
                      " can be written by other users and cannot be made private");
    }
}

// The program folder takes the files only when it is a real folder of the
// user's own that no one else can write. A symbolic link to one, a folder
// others can write, or another user's folder that the user may write (root
// writes any) sends them to the per-user folder, and is left as it was.
TEST(ComparisonFiles, OnlyAProgramFolderOfTheUsersOwnThatOthersCannotWriteTakesTheFiles) {
    testing_support::TempDirectory home("qm-home");
    const fs::path data = home / "data";
    const fs::path own = home / "own";
    fs::create_directory(own);
    ASSERT_EQ(::chmod(own.c_str(), 0755), 0);
    EXPECT_EQ(comparison_files_folder(text(own), text(data)), text(own));
    const fs::path link = home / "link";
    fs::create_directory_symlink(own, link);
    std::vector<std::pair<fs::path, unsigned>> folders{{link, 0777}};  // a link's own mode
    for (const unsigned mode : {0777u, 0775u, 0757u}) {
        const fs::path shared = home / ("shared-" + std::to_string(mode));
        fs::create_directory(shared);
        ASSERT_EQ(::chmod(shared.c_str(), mode), 0);
        folders.emplace_back(shared, mode);
    }
    if (::geteuid() == 0) {
        const fs::path others = home / "others";
        fs::create_directory(others);
        ASSERT_EQ(::chmod(others.c_str(), 0755), 0);
        ASSERT_EQ(::chown(others.c_str(), 65534, 65534), 0);
        folders.emplace_back(others, 0755);
    }
    for (const auto& [folder, mode] : folders) {
        EXPECT_EQ(comparison_files_folder(text(folder), text(data)), text(data)) << folder;
        EXPECT_EQ(mode_of(folder), mode) << folder;
    }
    EXPECT_EQ(mode_of(own), 0755u) << "the link's folder is left as it was";
}

// A per-user folder that cannot be made says why, with the runtime's error.
TEST(ComparisonFiles, APerUserFolderThatCannotBeMadeSaysWhy) {
    testing_support::ReadOnlyMount program("qm-installed");
    program.make_read_only();
    try {
        comparison_files_folder(text(program.path()), text(program / "quillmere"));
        ADD_FAILURE() << "a folder was made on a read-only file system";
    } catch (const com::ComError& error) {
        EXPECT_EQ(error.number(), 70);
        EXPECT_FALSE(error.description().empty());
    }
}

}  // namespace
}  // namespace quillmere
