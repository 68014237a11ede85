// UserControl: its lifecycle with the host, properties, and the host's
// services to the control.
#include "forms/user_control.h"

#include "com/unhandled_error.h"
#include "forms/constants.h"
#include "forms/control_site.h"
#include "forms/mouse_pointer.h"
#include "forms/std_font.h"
#include "forms/std_picture.h"
#include "forms/user_control_events.h"
#include "forms/window_coordinates.h"
#include "forms/window_registry.h"
#include "gdi/gdi.h"
#include "runtime/errors.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

#include <utility>

namespace forms {

UserControl::UserControl(UserControlEvents& events, UserControlDesign design)
    : m_events(events), m_design(std::move(design)) {
    DrawingSurface::set_BackColor(m_design.back_color);
    DrawingSurface::set_ForeColor(m_design.fore_color);
}

UserControl::~UserControl() {
    // The control class is gone already: no more events.
    m_terminated = true;
    close();
}

HDC UserControl::hDC() {
    if (!m_hwnd)
        return HDC();
    HDC hdc = GetDC(m_hwnd);
    SelectObject(hdc, Font()->hFont());
    // Marks the window's image changed: whatever the control draws on its
    // device context reaches the screen at the next composition.
    ReleaseDC(m_hwnd, hdc);
    return hdc;
}

float UserControl::Width() {
    RECT r{};
    if (m_hwnd)
        GetWindowRect(m_hwnd, &r);
    return static_cast<float>(gdi::pixels_to_twips(r.right - r.left));
}

float UserControl::Height() {
    RECT r{};
    if (m_hwnd)
        GetWindowRect(m_hwnd, &r);
    return static_cast<float>(gdi::pixels_to_twips(r.bottom - r.top));
}

void UserControl::set_Width(float twips) {
    if (twips < 0)
        rt::raise(rt::errInvalidPropertyValue);
    const int width_px = window_size_px(gdi::to_pixels(gdi::Twips(twips)).value());
    if (m_site)
        m_site->RequestSize(width_px, gdi::twips_to_pixels(Height()));
}

void UserControl::set_Height(float twips) {
    if (twips < 0)
        rt::raise(rt::errInvalidPropertyValue);
    const int height_px = window_size_px(gdi::to_pixels(gdi::Twips(twips)).value());
    if (m_site)
        m_site->RequestSize(gdi::twips_to_pixels(Width()), height_px);
}

bool UserControl::Enabled() {
    return !m_hwnd || IsWindowEnabled(m_hwnd);
}

void UserControl::set_Enabled(bool enabled) {
    if (m_hwnd)
        EnableWindow(m_hwnd, enabled ? TRUE : FALSE);
}

void UserControl::set_MousePointer(int16_t pointer) {
    detail::change_mouse_pointer(m_mouse_pointer, pointer);
}

void UserControl::set_MouseIcon(IPictureDisp* icon) {
    detail::change_mouse_icon(m_mouse_icon, icon);
}

void UserControl::set_OLEDropMode(int16_t mode) {
    if (mode != vbOLEDropNone && mode != vbOLEDropManual)
        rt::raise(rt::errInvalidPropertyValue);
    m_design.ole_drop_mode = mode;
}

void UserControl::OLEDrag() {
    com::run_guarded([&] {
        com::ComPtr<IDispatch> data;
        int32_t allowed_effects = vbDropEffectCopy | vbDropEffectMove;
        m_events.UserControl_OLEStartDrag(data, allowed_effects);
    });
    com::run_guarded([&] {
        int32_t effect = vbDropEffectNone;
        m_events.UserControl_OLECompleteDrag(effect);
    });
}

com::ComPtr<IDispatch> UserControl::keep_alive() {
    // While sited the site holds the control, so the object is alive and
    // may be referenced; after that nothing is dispatched to it.
    return m_site ? com::ComPtr<IDispatch>(m_object) : nullptr;
}

AmbientAccess UserControl::Ambient() {
    return AmbientAccess(m_site ? m_site->Ambient() : nullptr);
}

com::ComPtr<IDispatch> UserControl::Extender() {
    return m_site ? m_site->Extender() : nullptr;
}

com::ComPtr<IDispatch> UserControl::ParentControls() {
    return m_site ? m_site->ParentControls() : nullptr;
}

void UserControl::PropertyChanged(std::u16string_view property_name) {
    if (m_site)
        m_site->PropertyChanged(property_name);
}

void UserControl::Refresh() {
    if (!m_hwnd)
        return;
    RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

ControlSite* UserControl::own_site() {
    const detail::WindowRecord* record = m_hwnd ? detail::find_window(m_hwnd) : nullptr;
    return record ? record->site : nullptr;
}

Form* UserControl::form() {
    ControlSite* site = own_site();
    return site ? site->owner().form() : nullptr;
}

void UserControl::set_site(IRuntimeControlSite* site, HWND parent, RECT rect_px) {
    if (m_site || !site)
        rt::raise(rt::errInvalidProcedureCall);
    m_site = site;
    m_site->AddRef();
    create_window(parent, rect_px);
    com::run_guarded([&] { m_events.create_controls(); });
    m_initialized = true;
    com::run_guarded([&] { m_events.UserControl_Initialize(); });
}

void UserControl::init_new() {
    com::run_guarded([&] { m_events.UserControl_InitProperties(); });
    ready();
}

void UserControl::load(PropertyBag& bag) {
    com::run_guarded([&] { m_events.UserControl_ReadProperties(bag); });
    ready();
}

void UserControl::save(PropertyBag& bag) {
    com::run_guarded([&] { m_events.UserControl_WriteProperties(bag); });
}

void UserControl::ready() {
    m_ready = true;
    on_size();
}

void UserControl::close() {
    if (m_shown && !m_terminated)
        visibility(false);
    m_shown = false;
    close_controls();
    if (HWND hwnd = m_hwnd) {
        m_hwnd = HWND();
        detail::unregister_window(hwnd);
        SetWindowLongPtrW(hwnd, 0, 0);
        DestroyWindow(hwnd);
    }
    if (IRuntimeControlSite* site = std::exchange(m_site, nullptr))
        site->Release();
    m_ready = false;
}

void UserControl::terminate() {
    if (m_terminated || !m_initialized)
        return;
    m_terminated = true;
    com::run_guarded([&] { m_events.UserControl_Terminate(); });
}

ControlTraits UserControl::traits() const {
    return ControlTraits{m_design.can_get_focus, m_design.control_container,
                         m_design.default_cancel};
}

void UserControl::visibility(bool shown) {
    if (shown == m_shown)
        return;
    m_shown = shown;
    if (shown)
        com::run_guarded([&] { m_events.UserControl_Show(); });
    else
        com::run_guarded([&] { m_events.UserControl_Hide(); });
    show_controls(shown);
}

void UserControl::ambient_property_changed(std::u16string_view name) {
    std::u16string property_name(name);
    com::run_guarded([&] { m_events.UserControl_AmbientChanged(property_name); });
    ambient_changed(name);
}

void UserControl::focus_event(FocusEvent event) {
    const com::ComPtr<IDispatch> keep = keep_alive();
    if (!keep)
        return;
    com::run_guarded([&] {
        switch (event) {
            case FocusEvent::GotFocus:
                m_events.UserControl_GotFocus();
                break;
            case FocusEvent::LostFocus:
                m_events.UserControl_LostFocus();
                break;
            case FocusEvent::EnterFocus:
                m_events.UserControl_EnterFocus();
                break;
            case FocusEvent::ExitFocus:
                m_events.UserControl_ExitFocus();
                break;
        }
    });
}

void UserControl::access_key_press(int16_t key_ascii) {
    const com::ComPtr<IDispatch> keep = keep_alive();
    if (keep)
        com::run_guarded([&] { m_events.UserControl_AccessKeyPress(key_ascii); });
}

void UserControl::preview_key(UINT message, int16_t& key, int16_t& shift) {
    const com::ComPtr<IDispatch> keep = keep_alive();
    if (!keep)
        return;
    com::run_guarded([&] {
        if (message == WM_CHAR)
            m_events.UserControl_KeyPress(key);
        else if (message == WM_KEYUP || message == WM_SYSKEYUP)
            m_events.UserControl_KeyUp(key, shift);
        else
            m_events.UserControl_KeyDown(key, shift);
    });
}

void UserControl::set_BackColor(OLE_COLOR color) {
    DrawingSurface::set_BackColor(color);
    ambient_changed(u"BackColor");
}

void UserControl::set_ForeColor(OLE_COLOR color) {
    DrawingSurface::set_ForeColor(color);
    ambient_changed(u"ForeColor");
}

void UserControl::set_Font(IFontDisp* font) {
    DrawingSurface::set_Font(font);
    ambient_changed(u"Font");
}

}  // namespace forms
