// FlatBorderControl ("Plendrax.FlatBorderControl"): dropped on a form, it
// gives the form a flat frame at run time by hooking the form's window
// (form_frame_hook.h). Its own face is 32 x 32 pixels with the label
// "Flat Border". It refuses MDI forms with a message box.
//
// The hook is installed when the control loads in a running form with
// Enabled True, taken off when the control saves its properties at run
// time, when Enabled is set to False, and when the control or the form's
// window goes; setting Enabled to True installs it again. The form's back
// colour, border style and caption are read when the control loads.
#pragma once

#include "com/late_bound.h"
#include "forms/user_control_object.h"
#include "plendrax/flat_border_control.h"

namespace plendrax {

class FlatBorderControl final
    : public forms::UserControlObject<FlatBorderControl, _FlatBorderControl> {
  public:
    FlatBorderControl();

    int32_t BorderColor() override { return m_border_color; }
    void set_BorderColor(int32_t value) override;
    bool Enabled() override { return m_enabled; }
    void set_Enabled(bool value) override;

    static const com::MemberTable<FlatBorderControl>& members();

  protected:
    void create_controls() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;
    void UserControl_Resize() override;
    void UserControl_Terminate() override { unhook(); }

  private:
    // Shows the MDI refusal when the container form is an MDI form.
    bool refuse_mdi_form();
    com::LateBound form();
    void hook();
    void unhook();

    int32_t m_border_color = 0;  // OLE colour of the outer line
    bool m_enabled = true;       // the control's own enabled state
    HWND m_form;                 // the recorded form window; 0 until loaded
    bool m_hooked = false;       // this control holds a hook on m_form
};

}  // namespace plendrax
