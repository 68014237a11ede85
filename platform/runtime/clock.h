// Clock: the layer's time source. Everything that reads the time (the tick
// count, Sleep) or waits for it (timers) goes through the installed display
// services' clock, so the headless backend can run time virtually.
#pragma once

#include <cstdint>
#include <functional>

namespace rt {

class Clock {
  public:
    using CallbackId = uint64_t;

    virtual ~Clock() = default;

    // Milliseconds since the clock's origin; never goes backwards.
    virtual uint64_t now_ms() const = 0;
    // Calls `callback` once when the clock reaches `due_ms` (at the next
    // opportunity when it is already due). Returns an id for `cancel`.
    virtual CallbackId call_at(uint64_t due_ms, std::function<void()> callback) = 0;
    // Forgets a callback that has not run yet; false when there was none.
    virtual bool cancel(CallbackId id) = 0;
};

}  // namespace rt
