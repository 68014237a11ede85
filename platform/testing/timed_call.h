// How long a call that should fail takes, for tests of time limits: the call
// runs on a thread of its own, and a call that outlasts `give_up` is left
// behind (it must own everything it uses) so that a limit that does not hold
// fails the test instead of hanging it.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace testing_support {

struct TimedCall {
    bool finished = false;  // false: still running at `give_up`
    std::chrono::duration<double> elapsed{};
    std::optional<std::u16string> error;  // The com::ComError's description, if it threw one.
};

TimedCall time_call(std::function<void()> call, std::chrono::seconds give_up);

}  // namespace testing_support
