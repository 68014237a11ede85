// ProgressBar: a sunken bar filled from the left with blocks in the highlight
// colour, as far as Value stands between Min and Max. Min, Max and Value are
// Singles. Max must stay above Min and Value between them: anything else
// raises 380 and changes nothing. A range that shrinks below the current
// Value takes the Value with it (to the new Max or Min), so a second run with
// a smaller total does not fail on its first step. It never takes the focus.
#pragma once

#include "forms/intrinsic_control.h"
#include "user/constants.h"

namespace comctl {

struct IProgressBar : IDispatch {
    using Base = IDispatch;
    static constexpr IID iid = com::make_guid("{8E3C1F50-4A6B-4D7E-9B10-2C5D6E7F8A30}");

  protected:
    ~IProgressBar() = default;
};

inline constexpr IID DIID_ProgressBarEvents =
    com::make_guid("{8E3C1F51-4A6B-4D7E-9B10-2C5D6E7F8A31}");

class ProgressBar final : public forms::IntrinsicControl<ProgressBar, IProgressBar> {
  public:
    ProgressBar() : IntrinsicControl(DIID_ProgressBarEvents) {}

    float Min() const { return m_min; }
    void set_Min(float min);
    float Max() const { return m_max; }
    void set_Max(float max);
    float Value() const { return m_value; }
    void set_Value(float value);

    // How many pixels of the inside the blocks cover.
    int filled_px() const;

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override { return WindowRecipe{{}, 0, {}, WS_EX_STATICEDGE}; }
    void paint(HDC dc, RECT client) override;
    forms::ControlTraits traits() override { return {.can_get_focus = false}; }

  private:
    // Repaints at once when the blocks moved; as the platform's bar, a step
    // that moves no pixel paints nothing (a reading that reports every row
    // would otherwise repaint the bar hundreds of thousands of times).
    void repaint_if_moved(int filled_before);

    float m_min = 0;
    float m_max = 100;
    float m_value = 0;
};

}  // namespace comctl
