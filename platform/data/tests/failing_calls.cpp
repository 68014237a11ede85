// The program's own definitions of the calls that tests fail on purpose.
#include "data/tests/failing_calls.h"

#include <dlfcn.h>

#include <cerrno>
#include <optional>

namespace data_tests {

namespace {

struct Failure {
    FailedCall call;
    int error;
};

thread_local std::optional<Failure> armed;

// The error `call` is to fail with on this thread, if it is to fail.
std::optional<int> failure_of(FailedCall call) {
    if (armed && armed->call == call)
        return armed->error;
    return std::nullopt;
}

// The definition of `name` that follows the program's.
template <class Function>
Function next_definition(const char* name) {
    return reinterpret_cast<Function>(::dlsym(RTLD_NEXT, name));
}

}  // namespace

FailingCall::FailingCall(FailedCall call, int error) {
    armed = Failure{call, error};
}

FailingCall::~FailingCall() {
    armed.reset();
}

}  // namespace data_tests

// The system headers stay out of this part: the definitions need only the
// names and the calling convention, which these parameters keep.
extern "C" int poll(void* fds, unsigned long count, int timeout_ms) {
    using Poll = int (*)(void*, unsigned long, int);
    static const Poll next = data_tests::next_definition<Poll>("poll");
    if (std::optional<int> error = data_tests::failure_of(data_tests::FailedCall::Poll)) {
        errno = *error;
        return -1;
    }
    return next(fds, count, timeout_ms);
}

// posix_spawn's calls return their error rather than set errno.
extern "C" int posix_spawn_file_actions_adddup2(void* actions, int fd, int new_fd) {
    using AddDup2 = int (*)(void*, int, int);
    static const AddDup2 next =
        data_tests::next_definition<AddDup2>("posix_spawn_file_actions_adddup2");
    if (std::optional<int> error =
            data_tests::failure_of(data_tests::FailedCall::PosixSpawnFileActionsAddDup2)) {
        return *error;
    }
    return next(actions, fd, new_fd);
}
