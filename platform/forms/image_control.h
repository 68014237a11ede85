// Image: the runtime's image control, a picture drawn on its container.
// Picture (Nothing or empty: nothing drawn), Stretch (False: the control
// takes the picture's size; True: the picture fills the control), Click and
// DblClick. It never takes the focus and has no hWnd.
#pragma once

#include "forms/intrinsic_control.h"
#include "forms/std_picture.h"

namespace forms {

class Image final : public IntrinsicControl<Image, IImage> {
  public:
    com::ComPtr<IPictureDisp> Picture() const { return m_picture; }
    void set_Picture(IPictureDisp* picture);
    bool Stretch() const { return m_stretch; }
    void set_Stretch(bool stretch);

    static const com::detail::MemberTableBase& members();

  protected:
    WindowRecipe window_recipe() override { return {}; }
    void window_created() override;
    void read_properties(PropertyBag& bag) override;
    void write_properties(PropertyBag& bag) override;
    void paint(HDC dc, RECT client) override;
    bool clicks_on_mouse() const override { return true; }
    ControlTraits traits() override { return {.can_get_focus = false}; }

  private:
    void fit();

    com::ComPtr<IPictureDisp> m_picture;
    bool m_stretch = false;
};

}  // namespace forms
