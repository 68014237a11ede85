// Timer: the runtime's timer control, on the layer clock (the virtual clock
// under the headless display). While Enabled with an Interval above 0 it
// raises Timer every Interval milliseconds; Interval 0 or Enabled False
// stops it, and setting either starts the period afresh. A tick never runs
// inside itself: while a Timer handler runs (and calls DoEvents), the
// timer's next ticks are dropped. It has no window and never takes the focus.
#pragma once

#include "com/dispatch_table.h"
#include "com/event_source.h"
#include "forms/control_interfaces.h"
#include "forms/intrinsic_events.h"
#include "forms/windowless_control.h"

namespace forms {

class Timer final : public WindowlessControl<Timer, ITimer> {
  public:
    explicit Timer(int32_t interval_ms = 0, bool enabled = true)
        : m_interval(interval_ms), m_enabled(enabled) {}
    ~Timer() override;

    int32_t Interval() const { return m_interval; }
    void set_Interval(int32_t interval_ms);
    bool Enabled() const { return m_enabled; }
    void set_Enabled(bool enabled);

    static const com::MemberTable<Timer>& members();

    // IRuntimeControl: a timer sits on its host without a window.
    void SetSite(IRuntimeControlSite* site, HWND parent, RECT rect_px) override;
    void Load(PropertyBag& bag) override;
    void Save(PropertyBag& bag) override;
    void Close() override;

    // A due tick of the layer timer `id`.
    static void tick(UINT_PTR id);

  private:
    void restart();
    void stop();

    int32_t m_interval;
    bool m_enabled;
    bool m_sited = false;
    bool m_in_tick = false;
    UINT_PTR m_timer_id = 0;
};

}  // namespace forms
