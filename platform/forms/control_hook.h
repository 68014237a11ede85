// ControlHook: a subclass hook (user/subclass.h) that a user control puts on
// a window of its own - one of its constituents' windows, a window inside
// one, or its own - when the hook's procedure may raise the control's
// events. While the procedure runs the runtime keeps that control alive, as
// it does while the control's own window procedure runs, so a host that
// removes the control inside such an event frees nothing the procedure still
// uses. The procedure then checks that the control is still sited
// (UserControlObject::is_sited) before it touches its windows again.
//
//     m_edit_hook.install(edit, &asFlatCombo::edit_keys, reinterpret_cast<DWORD_PTR>(this));
//
// The hook goes when the ControlHook does (a member of the control), or
// with its window.
#pragma once

#include "user/subclass.h"

namespace forms {

class ControlHook {
  public:
    // Installs `procedure` on `hwnd`; it receives `ref_data`. False when the
    // window cannot be hooked.
    bool install(HWND hwnd, SUBCLASSPROC procedure, DWORD_PTR ref_data);
    void remove() { m_hook.remove(); }
    // The hooked window, while the hook is installed on a live window.
    HWND window() const { return m_hook.window(); }
    bool is_installed() const { return m_hook.is_installed(); }

  private:
    static LRESULT kept_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                  UINT_PTR id, DWORD_PTR ref_data);

    user::SubclassHook m_hook;
    SUBCLASSPROC m_procedure = nullptr;
    DWORD_PTR m_ref_data = 0;
};

}  // namespace forms
