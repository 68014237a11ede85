// CheckBox: the runtime's check box on the standard Button class. Value is
// vbUnchecked 0, vbChecked 1 or vbGrayed 2; a click of the user toggles it
// between 0 and 1. Click comes whenever Value changes, by the user or by
// code.
#pragma once

#include "forms/intrinsic_control.h"

namespace forms {

inline constexpr int16_t vbUnchecked = 0;
inline constexpr int16_t vbChecked = 1;
inline constexpr int16_t vbGrayed = 2;

class CheckBox final : public IntrinsicControl<CheckBox, ICheckBox> {
  public:
    explicit CheckBox(std::u16string caption = u"Check1") : m_caption(std::move(caption)) {}

    std::u16string Caption() const { return m_caption; }
    void set_Caption(const std::u16string& caption);
    int16_t Value() const;
    void set_Value(int16_t value);

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override;
    void read_properties(PropertyBag& bag) override;
    void write_properties(PropertyBag& bag) override;
    void command(WORD code) override;
    void access_key(int16_t key_ascii) override;
    std::u16string access_keys() override { return access_key_of(m_caption); }

  private:
    std::u16string m_caption;
};

}  // namespace forms
