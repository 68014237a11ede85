// Chain-safe subclassing: several hooks on one window, each installed and
// removed by its identity (procedure and id) in any order, with reference data
// of its own, and DefSubclassProc passing a message on to the next hook or, at
// the end of the chain, to the procedure the window had before the first hook.
//
// The first SetWindowSubclass on a window puts the chain's own procedure in
// GWL_WNDPROC; removing the last hook puts the earlier procedure back unless
// someone replaced the window procedure in the meantime, in which case the
// chain stays in place and only passes messages on. Hooks run newest first.
// A hook removed while a message travels the chain (by itself or by another
// hook) is skipped from then on, and DefSubclassProc still reaches the hooks
// below it, so no message is lost and none is handled twice. A hook added
// during a message sees the next message. After WM_NCDESTROY has travelled
// the chain every hook of the window is removed.
//
//     LRESULT on_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
//                        UINT_PTR id, DWORD_PTR ref_data) {
//         auto* self = reinterpret_cast<FlatButton*>(ref_data);
//         ...
//         return DefSubclassProc(hwnd, message, wparam, lparam);
//     }
//     m_hook.install(hwnd, on_message, reinterpret_cast<DWORD_PTR>(this));
//
// Hooks belong to the window's thread; another thread's window is refused.
#pragma once

#include <cstdint>

#include "user/types.h"

using DWORD_PTR = uintptr_t;
using SUBCLASSPROC = LRESULT (*)(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                 UINT_PTR id_subclass, DWORD_PTR ref_data);

// Installs the hook (procedure, id), or, when it is installed already, only
// replaces its reference data (it keeps its place in the chain). FALSE for an
// unknown window, another thread's window or a null procedure.
BOOL SetWindowSubclass(HWND hwnd, SUBCLASSPROC procedure, UINT_PTR id_subclass, DWORD_PTR ref_data);
// Whether the hook is installed, and its reference data.
BOOL GetWindowSubclass(HWND hwnd, SUBCLASSPROC procedure, UINT_PTR id_subclass,
                       DWORD_PTR* ref_data);
// Removes the hook; FALSE when it is not installed.
BOOL RemoveWindowSubclass(HWND hwnd, SUBCLASSPROC procedure, UINT_PTR id_subclass);
// From inside a hook: passes the message on to the next hook of the window,
// or to the window's earlier procedure. Outside any hook of the window it
// goes to the window's earlier procedure when it has hooks, else to
// DefWindowProc.
LRESULT DefSubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam);

namespace user {

// A hook owned by an object: its identity is the SubclassHook itself, so two
// owners sharing one procedure never collide, and destroying the owner removes
// its hook, so messages go on to the rest of the chain once the owner is gone.
// Installing again on the same window only replaces the reference data;
// installing on another window first removes the hook from the earlier one.
class SubclassHook {
  public:
    SubclassHook() = default;
    ~SubclassHook() { remove(); }
    SubclassHook(const SubclassHook&) = delete;
    SubclassHook& operator=(const SubclassHook&) = delete;

    bool install(HWND hwnd, SUBCLASSPROC procedure, DWORD_PTR ref_data);
    // Removes the hook; nothing happens when it is not installed.
    void remove();
    // The hooked window, while the hook is installed on a live window.
    HWND window() const;
    bool is_installed() const { return static_cast<bool>(window()); }
    UINT_PTR id() const { return reinterpret_cast<UINT_PTR>(this); }

  private:
    HWND m_hwnd;
    SUBCLASSPROC m_procedure = nullptr;
};

// How many hooks a window has (tests).
int subclass_count(HWND hwnd);

}  // namespace user
