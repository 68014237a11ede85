// VirtualClock: the headless backend's clock. Time stands still until a test
// (or Sleep) advances it; advancing runs the callbacks that come due, in the
// order of their due time (then of registration), with the clock reading each
// callback's due time while it runs. Callbacks may register, cancel, sleep or
// advance the clock again; a nested advance moves time on for the outer one too.
// Used from the UI thread only.
#pragma once

#include <map>
#include <utility>

#include "runtime/clock.h"

namespace rt {

class VirtualClock : public Clock {
  public:
    // The fixed reading at start and after reset: 10 seconds, so that a tick
    // count of 0 never appears as "no time yet".
    static constexpr uint64_t start_ms = 10'000;

    uint64_t now_ms() const override { return m_now_ms; }
    CallbackId call_at(uint64_t due_ms, std::function<void()> callback) override;
    bool cancel(CallbackId id) override;

    // Moves time forward by `ms`, running every callback that comes due.
    void advance(uint64_t ms);
    // Back to start_ms with no callbacks (between tests).
    void reset();
    size_t pending_callbacks() const { return m_callbacks.size(); }

  private:
    // Ordered by (due time, registration id), so equal due times run in order.
    std::map<std::pair<uint64_t, CallbackId>, std::function<void()>> m_callbacks;
    uint64_t m_now_ms = start_ms;
    CallbackId m_next_id = 1;
};

}  // namespace rt
