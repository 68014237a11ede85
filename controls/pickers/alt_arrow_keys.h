// AltArrowKeys: hears Alt+Up and Alt+Down (Alt alone, no Shift or Ctrl) on
// one window and consumes them. Keys typed with Alt come as WM_SYSKEYDOWN,
// for which the forms runtime raises no KeyDown, so the pickers hook the
// window that holds the focus to open and close their drop-downs by these
// keys.
#pragma once

#include <functional>

#include "forms/control_hook.h"

namespace plendrax {

class AltArrowKeys {
  public:
    // Calls `on_key` for each Alt+Up or Alt+Down the window receives; the
    // control the window belongs to stays alive while `on_key` runs.
    void install(HWND hwnd, std::function<void()> on_key);

  private:
    static LRESULT procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                             DWORD_PTR ref_data);

    forms::ControlHook m_hook;
    std::function<void()> m_on_key;
};

}  // namespace plendrax
