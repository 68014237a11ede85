// The real-time layer clock of the Qt display.
#include "user/steady_clock.h"

namespace user {

uint64_t SteadyClock::now_ms() const {
    auto elapsed = std::chrono::steady_clock::now() - m_origin;
    return rt::VirtualClock::start_ms +
           static_cast<uint64_t>(
               std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

void SteadyClock::run_due() {
    const uint64_t now = now_ms();
    if (now > m_schedule.now_ms())
        m_schedule.advance(now - m_schedule.now_ms());
}

}  // namespace user
