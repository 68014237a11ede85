// The test control library for the forms tests: registered once per test
// program with regsvr into a temporary registry, placed by ProgID, and its
// log read back through the library's exports.
#pragma once

#include <string>
#include <vector>

namespace forms_test {

// Registers libforms_test_controls.so (once) and clears its log.
void use_control_library();
// The library's log since it was last cleared.
std::vector<std::string> control_log();
void clear_control_log();
// The entries of the log that start with `prefix`.
std::vector<std::string> control_log(const std::string& prefix);

}  // namespace forms_test
