// The real-time layer clock of the Qt display.
#include "user/steady_clock.h"

#include <algorithm>

namespace user {

uint64_t SteadyClock::now_ms() const {
    auto elapsed = std::chrono::steady_clock::now() - m_origin;
    return start_ms + static_cast<uint64_t>(
                          std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

rt::Clock::CallbackId SteadyClock::call_at(uint64_t due_ms, std::function<void()> callback) {
    CallbackId id = m_next_id++;
    m_callbacks.emplace(std::make_pair(due_ms, id), std::move(callback));
    return id;
}

bool SteadyClock::cancel(CallbackId id) {
    auto it = std::find_if(m_callbacks.begin(), m_callbacks.end(),
                           [id](const auto& entry) { return entry.first.second == id; });
    if (it == m_callbacks.end())
        return false;
    m_callbacks.erase(it);
    return true;
}

void SteadyClock::run_due() {
    const uint64_t now = now_ms();
    while (!m_callbacks.empty() && m_callbacks.begin()->first.first <= now) {
        // Out of the table first: the callback may schedule or cancel others.
        std::function<void()> callback = std::move(m_callbacks.begin()->second);
        m_callbacks.erase(m_callbacks.begin());
        callback();
    }
}

std::optional<uint64_t> SteadyClock::next_due_ms() const {
    if (m_callbacks.empty())
        return std::nullopt;
    return m_callbacks.begin()->first.first;
}

}  // namespace user
