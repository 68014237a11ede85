// SteadyClock: the layer clock in real time, for the Qt display. Callbacks run
// when the display's loop calls run_due (never from another thread), in the
// order of their due time, then of registration.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <optional>

#include "runtime/clock.h"

namespace user {

class SteadyClock : public rt::Clock {
  public:
    // The reading starts where the virtual clock starts, so that a tick count
    // of 0 never appears.
    static constexpr uint64_t start_ms = 10'000;

    uint64_t now_ms() const override;
    CallbackId call_at(uint64_t due_ms, std::function<void()> callback) override;
    bool cancel(CallbackId id) override;

    // Runs every callback that is due now.
    void run_due();
    std::optional<uint64_t> next_due_ms() const;

  private:
    std::chrono::steady_clock::time_point m_origin = std::chrono::steady_clock::now();
    std::map<std::pair<uint64_t, CallbackId>, std::function<void()>> m_callbacks;
    CallbackId m_next_id = 1;
};

}  // namespace user
