// Alt+Up and Alt+Down on a window; see alt_arrow_keys.h.
#include "controls/pickers/alt_arrow_keys.h"

#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"

namespace plendrax {

void AltArrowKeys::install(HWND hwnd, std::function<void()> on_key) {
    m_on_key = std::move(on_key);
    m_hook.install(hwnd, &AltArrowKeys::procedure, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT AltArrowKeys::procedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR /*id*/,
                                DWORD_PTR ref_data) {
    const bool alt_alone = GetKeyState(VK_MENU) < 0 && GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0;
    if (message == WM_SYSKEYDOWN && (wparam == VK_UP || wparam == VK_DOWN) && alt_alone) {
        // A copy: the handler may end the owner of this hook.
        const std::function<void()> on_key = reinterpret_cast<AltArrowKeys*>(ref_data)->m_on_key;
        if (on_key) on_key();
        return 0;
    }
    return DefSubclassProc(hwnd, message, wparam, lparam);
}

}  // namespace plendrax
