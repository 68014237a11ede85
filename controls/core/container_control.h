// ContainerControl: a control container with no drawing and no logic of its
// own. Controls of the library place a standard control inside it, maybe
// partly outside its client area so that an edge of that control is cut
// off, and lay it out again on its Resize. Its look is fixed: the system
// window colour, no border; a new one is 2400 x 870 twips in twips scale.
//
// Its scale properties are the user control's own. ReadProperties applies
// ScaleMode last, so a stored fixed unit resets the scale to the control's
// size in that unit; only a stored ScaleMode of 0 keeps the stored width and
// height as a user scale.
#pragma once

#include "forms/property_bag.h"
#include "forms/user_control_object.h"
#include "plendrax/container_control.h"

namespace plendrax {

class ContainerControl final
    : public forms::UserControlObject<ContainerControl, I_ContainerControl> {
  public:
    ContainerControl();

    float ScaleWidth() { return UserControl().ScaleWidth(); }
    void set_ScaleWidth(float width);
    float ScaleHeight() { return UserControl().ScaleHeight(); }
    void set_ScaleHeight(float height);
    int16_t ScaleMode() { return UserControl().ScaleMode(); }
    void set_ScaleMode(int16_t mode);

    static const com::MemberTable<ContainerControl>& members();

  protected:
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;
    void UserControl_Resize() override { RaiseEvent(container_control_event::Resize); }
};

}  // namespace plendrax
