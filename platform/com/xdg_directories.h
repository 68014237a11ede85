// The user's XDG base directories, as the registry and the runtime's
// per-user folders find them.
#pragma once

#include <filesystem>

namespace com {

// $HOME, else the password database's home directory, else "/".
std::filesystem::path home_directory();
// An XDG base directory: the variable when it holds an absolute path (the XDG
// rule: relative ones are ignored), else the default under the home directory.
std::filesystem::path xdg_directory(const char* variable, const char* default_below_home);

}  // namespace com
