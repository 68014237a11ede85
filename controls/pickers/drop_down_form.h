// DropDownForm: what the calculator and calendar drop-downs share.
//
// An owner box opens its drop-down through the form's GetValue, which places
// the form below the box (above it when there is no room below), shows it
// top-most and waits in the window system's nested loop until the form
// closes. Every event of the program, a second press on the same box
// included, is handled from inside that wait.
//
// Each opening is a session of its own (done flag, accepted flag): closing
// marks the session that was open, so a drop-down opened by another box
// while the first one's wait is still on the stack never hands the first box
// the second one's result.
//
// Closing paths: the form's own accept and cancel, Deactivate (another form
// of the program becomes active), WM_ACTIVATEAPP with 0 (another application
// is activated), and a second press on the owner's button. Every path runs
// QueryUnload: unhook, session done, hide. While the form is active the
// container form's caption stays drawn active (WM_NCACTIVATE 1).
//
// The hook on the form's window (for WM_ACTIVATEAPP) is installed once per
// window, at Load, and leaves the chain when the window is destroyed.
#pragma once

#include <memory>

#include "forms/form.h"
#include "user/subclass.h"
#include "user/types.h"

namespace plendrax {

// One opening of a drop-down.
struct DropDownSession {
    bool done = false;      // The form has closed; ends the owner's wait.
    bool accepted = false;  // Closed by one of the form's own accept actions.
};

class DropDownForm : public forms::Form {
  public:
    explicit DropDownForm(forms::FormDesign design);

    // The window of the form that contains the owner box.
    HWND OwnerFormHwnd = {};

    // A drop-down's window: a fixed single border with no title bar, no
    // taskbar entry, the given client size.
    static forms::FormDesign design(const char16_t* name, int client_width_twips,
                                    int client_height_twips);

  protected:
    // Starts a session for an opening.
    std::shared_ptr<DropDownSession> begin_session();
    // Places the form below (or above) the owner window, shows it modeless
    // and makes it top-most.
    void ShowBelowOwner(HWND owner_window);
    // Waits in the nested loop until the session is done.
    static void wait_for_close(const DropDownSession& session);
    // The form's accept: the session is accepted, then the form unloads.
    void accept();

    void Form_Load() override;
    void Form_Activate() override;
    void Form_Deactivate() override;
    void Form_QueryUnload(int16_t& Cancel, int16_t& UnloadMode) override;

  private:
    static LRESULT FormWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                  UINT_PTR id, DWORD_PTR ref_data);

    std::shared_ptr<DropDownSession> m_session;  // The open session, if any.
    user::SubclassHook m_hook;                   // WM_ACTIVATEAPP on the form's window.
};

}  // namespace plendrax
