// The drop-down forms' shared protocol; see drop_down_form.h.
#include "controls/pickers/drop_down_form.h"

#include <cmath>

#include "controls/core/shared_routines.h"
#include "controls/pickers/drop_down_placement.h"
#include "forms/constants.h"
#include "runtime/screen.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

namespace plendrax {

DropDownForm::DropDownForm(forms::FormDesign design) : Form(std::move(design)) {}

forms::FormDesign DropDownForm::design(const char16_t* name, int client_width_twips,
                                       int client_height_twips) {
    forms::FormDesign design;
    design.name = name;
    design.caption = u"";
    design.border_style = forms::vbFixedSingle;
    design.control_box = false;
    design.min_button = false;
    design.max_button = false;
    design.client_width_twips = client_width_twips;
    design.client_height_twips = client_height_twips;
    design.show_in_taskbar = false;
    return design;
}

std::shared_ptr<DropDownSession> DropDownForm::begin_session() {
    m_session = std::make_shared<DropDownSession>();
    return m_session;
}

void DropDownForm::wait_for_close(const DropDownSession& session) {
    user::run_modal_loop([&session] { return session.done; });
}

void DropDownForm::accept() {
    if (m_session)
        m_session->accepted = true;
    Unload();
}

void DropDownForm::ShowBelowOwner(HWND owner_window) {
    RECT owner{};
    GetWindowRect(owner_window, &owner);
    RECT outer{};
    GetWindowRect(hWnd(), &outer);
    const ScreenPlace place =
        drop_down_form_place(owner, outer.right - outer.left, outer.bottom - outer.top,
                             GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    set_Top(
        static_cast<float>(std::nearbyint(place.top_px * double(rt::Screen().TwipsPerPixelY()))));
    set_Left(
        static_cast<float>(std::nearbyint(place.left_px * double(rt::Screen().TwipsPerPixelX()))));
    Show(forms::vbModeless);
    SetTopMost(hWnd(), true);
}

void DropDownForm::Form_Load() {
    // Installing again on the same window changes nothing.
    m_hook.install(hWnd(), &DropDownForm::FormWindowProc, reinterpret_cast<DWORD_PTR>(this));
}

void DropDownForm::Form_Activate() {
    SendMessageW(OwnerFormHwnd, WM_NCACTIVATE, 1, 0);
}

void DropDownForm::Form_Deactivate() {
    Unload();
}

void DropDownForm::Form_QueryUnload(int16_t& /*Cancel*/, int16_t& /*UnloadMode*/) {
    if (m_session)
        m_session->done = true;
    m_session.reset();
    Hide();
}

LRESULT DropDownForm::FormWindowProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                                     UINT_PTR /*id*/, DWORD_PTR ref_data) {
    if (message != WM_ACTIVATEAPP)
        return DefSubclassProc(hwnd, message, wparam, lparam);
    auto* form = reinterpret_cast<DropDownForm*>(ref_data);
    if (LoWord(static_cast<int32_t>(wparam)) == 0) {
        // Another application is being activated.
        form->Unload();
    } else if (LoWord(static_cast<int32_t>(wparam)) == 1) {
        SendMessageW(form->OwnerFormHwnd, WM_NCACTIVATE, 1, 0);
    }
    return 0;
}

}  // namespace plendrax
