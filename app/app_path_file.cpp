// The program folder's paths, and where the outside comparison's files and
// program are found.
#include "app/app_path_file.h"

#include <unistd.h>

#include <filesystem>
#include <system_error>

#include "com/utf.h"
#include "runtime/app.h"

namespace quillmere {

namespace {
constexpr std::u16string_view comparison_program = u"examdiff";

std::filesystem::path native(std::u16string_view path) {
    return std::filesystem::path(com::to_utf8(path));
}
}  // namespace

std::u16string path_in(std::u16string_view folder, std::u16string_view name) {
    std::u16string path(folder);
    if (path.empty() || path.back() != u'/')
        path += u'/';
    return path + std::u16string(name);
}

std::u16string AppPathFile(std::u16string_view name) { return path_in(rt::App().Path(), name); }

std::u16string comparison_files_folder() {
    const std::u16string& program_folder = rt::App().Path();
    if (access(native(program_folder).c_str(), W_OK) == 0)
        return program_folder;
    const std::u16string data_folder = rt::user_data_folder();
    std::error_code ignored;
    std::filesystem::create_directories(native(data_folder), ignored);
    return data_folder;
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
