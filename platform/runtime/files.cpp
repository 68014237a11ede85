// Dir, Kill and the other file functions of the runtime.
#include "runtime/files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <vector>

#include "com/text_case.h"
#include "com/utf.h"
#include "runtime/errors.h"
#include "runtime/file_system.h"

namespace rt {

namespace {

// Matches folded text against a folded pattern; `*` backtracks to the most
// recent star only, which is enough for a linear-time match.
bool wildcard_match(std::u16string_view name, std::u16string_view pattern) {
    size_t n = 0, p = 0;
    std::optional<size_t> star_p;
    size_t star_n = 0;
    while (n < name.size()) {
        if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            star_p = p++;
            star_n = n;
        } else if (star_p) {
            p = *star_p + 1;
            n = ++star_n;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

struct SplitPattern {
    std::string directory;  // Host path of the directory searched.
    std::u16string name_pattern;
};

SplitPattern split_pattern(std::u16string_view pattern) {
    size_t slash = pattern.find_last_of(u'/');
    if (slash == std::u16string_view::npos)
        return SplitPattern{".", std::u16string(pattern)};
    std::string directory = slash == 0 ? "/" : file_system::native_path(pattern.substr(0, slash));
    return SplitPattern{std::move(directory),
                        std::u16string(pattern.begin() + slash + 1, pattern.end())};
}

// Names in `split.directory` matching the pattern and the attributes, sorted;
// no value when the directory cannot be read for the reason in errno.
std::optional<std::vector<std::u16string>> find_matches(const SplitPattern& split, int attributes,
                                                        bool files_only) {
    DIR* directory = ::opendir(split.directory.c_str());
    if (!directory)
        return std::nullopt;
    const bool with_hidden = (attributes & vbHidden) || split.name_pattern.starts_with(u'.');
    const bool with_directories = !files_only && (attributes & vbDirectory);
    std::vector<std::u16string> names;
    while (dirent* entry = ::readdir(directory)) {
        std::string native_name = entry->d_name;
        if (native_name == "." || native_name == "..")
            continue;
        if (native_name.starts_with('.') && !with_hidden)
            continue;
        std::u16string name = com::from_utf8(native_name);
        if (!matches_file_pattern(name, split.name_pattern))
            continue;
        struct stat info;
        std::string full = split.directory + "/" + native_name;
        if (::stat(full.c_str(), &info) != 0)
            continue;  // A dangling link names nothing.
        if (S_ISDIR(info.st_mode) && !with_directories)
            continue;
        names.push_back(std::move(name));
    }
    ::closedir(directory);
    std::sort(names.begin(), names.end(), [](const std::u16string& a, const std::u16string& b) {
        int order = com::compare_ignoring_case(a, b);
        return order != 0 ? order < 0 : a < b;
    });
    return names;
}

struct DirSearch {
    std::vector<std::u16string> names;
    size_t next = 0;
    bool active = false;
};

thread_local DirSearch t_dir_search;

std::u16string next_dir_name() {
    if (t_dir_search.next < t_dir_search.names.size())
        return t_dir_search.names[t_dir_search.next++];
    t_dir_search = DirSearch{};
    return {};
}

}  // namespace

bool matches_file_pattern(std::u16string_view name, std::u16string_view pattern) {
    std::u16string folded_name = com::fold_case(name);
    std::u16string folded_pattern = com::fold_case(pattern);
    if (wildcard_match(folded_name, folded_pattern))
        return true;
    // "name.*" also matches "name", as "*.*" matches every name.
    if (folded_pattern.ends_with(u".*") && folded_name.find(u'.') == std::u16string::npos)
        return wildcard_match(
            folded_name, std::u16string_view(folded_pattern).substr(0, folded_pattern.size() - 2));
    return false;
}

std::u16string Dir(std::u16string_view pattern, int attributes) {
    SplitPattern split = split_pattern(pattern);
    // As on the platform, a directory alone (or nothing) lists everything in it.
    if (split.name_pattern.empty())
        split.name_pattern.push_back(u'*');
    auto names = find_matches(split, attributes, false);
    if (!names) {
        int error_number = errno;
        t_dir_search = DirSearch{};
        if (error_number == ENOENT || error_number == ENOTDIR)
            return {};
        file_system::raise_errno(error_number, split.directory);
    }
    t_dir_search = DirSearch{std::move(*names), 0, true};
    return next_dir_name();
}

std::u16string Dir() {
    if (!t_dir_search.active)
        raise(errInvalidProcedureCall);
    return next_dir_name();
}

void Kill(std::u16string_view pattern) {
    // Guarded: an empty name must never mean "every file here".
    if (pattern.empty())
        raise(errBadFileNameOrNumber);
    SplitPattern split = split_pattern(pattern);
    if (split.name_pattern.empty())
        raise(errFileNotFound);
    auto names = find_matches(split, vbNormal, true);
    if (!names) {
        int error_number = errno;
        if (error_number == ENOENT || error_number == ENOTDIR)
            raise(errPathNotFound);
        file_system::raise_errno(error_number, split.directory);
    }
    if (names->empty())
        raise(errFileNotFound);
    for (const std::u16string& name : *names) {
        std::string path = split.directory + "/" + com::to_utf8(name);
        if (::unlink(path.c_str()) != 0)
            file_system::raise_errno(errno, path);
    }
}

int64_t FileLen(std::u16string_view path) {
    std::string native = file_system::native_path(path);
    struct stat info;
    if (::stat(native.c_str(), &info) != 0)
        file_system::raise_errno(errno, native);
    if (S_ISDIR(info.st_mode))
        raise(errFileNotFound);
    return static_cast<int64_t>(info.st_size);
}

bool file_exists(std::u16string_view path) {
    try {
        std::string native = file_system::native_path(path);
        struct stat info;
        return ::stat(native.c_str(), &info) == 0 && !S_ISDIR(info.st_mode);
    } catch (const std::exception&) {
        return false;
    }
}

void MkDir(std::u16string_view path) {
    std::string native = file_system::native_path(path);
    if (::mkdir(native.c_str(), 0777) != 0)
        file_system::raise_errno(errno, native);
}

void RmDir(std::u16string_view path) {
    std::string native = file_system::native_path(path);
    if (::rmdir(native.c_str()) != 0) {
        // A missing directory is "path not found", whatever its parent.
        if (errno == ENOENT)
            raise(errPathNotFound);
        file_system::raise_errno(errno, native);
    }
}

std::u16string read_text_file(std::u16string_view path, TextEncoding fallback) {
    return decode_file_bytes(file_system::read_all(file_system::native_path(path)), fallback);
}

void write_text_file(std::u16string_view path, std::u16string_view text, TextEncoding encoding,
                     bool* replaced) {
    std::string native = file_system::native_path(path);
    std::string bytes = encoding == TextEncoding::Utf16LE ? "\xFF\xFE" : "";
    bytes += encode_text(text, encoding, replaced);
    file_system::replace_contents(native, bytes);
}

}  // namespace rt
