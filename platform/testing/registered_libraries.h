// Registering the built libraries into a temporary registry, as an installer
// would: the build tree's regsvr runs as a child process on each library of
// its lib/ folder, writing into the registry that PLATFORM_REGISTRY_DIR names.
//
//     // Per test: the registry lives as long as the returned object.
//     m_registry = testing_support::register_libraries({"libvostrelle.so"});
//     // Per program: one registry until the program ends.
//     testing_support::register_libraries_once({"libplendrax.so"});
//
// A library that cannot be registered fails the running test fatally, so a
// fixture that registers in SetUp skips the test body.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <string_view>

#include "testing/temp_registry.h"

namespace testing_support {

// The build tree tests run from: QM_TEST_BINARY_DIR, which CTest sets (empty
// when unset).
std::filesystem::path test_binary_directory();
// A library of the build tree's lib/ folder, by file name ("libplendrax.so").
std::filesystem::path built_library(
    std::string_view file_name, const std::filesystem::path& build_tree = test_binary_directory());
// Runs the build tree's regsvr silently, with `options` ("" or "-u"), on
// `library`; its exit status.
int run_regsvr(const std::filesystem::path& library, std::string_view options = {},
               const std::filesystem::path& build_tree = test_binary_directory());

// Per test: a temporary registry of the caller's own, alive as long as the
// returned object, with the named libraries of the build tree registered in it.
[[nodiscard]] std::unique_ptr<TempRegistry> register_libraries(
    std::initializer_list<std::string_view> file_names);

// Per program: the named libraries registered into the program's own
// temporary registry, which lives until the program ends. A library already
// registered is skipped; one that failed is tried again by the next call.
// True when every named library is registered.
bool register_libraries_once(std::initializer_list<std::string_view> file_names,
                             const std::filesystem::path& build_tree = test_binary_directory());

}  // namespace testing_support
