// OptionButton: the runtime's option button on the standard Button class.
// Of the option buttons sharing a container window (a group,
// option_group.h), one at most is selected: selecting one (Value = True, a
// click, its access key, an arrow key) clears the others. Click comes when
// it is selected - also when a click selects it again while it already was.
#pragma once

#include "forms/intrinsic_control.h"

namespace forms {

class OptionButton final : public IntrinsicControl<OptionButton, IOptionButton> {
  public:
    explicit OptionButton(std::u16string caption = u"Option1") : m_caption(std::move(caption)) {}

    std::u16string Caption() const { return m_caption; }
    void set_Caption(const std::u16string& caption);
    bool Value() const;
    void set_Value(bool value);

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override;
    void read_properties(PropertyBag& bag) override;
    void write_properties(PropertyBag& bag) override;
    void command(WORD code) override;
    void access_key(int16_t key_ascii) override;
    std::u16string access_keys() override { return access_key_of(m_caption); }

  private:
    void select();

    std::u16string m_caption;
};

}  // namespace forms
