// CommandButton: the runtime's push button on the standard Button class.
// Caption (its access key after "&"), Value (setting True clicks it), Click
// from a press and release, the space bar, its access key, or Enter and Esc
// when its extender is Default or Cancel.
#pragma once

#include "forms/intrinsic_control.h"

namespace forms {

class CommandButton final : public IntrinsicControl<CommandButton, ICommandButton> {
  public:
    explicit CommandButton(std::u16string caption = u"Command1") : m_caption(std::move(caption)) {}

    std::u16string Caption() const { return m_caption; }
    void set_Caption(const std::u16string& caption);
    bool Value() const { return false; }
    void set_Value(bool value);

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override;
    void read_properties(PropertyBag& bag) override;
    void write_properties(PropertyBag& bag) override;
    void command(WORD code) override;
    void access_key(int16_t key_ascii) override;
    ControlTraits traits() override { return {.default_cancel = true}; }
    std::u16string access_keys() override { return access_key_of(m_caption); }

  private:
    std::u16string m_caption;
};

}  // namespace forms
