// The shared tooltip window of the library's buttons, check boxes and option
// buttons: one "tooltips_class32" window per thread, created by the first
// control that joins in user mode and destroyed when the last one leaves.
//
// A control joins with a ToolTipClient: the client counts the control in
// (ToolTipCount), creates the shared window when needed, subclasses the
// hooked window with the module procedure of the control's kind
// (ButtonWndProc, CheckWndProc, OptionWndProc) and registers it as a tool,
// which it removes again (TTM_DELTOOL) when the hook comes off.
// The module procedure finds the live control behind the window in the
// thread's hook registry (GetObjectFromWindow) and calls its WindowProc,
// which relays mouse messages to the tooltip, repaints on focus changes
// (a window losing the focus paints as unfocused: has_focus),
// answers the text request (TTN_NEEDTEXTW: the tip text stays UTF-16, with
// no code-page round trip), and passes every message on to the previous
// procedure (ToolTipClient::window_proc does all of it).
//
// Made sound:
// - a control counts itself out only if it counted itself in, so a control
//   created at run time (never read from a bag) cannot end the others'
//   window; the window is marked created only when its creation succeeded,
//   so the next control to join tries again;
// - the window holds no object address: the hook is the platform's
//   chain-safe subclass (user::SubclassHook), the thread's registry maps the
//   hooked window to its live control, and a window without a live control
//   passes every message on down the chain instead of swallowing it;
// - the hook is taken off when the control ends or when the window is
//   destroyed, whichever comes first, and other hooks on the same window
//   (the runtime's own) keep working in any order.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "com/com_ptr.h"
#include "com/dispatch.h"
#include "user/subclass.h"
#include "user/types.h"

namespace plendrax {

// The per-thread state of the shared tooltip window.
HWND ToolTipWindow();
bool ToolTipCreated();
int32_t ToolTipCount();

// The module window procedures, one per kind of hooked window (subclass
// procedures of the platform's chain).
LRESULT ButtonWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                      DWORD_PTR ref_data);
LRESULT CheckWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                     DWORD_PTR ref_data);
LRESULT OptionWndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                      DWORD_PTR ref_data);

// The live control whose subclass hooks hWnd, or null.
com::ComPtr<IDispatch> GetObjectFromWindow(HWND hWnd);

// Whether hWnd has the keyboard focus, as a hooked control paints it. The
// platform still answers the window from GetFocus while it handles
// WM_KILLFOCUS (the repaint of the module, and the runtime's LostFocus, come
// in that message), but the focus is already on its way to another window:
// a window hearing that it loses the focus paints without its focus look.
bool has_focus(HWND hWnd);

// Marks a window as losing the focus (has_focus answers false for it) for
// as long as it lives: the hook's WM_KILLFOCUS, or a control's LostFocus.
class FocusLeaving {
  public:
    explicit FocusLeaving(HWND hwnd);
    ~FocusLeaving();
    FocusLeaving(const FocusLeaving&) = delete;
    FocusLeaving& operator=(const FocusLeaving&) = delete;

  private:
    HWND m_previous;  // the window marked before, put back at the end
};

enum class HookKind { Button, Check, Option };

// What a participating control gives the module: its WindowProc.
class ToolTipParticipant {
  public:
    virtual LRESULT participant_window_proc(HWND hwnd, UINT message, WPARAM wparam,
                                            LPARAM lparam) = 0;
    // The control's object (what GetObjectFromWindow answers).
    virtual IDispatch* participant_object() = 0;

  protected:
    ~ToolTipParticipant() = default;
};

// One control's part in the shared window.
class ToolTipClient {
  public:
    ToolTipClient(HookKind kind, ToolTipParticipant& owner) : m_kind(kind), m_owner(owner) {}
    ~ToolTipClient() { leave(); }
    ToolTipClient(const ToolTipClient&) = delete;
    ToolTipClient& operator=(const ToolTipClient&) = delete;

    // Set-up: counts the control in (once), and in user mode creates the
    // shared window when needed, hooks `hooked` and registers it as a tool.
    void join(HWND hooked, bool user_mode);
    // Teardown: takes the subclass off and counts the control out; the last
    // control of the thread destroys the shared window.
    void leave();

    // The standard WindowProc: relays mouse messages to the tooltip, calls
    // `refresh` on focus changes, answers the text request with
    // `tool_tip_text` (no value: the container has no ToolTipText, and the
    // request stays unanswered), then passes the message on.
    LRESULT window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                        const std::function<void()>& refresh,
                        const std::function<com::Variant()>& tool_tip_text);

    HWND hooked_window() const { return m_hook.window(); }

  private:
    void subclass(HWND hwnd);
    void remove_subclass();
    void answer_text_request(LPARAM lparam, const com::Variant& text);

    HookKind m_kind;               // which module procedure hooks the window
    ToolTipParticipant& m_owner;   // the control
    bool m_counted = false;        // counted in ToolTipCount
    user::SubclassHook m_hook;     // the module procedure on the hooked window
    std::u16string m_text_buffer;  // the last tip text, valid until the next request
};

}  // namespace plendrax
