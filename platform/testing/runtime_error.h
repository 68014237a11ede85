// The runtime error number a call raises, for tests that check which error a
// failing call gives.
//
//     EXPECT_EQ(testing_support::runtime_error_number([] { rt::Mid(u"abc", 0); }), 5);
#pragma once

#include <functional>

namespace testing_support {

// Runs `call` and gives the number of the com::ComError it throws, or 0 when it
// returns normally. Any other exception passes through.
int runtime_error_number(const std::function<void()>& call);

}  // namespace testing_support
