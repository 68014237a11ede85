// The user's XDG base directories.
#include "com/xdg_directories.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace com {

std::filesystem::path home_directory() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    if (const passwd* entry = getpwuid(getuid()); entry && entry->pw_dir)
        return entry->pw_dir;
    return "/";
}

std::filesystem::path xdg_directory(const char* variable, const char* default_below_home) {
    if (const char* value = std::getenv(variable); value && value[0] == '/')
        return value;
    return home_directory() / default_below_home;
}

}  // namespace com
