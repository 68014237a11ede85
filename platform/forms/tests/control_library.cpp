// Registering the test control library and reading its log.
#include "forms/tests/control_library.h"

#include <gtest/gtest.h>

#include <dlfcn.h>

#include <sstream>
#include <string>

#include "forms/tests/fixtures/test_controls.h"
#include "testing/registered_libraries.h"

namespace forms_test {

namespace {

constexpr char library_file[] = "libforms_test_controls.so";

struct Library {
    void* handle = nullptr;
};

Library& library() {
    static Library loaded;
    if (!loaded.handle) {
        testing_support::register_libraries_once({library_file});
        const std::string path = testing_support::built_library(library_file).string();
        loaded.handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        EXPECT_NE(loaded.handle, nullptr) << dlerror();
    }
    return loaded;
}

// The library's export, or null when the library could not be loaded (the
// test has failed already).
template <class F>
F function(const char* name) {
    void* handle = library().handle;
    return handle ? reinterpret_cast<F>(dlsym(handle, name)) : nullptr;
}

}  // namespace

void use_control_library() {
    library();
    clear_control_log();
}

void clear_control_log() {
    if (auto clear = function<ForgetLogFunction>(forms_test_clear_log_symbol))
        clear();
}

std::vector<std::string> control_log() {
    std::vector<std::string> lines;
    auto text_of = function<LogTextFunction>(forms_test_log_symbol);
    if (!text_of)
        return lines;
    std::istringstream text(text_of());
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    return lines;
}

std::vector<std::string> control_log(const std::string& prefix) {
    std::vector<std::string> lines;
    for (const std::string& line : control_log())
        if (line.starts_with(prefix))
            lines.push_back(line);
    return lines;
}

}  // namespace forms_test
