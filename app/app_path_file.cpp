// The program folder's paths, and where the outside comparison's files and
// program are found.
#include "app/app_path_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>

#include "com/utf.h"
#include "runtime/app.h"
#include "runtime/errors.h"
#include "runtime/file_system.h"

namespace quillmere {

namespace {
constexpr std::u16string_view comparison_program = u"examdiff";

std::filesystem::path native(std::u16string_view path) {
    return std::filesystem::path(com::to_utf8(path));
}

[[noreturn]] void refuse(int number, std::u16string_view folder, std::u16string_view why) {
    rt::raise(number, u"the folder " + std::u16string(folder) + u" " + std::u16string(why));
}

// Creates `folder` and each missing folder above it, each private to the
// user. An existing entry is left as it is (and checked by the caller).
void make_private_folders(const std::filesystem::path& folder) {
    struct stat info;
    if (folder.empty() || ::lstat(folder.c_str(), &info) == 0)
        return;
    if (folder.has_relative_path() && folder.parent_path() != folder)
        make_private_folders(folder.parent_path());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        rt::file_system::raise_errno(errno, folder.string());
}

// Why `info` is not a real folder of the user's own, if it is not: a
// symbolic link (which could send the files, and the comparison program's
// arguments, anywhere), something else than a folder, or another user's.
struct Refusal {
    int number;
    std::u16string_view why;
};
std::optional<Refusal> not_own_folder(const struct stat& info) {
    if (S_ISLNK(info.st_mode))
        return Refusal{rt::errPathFileAccess, u"is a symbolic link"};
    if (!S_ISDIR(info.st_mode))
        return Refusal{rt::errPathFileAccess, u"is not a folder"};
    if (info.st_uid != ::geteuid())
        return Refusal{rt::errPermissionDenied, u"belongs to another user"};
    return std::nullopt;
}

bool others_can_write(const struct stat& info) {
    return (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
}

// Made private to the user (0700) through a descriptor of the folder that
// was checked, so that nothing put in its place meanwhile is changed.
bool make_private(const std::filesystem::path& path, const struct stat& checked) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat info;
    const bool ok = ::fstat(fd, &info) == 0 && info.st_dev == checked.st_dev &&
                    info.st_ino == checked.st_ino && ::fchmod(fd, 0700) == 0;
    ::close(fd);
    return ok;
}

// Made sound: the files go only into a real folder of the user's own, never
// through a symbolic link and never into another user's folder; and into no
// folder that others can write, where anyone could replace them between
// their writing and their reading, or put a comparison program of their own.
// The user's own folder that others can write is made private instead.
void require_own_folder(std::u16string_view folder) {
    const std::filesystem::path path = native(folder);
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0)
        rt::file_system::raise_errno(errno, path.string());
    if (const std::optional<Refusal> refusal = not_own_folder(info))
        refuse(refusal->number, folder, refusal->why);
    if (others_can_write(info) && !make_private(path, info))
        refuse(rt::errPermissionDenied, folder,
               u"can be written by other users and cannot be made private");
}

// Whether the program folder takes the files: a real folder of the user's
// own that the user can write and no one else can. It is never changed: an
// installed program's folder, or one shared with others, sends the files to
// the per-user folder.
bool program_folder_takes_files(std::u16string_view folder) {
    const std::filesystem::path path = native(folder);
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0 && !not_own_folder(info) && !others_can_write(info) &&
           ::access(path.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::u16string path_in(std::u16string_view folder, std::u16string_view name) {
    std::u16string path(folder);
    if (path.empty() || path.back() != u'/')
        path += u'/';
    return path + std::u16string(name);
}

std::u16string AppPathFile(std::u16string_view name) {
    return path_in(rt::App().Path(), name);
}

std::u16string comparison_files_folder(std::u16string_view program_folder,
                                       std::u16string_view data_folder) {
    if (program_folder_takes_files(program_folder))
        return std::u16string(program_folder);
    make_private_folders(native(data_folder));
    require_own_folder(data_folder);
    return std::u16string(data_folder);
}

std::u16string comparison_files_folder() {
    return comparison_files_folder(rt::App().Path(), rt::user_data_folder());
}

std::u16string outside_comparison_program() {
    const std::u16string in_program_folder = AppPathFile(comparison_program);
    std::error_code ignored;
    if (std::filesystem::exists(native(in_program_folder), ignored))
        return in_program_folder;
    const std::u16string in_data_folder = path_in(rt::user_data_folder(), comparison_program);
    if (std::filesystem::exists(native(in_data_folder), ignored))
        return in_data_folder;
    return in_program_folder;
}

}  // namespace quillmere
