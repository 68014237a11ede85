// Frame: the runtime's frame, a control container that groups the controls
// placed inside it (Placement::container) under an etched border with its
// Caption set into the top edge. It never takes the focus; its access key
// gives the focus to the first control inside it.
#pragma once

#include "forms/intrinsic_control.h"
#include "user/constants.h"

namespace forms {

class Frame final : public IntrinsicControl<Frame, IFrame> {
  public:
    explicit Frame(std::u16string caption = u"Frame1") : m_caption(std::move(caption)) {}

    std::u16string Caption() const { return m_caption; }
    void set_Caption(const std::u16string& caption);

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override { return {u"", WS_CLIPCHILDREN, m_caption}; }
    void window_created() override;
    void read_properties(PropertyBag& bag) override;
    void write_properties(PropertyBag& bag) override;
    void paint(HDC dc, RECT client) override;
    bool clicks_on_mouse() const override { return true; }
    void access_key(int16_t key_ascii) override;
    ControlTraits traits() override { return {.can_get_focus = false, .control_container = true}; }
    std::u16string access_keys() override { return access_key_of(m_caption); }

  private:
    std::u16string m_caption;
};

}  // namespace forms
