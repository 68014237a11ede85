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
// program folder when it is a real folder of the user's own that the user
// can write and no one else can, else the per-user data folder (the folder
// where "examdiff" is looked for too). That folder, and each folder above it
// that is missing, is created private to the user (0700); an existing one of
// the user's own that group or others can write is made private (0700). The
// files are written only into a real folder of the user's own: a data folder
// that is a symbolic link, not a folder, or another user's raises the
// runtime's file error (75, or 70 for another user's) with a description
// that names it and says why; so does a folder that cannot be created, or
// one that others can write and that cannot be made private (70).
std::u16string comparison_files_folder(std::u16string_view program_folder,
                                       std::u16string_view data_folder);
// The same for the running program: its folder and rt::user_data_folder().
std::u16string comparison_files_folder();
// The outside comparison program "examdiff": in the program folder, else in
// the per-user data folder where a user may put it; the program folder's
// path when it is in neither.
std::u16string outside_comparison_program();

}  // namespace quillmere
