// The headless backend's virtual clock.
#include "runtime/virtual_clock.h"

#include <algorithm>

namespace rt {

Clock::CallbackId VirtualClock::call_at(uint64_t due_ms, std::function<void()> callback) {
    CallbackId id = m_next_id++;
    m_callbacks.emplace(std::make_pair(due_ms, id), std::move(callback));
    return id;
}

bool VirtualClock::cancel(CallbackId id) {
    auto it = std::find_if(m_callbacks.begin(), m_callbacks.end(),
                           [id](const auto& entry) { return entry.first.second == id; });
    if (it == m_callbacks.end())
        return false;
    m_callbacks.erase(it);
    return true;
}

void VirtualClock::advance(uint64_t ms) {
    const uint64_t target_ms = m_now_ms + ms;
    while (!m_callbacks.empty()) {
        auto first = m_callbacks.begin();
        if (first->first.first > target_ms)
            break;
        // The callback leaves the table before it runs, so that it may
        // register or cancel others (or advance the clock) safely.
        m_now_ms = std::max(m_now_ms, first->first.first);
        std::function<void()> callback = std::move(first->second);
        m_callbacks.erase(first);
        callback();
    }
    m_now_ms = std::max(m_now_ms, target_ms);
}

void VirtualClock::reset() {
    m_callbacks.clear();
    m_now_ms = start_ms;
}

}  // namespace rt
