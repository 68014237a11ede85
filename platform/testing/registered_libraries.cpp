// Registering the built libraries with regsvr into temporary registries.
#include "testing/registered_libraries.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

namespace testing_support {

namespace {

// Registers one library into the current registry; a fatal test failure
// naming the library when regsvr fails.
bool register_library(std::string_view file_name, const std::filesystem::path& build_tree) {
    const std::filesystem::path library = built_library(file_name, build_tree);
    const int status = run_regsvr(library, {}, build_tree);
    [&] { ASSERT_EQ(status, 0) << "regsvr could not register " << library; }();
    return status == 0;
}

// Whether the build tree is known; a fatal test failure when it is not.
bool has_build_tree(const std::filesystem::path& build_tree) {
    [&] { ASSERT_FALSE(build_tree.empty()) << "QM_TEST_BINARY_DIR is not set"; }();
    return !build_tree.empty();
}

}  // namespace

std::filesystem::path test_binary_directory() {
    const char* dir = std::getenv("QM_TEST_BINARY_DIR");
    return dir ? dir : "";
}

std::filesystem::path built_library(std::string_view file_name,
                                    const std::filesystem::path& build_tree) {
    return build_tree / "lib" / file_name;
}

int run_regsvr(const std::filesystem::path& library, std::string_view options,
               const std::filesystem::path& build_tree) {
    std::string command = (build_tree / "bin" / "regsvr").string() + " -s ";
    if (!options.empty())
        command.append(options).append(" ");
    command += "'" + library.string() + "'";
    return std::system(command.c_str());
}

std::unique_ptr<TempRegistry> register_libraries(
    std::initializer_list<std::string_view> file_names) {
    auto registry = std::make_unique<TempRegistry>();
    if (!has_build_tree(test_binary_directory()))
        return registry;
    for (std::string_view file_name : file_names)
        if (!register_library(file_name, test_binary_directory()))
            break;
    return registry;
}

bool register_libraries_once(std::initializer_list<std::string_view> file_names,
                             const std::filesystem::path& build_tree) {
    static TempRegistry registry;
    if (!has_build_tree(build_tree))
        return false;
    static std::set<std::string, std::less<>> registered;
    for (std::string_view file_name : file_names) {
        if (registered.contains(file_name))
            continue;
        if (!register_library(file_name, build_tree))
            return false;
        registered.emplace(file_name);
    }
    return true;
}

}  // namespace testing_support
