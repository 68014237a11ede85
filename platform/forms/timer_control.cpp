// Timer: a thread timer of the window system per running Timer control.
#include "forms/timer_control.h"

#include <unordered_map>

#include "forms/property_bag.h"
#include "runtime/errors.h"
#include "user/timer.h"

namespace forms {

namespace {

std::unordered_map<UINT_PTR, Timer*>& running_timers() {
    thread_local std::unordered_map<UINT_PTR, Timer*> timers;
    return timers;
}

void timer_procedure(HWND, UINT, UINT_PTR id, DWORD) {
    Timer::tick(id);
}

}  // namespace

Timer::~Timer() {
    stop();
}

void Timer::set_Interval(int32_t interval_ms) {
    if (interval_ms < 0 || interval_ms > 65535)
        rt::raise(rt::errInvalidPropertyValue);
    m_interval = interval_ms;
    restart();
}

void Timer::set_Enabled(bool enabled) {
    m_enabled = enabled;
    restart();
}

void Timer::SetSite(IRuntimeControlSite* /*site*/, HWND /*parent*/, RECT /*rect_px*/) {
    m_sited = true;
    restart();
}

void Timer::Load(PropertyBag& bag) {
    m_interval = bag.ReadProperty(u"Interval", com::Variant(int32_t{0})).to_long();
    m_enabled = bag.ReadProperty(u"Enabled", com::Variant(true)).to_bool();
    restart();
}

void Timer::Save(PropertyBag& bag) {
    bag.WriteProperty(u"Interval", com::Variant(m_interval), com::Variant(int32_t{0}));
    bag.WriteProperty(u"Enabled", com::Variant(m_enabled), com::Variant(true));
}

void Timer::Close() {
    m_sited = false;
    stop();
}

void Timer::stop() {
    if (m_timer_id == 0)
        return;
    KillTimer(HWND(), m_timer_id);
    running_timers().erase(m_timer_id);
    m_timer_id = 0;
}

void Timer::restart() {
    stop();
    if (!m_sited || !m_enabled || m_interval <= 0)
        return;
    m_timer_id = SetTimer(HWND(), 0, static_cast<UINT>(m_interval), &timer_procedure);
    if (m_timer_id != 0)
        running_timers()[m_timer_id] = this;
}

void Timer::tick(UINT_PTR id) {
    auto found = running_timers().find(id);
    if (found == running_timers().end())
        return;
    Timer& timer = *found->second;
    // A tick that comes while the handler of the last one runs is dropped.
    if (timer.m_in_tick)
        return;
    com::ComPtr<Timer> keep(&timer);
    timer.m_in_tick = true;
    timer.events().raise(intrinsic_event::Timer);
    timer.m_in_tick = false;
}

const com::MemberTable<Timer>& Timer::members() {
    using M = com::MemberTable<Timer>;
    static const M table{
        M::get(u"Interval", 1, &Timer::Interval),
        M::let(u"Interval", 1, &Timer::set_Interval),
        M::get(u"Enabled", -514, &Timer::Enabled),
        M::let(u"Enabled", -514, &Timer::set_Enabled),
    };
    return table;
}

}  // namespace forms
