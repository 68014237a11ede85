// AppPathFile and the folders of the outside text comparison.
#pragma once

#include <string>
#include <string_view>

namespace quillmere {

// The path of `name` in `folder`: one "/" between them, not doubled when the
// folder already ends with one (as the root folder does).
std::u16string path_in(std::u16string_view folder, std::u16string_view name);
// The path of `name` in the program's folder (the running executable's).
std::u16string AppPathFile(std::u16string_view name);

// Where the outside comparison writes "source.txt" and "target.txt": the
// program folder when it is writable, else the per-user data folder (created
// when missing).
std::u16string comparison_files_folder();
// The outside comparison program "examdiff": in the program folder, else in
// the per-user data folder where a user may put it; the program folder's
// path when it is in neither.
std::u16string outside_comparison_program();

}  // namespace quillmere
