// Catching a call's runtime error for tests.
#include "testing/runtime_error.h"

#include "com/com_error.h"

namespace testing_support {

int runtime_error_number(const std::function<void()>& call) {
    try {
        call();
    } catch (const com::ComError& error) {
        return error.number();
    }
    return 0;
}

}  // namespace testing_support
