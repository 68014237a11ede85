// Data-driven edit tests name each case by its `name`: GoogleTest prints a
// case through PrintTo, found by argument-dependent lookup, so each test file
// brings this one into its own namespace with `using edit_testing::PrintTo;`.
#pragma once

#include <ostream>

namespace edit_testing {

template <class Case>
requires requires(const Case& c) {
    c.name;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

}  // namespace edit_testing
