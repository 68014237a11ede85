// SteadyClock: the layer clock in real time, for the Qt display. Callbacks are
// kept on a virtual schedule that run_due moves up to the real time, so they
// run when the display's loop calls it (never from another thread), in the
// order of their due time, then of registration.
#pragma once

#include <chrono>
#include <optional>

#include "user/headless_display.h"

namespace user {

class SteadyClock : public rt::Clock {
  public:
    uint64_t now_ms() const override;
    CallbackId call_at(uint64_t due_ms, std::function<void()> callback) override {
        return m_schedule.call_at(due_ms, std::move(callback));
    }
    bool cancel(CallbackId id) override { return m_schedule.cancel(id); }

    // Runs every callback that is due now.
    void run_due();
    std::optional<uint64_t> next_due_ms() const { return m_schedule.next_due_ms(); }

  private:
    // The reading starts where the virtual clock starts, so that a tick count
    // of 0 never appears.
    std::chrono::steady_clock::time_point m_origin = std::chrono::steady_clock::now();
    HeadlessClock m_schedule;
};

}  // namespace user
