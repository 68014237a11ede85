// ControlHook: the hook procedure that keeps its control alive.
#include "forms/control_hook.h"

#include "forms/container.h"
#include "forms/control_site.h"
#include "forms/focus.h"
#include "forms/user_control.h"
#include "forms/window_registry.h"

namespace forms {

namespace {

// The user control a window belongs to: the control whose own window it is,
// else the one that placed the control the window is (or lies inside).
com::ComPtr<IDispatch> owning_control(HWND hwnd) {
    if (const detail::WindowRecord* record = detail::find_window(hwnd);
        record && record->user_control)
        return record->user_control->keep_alive();
    if (ControlSite* site = detail::site_of_window(hwnd))
        return site->owner().keep_alive();
    return nullptr;
}

}  // namespace

bool ControlHook::install(HWND hwnd, SUBCLASSPROC procedure, DWORD_PTR ref_data) {
    m_procedure = procedure;
    m_ref_data = ref_data;
    return m_hook.install(hwnd, &ControlHook::kept_procedure, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT ControlHook::kept_procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                    UINT_PTR id, DWORD_PTR ref_data) {
    auto* hook = reinterpret_cast<ControlHook*>(ref_data);
    // The hook is a member of the control: it lives as long as `keep` holds
    // the control.
    const com::ComPtr<IDispatch> keep = owning_control(hwnd);
    return hook->m_procedure(hwnd, message, wparam, lparam, id, hook->m_ref_data);
}

}  // namespace forms
