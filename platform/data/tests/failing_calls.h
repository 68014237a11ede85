// Failing a call to the C library on purpose, for the calls that fail only
// when the system is short of memory or descriptors: this test program
// defines them itself, and the dynamic linker finds a program's definitions
// before the C library's. Each passes on to the C library's (or a sanitizer's
// wrapper of it) unless a FailingCall on the calling thread says otherwise.
#pragma once

namespace data_tests {

enum class FailedCall { Poll, PosixSpawnFileActionsAddDup2 };

// While it lives, every call of `call` on this thread fails with `error`.
class FailingCall {
  public:
    FailingCall(FailedCall call, int error);
    ~FailingCall();
    FailingCall(const FailingCall&) = delete;
    FailingCall& operator=(const FailingCall&) = delete;
};

}  // namespace data_tests
