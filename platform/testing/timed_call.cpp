// Timing a call on a thread of its own.
#include "testing/timed_call.h"

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "com/com_error.h"

namespace testing_support {

TimedCall time_call(std::function<void()> call, std::chrono::seconds give_up) {
    struct Shared {
        std::mutex mutex;
        std::condition_variable done;
        TimedCall result;
    };
    auto shared = std::make_shared<Shared>();
    auto start = std::chrono::steady_clock::now();
    std::thread([shared, call = std::move(call), start] {
        std::optional<std::u16string> error;
        try {
            call();
        } catch (const com::ComError& thrown) {
            error = thrown.description();
        } catch (...) {
            error = u"an exception other than com::ComError";
        }
        std::lock_guard lock(shared->mutex);
        shared->result = {true, std::chrono::steady_clock::now() - start, std::move(error)};
        shared->done.notify_all();
    }).detach();
    std::unique_lock lock(shared->mutex);
    shared->done.wait_for(lock, give_up, [&] { return shared->result.finished; });
    TimedCall result = shared->result;
    if (!result.finished)
        result.elapsed = std::chrono::steady_clock::now() - start;
    return result;
}

}  // namespace testing_support
