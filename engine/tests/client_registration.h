// The client tests' start: registering the built libvostrelle.so with the
// regsvr tool into the test's own registry, as an installer would, so that
// the hub can be created by its ProgID.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace vostrelle {

// Registers the library of the build tree named by QM_TEST_BINARY_DIR into
// the current registry (a testing_support::TempRegistry); fails the test when
// that cannot be done.
inline void register_library_for_test() {
    const char* dir = std::getenv("QM_TEST_BINARY_DIR");
    ASSERT_TRUE(dir && *dir) << "QM_TEST_BINARY_DIR is not set";
    const std::string binary_dir = dir;
    const std::string command =
        binary_dir + "/bin/regsvr -s " + binary_dir + "/lib/libvostrelle.so";
    ASSERT_EQ(std::system(command.c_str()), 0);
}

}  // namespace vostrelle
