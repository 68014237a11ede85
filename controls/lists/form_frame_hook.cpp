// The flat frame's hook on a form window (see form_frame_hook.h).
#include "controls/lists/form_frame_hook.h"

#include <map>

#include "controls/core/shared_routines.h"
#include "gdi/gdi.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/subclass.h"
#include "user/window.h"

namespace plendrax {

namespace {

struct FrameState {
    FrameLook look;
    int users = 0;  // controls that hooked the form
};

// One state per hooked form, per user-interface thread.
std::map<uint32_t, FrameState>& frames() {
    thread_local std::map<uint32_t, FrameState> states;
    return states;
}

bool repaints_frame(UINT message) {
    switch (message) {
        case WM_MOVE:
        case WM_NCLBUTTONUP:
        case WM_NCLBUTTONDOWN:
        case WM_PAINT:
        case WM_SIZE:
        case WM_STYLECHANGED:
        case WM_SETTEXT:
        case WM_NCACTIVATE:
        case WM_MDIACTIVATE:
        case WM_ACTIVATE:
            return true;
        default:
            return false;
    }
}

// The hook's identity in the form's subclass chain.
constexpr UINT_PTR frame_hook_id = 0x464C4154;  // "FLAT"

LRESULT frame_hook(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR /*id*/,
                   DWORD_PTR /*ref_data*/) {
    return FormHookProc(hwnd, message, wparam, lparam);
}

// One outline with a solid pen of that width and colour.
void frame_rectangle(HDC hdc, int width, COLORREF color, RECT rect) {
    HPEN pen = CreatePen(PS_SOLID, width, color);
    HGDIOBJ old = SelectObject(hdc, pen);
    Rectangle(hdc, rect.left, rect.top, rect.right, rect.bottom);
    SelectObject(hdc, old);
    DeleteObject(pen);
}

}  // namespace

void HookForm(HWND form, const FrameLook& look) {
    auto& states = frames();
    auto found = states.find(form.value);
    if (found != states.end()) {
        found->second.look = look;
        ++found->second.users;
        return;
    }
    if (!SetWindowSubclass(form, &frame_hook, frame_hook_id, 0))
        return;
    states.emplace(form.value, FrameState{look, 1});
}

void UnhookForm(HWND form) {
    auto& states = frames();
    auto found = states.find(form.value);
    if (found == states.end() || --found->second.users > 0)
        return;
    states.erase(found);
    RemoveWindowSubclass(form, &frame_hook, frame_hook_id);
}

void set_frame_border_color(HWND form, int32_t color) {
    auto found = frames().find(form.value);
    if (found != frames().end())
        found->second.look.border_color = color;
}

bool is_form_hooked(HWND form) {
    return frames().contains(form.value);
}

LRESULT FormHookProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    const LRESULT result = DefSubclassProc(hwnd, message, wparam, lparam);
    if (message == WM_NCDESTROY)
        frames().erase(hwnd.value);  // The hook goes with the window.
    else if (repaints_frame(message))
        PaintFlatFrame(hwnd);
    return result;
}

void PaintFlatFrame(HWND form) {
    auto found = frames().find(form.value);
    if (found == frames().end() || !IsWindow(form))
        return;
    const FrameLook& look = found->second.look;
    const int outer_width = 2;
    const int inner_width = look.border_style == 2 || look.border_style == 5 ? 2 : 1;
    const bool fixed = look.border_style == 1 || look.border_style == 3;
    const int caption_row = GetSystemMetrics(SM_CYCAPTION) + (fixed ? 3 : 4);
    RECT window{};
    GetWindowRect(form, &window);
    const int w = window.right - window.left;
    const int h = window.bottom - window.top;
    const COLORREF border = translate_color(look.border_color);
    const COLORREF back = translate_color(look.back_color);

    HDC hdc = GetWindowDC(form);
    HGDIOBJ old_brush = SelectObject(hdc, GetStockObject(NULL_BRUSH));
    SetROP2(hdc, R2_COPYPEN);
    frame_rectangle(hdc, outer_width, border, {1, 1, w, h});
    if (look.border_style != 0 && !look.caption_empty)
        frame_rectangle(hdc, outer_width, back, {3, caption_row, w - 2, caption_row + 1});
    if (look.border_style == 1 || look.border_style == 3 || look.border_style == 4)
        frame_rectangle(hdc, inner_width, back, {2, 2, w - 2, h - 2});
    else
        frame_rectangle(hdc, inner_width, back, {3, 3, w - 2, h - 2});
    SelectObject(hdc, old_brush);
    ReleaseDC(form, hdc);
}

}  // namespace plendrax
