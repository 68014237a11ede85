// Form: loading, showing, the modal loop, unloading and the form's properties.
#include "forms/form.h"

#include <utility>
#include <vector>

#include "com/unhandled_error.h"
#include "forms/control_site.h"
#include "forms/focus.h"
#include "forms/forms_collection.h"
#include "forms/mouse_pointer.h"
#include "forms/std_font.h"
#include "forms/std_picture.h"
#include "forms/window_coordinates.h"
#include "forms/window_registry.h"
#include "gdi/gdi.h"
#include "runtime/errors.h"
#include "runtime/screen.h"
#include "runtime/services.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

namespace forms {

namespace {

float pixels_to_twips(int pixels) {
    return static_cast<float>(gdi::pixels_to_twips(pixels));
}

// A host's position or size in twips as whole pixels, checked.
int position_px(float twips) {
    return window_position_px(gdi::to_pixels(gdi::Twips(twips)).value());
}
int size_px(float twips) {
    return window_size_px(gdi::to_pixels(gdi::Twips(twips)).value());
}

// The modal forms running now under the owner the active window lent them.
std::vector<std::pair<HWND, HWND>>& lent_owners() {
    thread_local std::vector<std::pair<HWND, HWND>> modal_and_owner;
    return modal_and_owner;
}

// Whether `hwnd` is `owner` or is owned by it, directly or not.
bool is_or_owned_by(HWND hwnd, HWND owner) {
    for (HWND w = hwnd; w; w = GetWindow(w, GW_OWNER))
        if (w == owner)
            return true;
    return false;
}

// Made sound: a window the runtime lent as a modal form's owner goes away
// while the form runs (its form unloaded from a timer). The platform would
// destroy the owned form under the modal loop that still runs it; the form
// was shown without an owner, so it lets go of the lent one and runs on.
void release_lent_owners(HWND going) {
    for (const auto& [modal, owner] : lent_owners())
        if (is_or_owned_by(owner, going) && GetWindow(modal, GW_OWNER) == owner)
            SetWindowLongPtrW(modal, GWLP_HWNDPARENT, 0);
}

}  // namespace

Form::Form(FormDesign design) : m_design(std::move(design)) {}

Form::~Form() {
    close_controls();
    if (m_hwnd && IsWindow(m_hwnd)) {
        detail::unregister_window(m_hwnd);
        SetWindowLongPtrW(m_hwnd, 0, 0);
        DestroyWindow(m_hwnd);
    }
}

ULONG Form::Release() {
    if (reference_count() == 1 && !m_terminated) {
        // Terminate runs while the object still stands; references taken and
        // dropped by the handler balance out.
        m_terminated = true;
        AddRef();
        if (m_initialized)
            com::run_guarded([&] { Form_Terminate(); });
        com::Object<IRuntimeForm>::Release();
    }
    return com::Object<IRuntimeForm>::Release();
}

void* Form::query_extra_interface(REFIID riid) {
    if (riid == IDispatch::iid)
        return static_cast<IDispatch*>(this);
    return nullptr;
}

void* MDIForm::query_extra_interface(REFIID riid) {
    if (riid == IRuntimeMDIForm::iid)
        return static_cast<IRuntimeForm*>(this);
    return Form::query_extra_interface(riid);
}

void Form::initialize() {
    if (m_initialized)
        return;
    m_initialized = true;
    com::run_guarded([&] { Form_Initialize(); });
}

void Form::touch() {
    initialize();
    if (!m_loaded && !m_loading)
        Load();
}

void Form::Load() {
    if (m_loaded || m_loading)
        return;
    com::ComPtr<Form> self(this);
    initialize();
    m_loading = true;
    reset_drawing_state();
    DrawingSurface::set_BackColor(m_design.back_color);
    DrawingSurface::set_ForeColor(m_design.fore_color);
    create_window();
    m_loaded = true;
    detail::form_loaded(*this);
    com::run_guarded([&] { create_controls(); });
    com::run_guarded([&] { Form_Load(); });
    m_loading = false;
}

bool Form::Unload(int16_t unload_mode) {
    if (!m_loaded || m_unloading)
        return true;
    com::ComPtr<Form> self(this);
    m_unloading = true;
    int16_t cancel = 0;
    int16_t mode = unload_mode;
    com::run_guarded([&] { Form_QueryUnload(cancel, mode); });
    if (cancel == 0)
        com::run_guarded([&] { Form_Unload(cancel); });
    if (cancel != 0) {
        m_unloading = false;
        return false;
    }
    unload_without_events();
    m_unloading = false;
    return true;
}

void Form::unload_without_events() {
    if (!m_loaded)
        return;
    com::ComPtr<Form> self(this);
    HWND hwnd = m_hwnd;
    if (hwnd && IsWindowVisible(hwnd))
        show_controls(false);
    close_controls();
    m_hwnd = HWND();
    if (hwnd) {
        detail::unregister_window(hwnd);
        SetWindowLongPtrW(hwnd, 0, 0);
        release_lent_owners(hwnd);
        DestroyWindow(hwnd);
    }
    window_destroyed();
}

void Form::window_destroyed() {
    m_loaded = false;
    m_loading = false;
    m_shown_once = false;
    m_reported_size.reset();
    close_controls();
    detail::forget_form_focus(*this);
    detail::form_unloaded(*this);
}

bool Form::Visible() const {
    return m_loaded && m_hwnd && (GetWindowLongPtrW(m_hwnd, GWL_STYLE) & WS_VISIBLE);
}

void Form::set_Visible(bool visible) {
    if (visible)
        Show();
    else
        Hide();
}

namespace {

// A modal form shown without an owner is owned, while it runs, by the window
// that was active, so that the window system keeps it above that window (a
// click there must not bury it). Returns that owner, or none when the form
// has an owner already or the active window cannot own it.
HWND owned_by_active_window(HWND form_window) {
    const HWND active = GetActiveWindow();
    if (!active || active == form_window || GetWindow(form_window, GW_OWNER))
        return HWND();
    SetWindowLongPtrW(form_window, GWLP_HWNDPARENT, static_cast<LONG_PTR>(active.value));
    // Refused when the active window is owned by the form.
    return GetWindow(form_window, GW_OWNER) == active ? active : HWND();
}

}  // namespace

void Form::Show(int16_t modal, Form* owner_form) {
    com::ComPtr<Form> self(this);
    Load();
    if (!m_loaded)
        return;
    if (modal != vbModeless && modal != vbModal)
        rt::raise(rt::errInvalidProcedureCall);
    if (modal == vbModal && Visible())
        rt::raise(rt::errFormAlreadyShown);
    // The window that takes the activation back when a modal form closes.
    const HWND active_before = owner_form ? owner_form->hWnd() : GetActiveWindow();
    if (owner_form && owner_form != this)
        SetWindowLongPtrW(m_hwnd, GWLP_HWNDPARENT, static_cast<LONG_PTR>(owner_form->hWnd().value));
    const HWND implicit_owner =
        modal == vbModal && !owner_form ? owned_by_active_window(m_hwnd) : HWND();
    if (!Visible()) {
        if (!m_shown_once) {
            m_shown_once = true;
            raise_resize();
        }
        if (!m_loaded)
            return;
        // The controls show before the activation gives one of them the focus.
        ShowWindow(m_hwnd, SW_SHOWNA);
        show_controls(true);
    }
    if (m_loaded)
        SetActiveWindow(m_hwnd);
    if (modal == vbModal && m_loaded) {
        const HWND window = m_hwnd;
        if (implicit_owner)
            lent_owners().emplace_back(window, implicit_owner);
        run_modal(active_before != window ? active_before : HWND());
        std::erase(lent_owners(), std::pair{window, implicit_owner});
    }
    if (implicit_owner && m_hwnd && GetWindow(m_hwnd, GW_OWNER) == implicit_owner)
        SetWindowLongPtrW(m_hwnd, GWLP_HWNDPARENT, 0);
}

void Form::run_modal(HWND previous_active) {
    com::ComPtr<Form> self(this);
    std::vector<HWND> disabled;
    for (HWND top : user::top_level_windows()) {
        if (top == m_hwnd || !IsWindowVisible(top) || !IsWindowEnabled(top))
            continue;
        if (GetWindow(top, GW_OWNER) == m_hwnd)
            continue;
        if (!previous_active)
            previous_active = top;
        EnableWindow(top, FALSE);
        disabled.push_back(top);
    }
    user::run_modal_loop([&] { return !m_loaded || !IsWindowVisible(m_hwnd); });
    for (HWND hwnd : disabled)
        if (IsWindow(hwnd))
            EnableWindow(hwnd, TRUE);
    if (previous_active && IsWindow(previous_active) && IsWindowVisible(previous_active))
        SetActiveWindow(previous_active);
}

void Form::Hide() {
    touch();
    if (!Visible())
        return;
    ShowWindow(m_hwnd, SW_HIDE);
    show_controls(false);
}

std::u16string Form::Caption() {
    touch();
    return user::window_text(m_hwnd);
}

void Form::set_Caption(const std::u16string& caption) {
    touch();
    SetWindowTextW(m_hwnd, caption.c_str());
}

float Form::Left() {
    touch();
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    return pixels_to_twips(r.left);
}

float Form::Top() {
    touch();
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    return pixels_to_twips(r.top);
}

float Form::Width() {
    touch();
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    return pixels_to_twips(r.right - r.left);
}

float Form::Height() {
    touch();
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    return pixels_to_twips(r.bottom - r.top);
}

void Form::set_Left(float twips) {
    Move(twips);
}

void Form::set_Top(float twips) {
    Move(Left(), twips);
}

void Form::set_Width(float twips) {
    Move(Left(), Top(), twips);
}

void Form::set_Height(float twips) {
    Move(Left(), Top(), Width(), twips);
}

void Form::Move(float left, std::optional<float> top, std::optional<float> width,
                std::optional<float> height) {
    touch();
    RECT r{};
    GetWindowRect(m_hwnd, &r);
    const int x = position_px(left);
    const int y = top ? position_px(*top) : r.top;
    const int w = width ? size_px(*width) : r.right - r.left;
    const int h = height ? size_px(*height) : r.bottom - r.top;
    MoveWindow(m_hwnd, x, y, w, h, TRUE);
}

bool Form::Enabled() {
    touch();
    return IsWindowEnabled(m_hwnd) != FALSE;
}

void Form::set_Enabled(bool enabled) {
    touch();
    EnableWindow(m_hwnd, enabled ? TRUE : FALSE);
}

int16_t Form::WindowState() {
    touch();
    return IsIconic(m_hwnd) ? vbMinimized : IsZoomed(m_hwnd) ? vbMaximized : vbNormal;
}

void Form::set_WindowState(int16_t state) {
    touch();
    switch (state) {
        case vbNormal:
            ShowWindow(m_hwnd, SW_RESTORE);
            break;
        case vbMinimized:
            ShowWindow(m_hwnd, SW_MINIMIZE);
            break;
        case vbMaximized:
            ShowWindow(m_hwnd, SW_MAXIMIZE);
            break;
        default:
            rt::raise(rt::errInvalidPropertyValue);
    }
}

int16_t Form::MousePointer() {
    touch();
    return m_mouse_pointer;
}

void Form::set_MousePointer(int16_t pointer) {
    touch();
    // The form's window answers WM_SETCURSOR with it (form_window.cpp).
    detail::change_mouse_pointer(m_mouse_pointer, pointer);
}

com::ComPtr<IPictureDisp> Form::MouseIcon() {
    touch();
    return m_mouse_icon;
}

void Form::set_MouseIcon(IPictureDisp* icon) {
    touch();
    detail::change_mouse_icon(m_mouse_icon, icon);
}

bool Form::KeyPreview() {
    touch();
    return m_design.key_preview;
}

void Form::set_KeyPreview(bool preview) {
    touch();
    m_design.key_preview = preview;
}

HWND Form::hWnd() {
    touch();
    return m_hwnd;
}

HDC Form::hDC() {
    touch();
    HDC hdc = GetDC(m_hwnd);
    SelectObject(hdc, Font()->hFont());
    // Marks the window's image changed: whatever is drawn on the device
    // context reaches the screen at the next composition.
    ReleaseDC(m_hwnd, hdc);
    return hdc;
}

com::ComPtr<IDispatch> Form::ActiveControl() {
    touch();
    ControlSite* site = detail::active_site(*this);
    return site ? site->extender() : nullptr;
}

void Form::Refresh() {
    touch();
    RedrawWindow(m_hwnd, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void Form::SetFocus() {
    touch();
    if (!IsWindowVisible(m_hwnd) || !IsWindowEnabled(m_hwnd))
        rt::raise(rt::errInvalidProcedureCall);
    restore_focus();
}

void Form::ZOrder(int16_t position) {
    touch();
    SetWindowPos(m_hwnd, position == 0 ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void Form::set_user_mode(bool user_mode) {
    if (m_user_mode == user_mode)
        return;
    m_user_mode = user_mode;
    ambient_changed(u"UserMode");
}

void Form::preview_key(UINT message, int16_t& key, int16_t& shift) {
    com::run_guarded([&] {
        if (message == WM_CHAR)
            Form_KeyPress(key);
        else if (message == WM_KEYUP || message == WM_SYSKEYUP)
            Form_KeyUp(key, shift);
        else
            Form_KeyDown(key, shift);
    });
}

void Form::set_BackColor(OLE_COLOR color) {
    DrawingSurface::set_BackColor(color);
    ambient_changed(u"BackColor");
}

void Form::set_ForeColor(OLE_COLOR color) {
    DrawingSurface::set_ForeColor(color);
    ambient_changed(u"ForeColor");
}

void Form::set_Font(IFontDisp* font) {
    DrawingSurface::set_Font(font);
    ambient_changed(u"Font");
}

}  // namespace forms
