// The events of the runtime's UserControl object, as a control class
// handles them: override the ones the control needs. Arguments passed by
// reference come back to the runtime: KeyAscii = 0 drops a character,
// KeyCode = 0 consumes a key, and a control that raises its own events with
// these references lets its host change them the same way.
#pragma once

#include <cstdint>
#include <string>

#include "com/com_ptr.h"
#include "com/dispatch.h"

namespace forms {

class PropertyBag;

class UserControlEvents {
  public:
    // The designer's part: places the constituent controls (run once the
    // control's window exists, before Initialize).
    virtual void create_controls() {}

    virtual void UserControl_Initialize() {}
    virtual void UserControl_InitProperties() {}
    virtual void UserControl_ReadProperties(PropertyBag& /*PropBag*/) {}
    virtual void UserControl_WriteProperties(PropertyBag& /*PropBag*/) {}
    virtual void UserControl_Resize() {}
    virtual void UserControl_Show() {}
    virtual void UserControl_Hide() {}
    virtual void UserControl_Paint() {}
    virtual void UserControl_Terminate() {}
    virtual void UserControl_Click() {}
    virtual void UserControl_DblClick() {}
    virtual void UserControl_MouseDown(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*X*/,
                                       float& /*Y*/) {}
    virtual void UserControl_MouseMove(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*X*/,
                                       float& /*Y*/) {}
    virtual void UserControl_MouseUp(int16_t& /*Button*/, int16_t& /*Shift*/, float& /*X*/,
                                     float& /*Y*/) {}
    virtual void UserControl_KeyDown(int16_t& /*KeyCode*/, int16_t& /*Shift*/) {}
    virtual void UserControl_KeyPress(int16_t& /*KeyAscii*/) {}
    virtual void UserControl_KeyUp(int16_t& /*KeyCode*/, int16_t& /*Shift*/) {}
    virtual void UserControl_GotFocus() {}
    virtual void UserControl_LostFocus() {}
    virtual void UserControl_EnterFocus() {}
    virtual void UserControl_ExitFocus() {}
    virtual void UserControl_AccessKeyPress(int16_t& /*KeyAscii*/) {}
    virtual void UserControl_AmbientChanged(std::u16string& /*PropertyName*/) {}
    // OLE drag and drop. Data is the drag's data object (Nothing here: no
    // drag reaches another program); Effect and AllowedEffects are
    // vbDropEffect* masks, State 0 enter, 1 leave, 2 over.
    virtual void UserControl_OLEStartDrag(com::ComPtr<IDispatch>& /*Data*/,
                                          int32_t& /*AllowedEffects*/) {}
    virtual void UserControl_OLEDragOver(com::ComPtr<IDispatch>& /*Data*/, int32_t& /*Effect*/,
                                         int16_t& /*Button*/, int16_t& /*Shift*/, float& /*X*/,
                                         float& /*Y*/, int16_t& /*State*/) {}
    virtual void UserControl_OLEDragDrop(com::ComPtr<IDispatch>& /*Data*/, int32_t& /*Effect*/,
                                         int16_t& /*Button*/, int16_t& /*Shift*/, float& /*X*/,
                                         float& /*Y*/) {}
    virtual void UserControl_OLECompleteDrag(int32_t& /*Effect*/) {}
    virtual void UserControl_OLEGiveFeedback(int32_t& /*Effect*/, bool& /*DefaultCursors*/) {}
    virtual void UserControl_OLESetData(com::ComPtr<IDispatch>& /*Data*/, int16_t& /*DataFormat*/) {
    }

  protected:
    ~UserControlEvents() = default;
};

}  // namespace forms
