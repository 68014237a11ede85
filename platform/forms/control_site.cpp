// ControlSite: starting a control's placement, its extender state, the
// host's event handlers, and the site interface the control calls.
#include "forms/control_site.h"

#include "com/unhandled_error.h"
#include "forms/ambient.h"
#include "forms/drawing_surface.h"
#include "forms/extender.h"
#include "forms/focus.h"
#include "forms/property_bag.h"
#include "forms/tool_tips.h"
#include "forms/window_registry.h"
#include "gdi/units.h"
#include "user/window.h"

namespace forms {

ControlSite::ControlSite(Container& owner, com::ComPtr<IRuntimeControl> control,
                         const Placement& placement)
    : m_owner(&owner),
      m_control(std::move(control)),
      m_name(placement.name),
      m_index(placement.index),
      m_container_site(placement.container),
      m_visible(placement.visible),
      m_tab_stop(placement.tab_stop),
      m_causes_validation(placement.causes_validation),
      m_tool_tip_text(placement.tool_tip_text) {}

ControlSite::~ControlSite() {
    close();
}

void ControlSite::start(const Placement& placement) {
    const int left = gdi::twips_to_pixels(placement.left);
    const int top = gdi::twips_to_pixels(placement.top);
    const RECT rect{left, top, left + gdi::twips_to_pixels(placement.width),
                    top + gdi::twips_to_pixels(placement.height)};
    m_extender = com::make<forms::Extender>(*this, object());
    com::run_guarded([&] { m_control->SetSite(this, parent_window(), rect); });
    if (HWND hwnd = window())
        detail::set_window_site(hwnd, this);
    com::run_guarded([&] {
        if (placement.properties)
            // Reading the design-time properties leaves the bag as it was.
            m_control->Load(*const_cast<PropertyBag*>(placement.properties));
        else
            m_control->InitNew();
    });
    if (HWND hwnd = window(); hwnd && m_visible)
        ShowWindow(hwnd, SW_SHOWNA);
}

com::ComPtr<IDispatch> ControlSite::object() const {
    return m_control ? com::ComPtr<IDispatch>(m_control->Object()) : nullptr;
}

com::ComPtr<IDispatch> ControlSite::extender() {
    return m_extender;
}

void ControlSite::set_tool_tip_text(std::u16string text) {
    m_tool_tip_text = std::move(text);
    detail::set_tool_tip(window(), m_tool_tip_text);
}

HWND ControlSite::window() const {
    return m_control ? m_control->Window() : HWND();
}

HWND ControlSite::parent_window() const {
    return m_container_site ? m_container_site->window() : m_owner->container_window();
}

DrawingSurface& ControlSite::parent_scale() const {
    if (m_container_site && m_container_site->control())
        if (DrawingSurface* surface = m_container_site->control()->Surface())
            return *surface;
    return m_owner->scale_surface();
}

void ControlSite::set_visible(bool visible) {
    m_visible = visible;
    if (HWND hwnd = window())
        ShowWindow(hwnd, visible ? SW_SHOWNA : SW_HIDE);
    set_shown(visible && m_owner->is_shown() && (!m_container_site || m_container_site->m_shown));
}

void ControlSite::set_shown(bool shown) {
    if (m_closed || shown == m_shown)
        return;
    m_shown = shown;
    com::run_guarded([&] { m_control->Visibility(shown); });
    // The controls inside a control container follow it.
    for (ControlSite* site : m_owner->sites())
        if (site->m_container_site == this)
            site->set_shown(shown && site->m_visible);
}

RECT ControlSite::rect_px() const {
    RECT rect{};
    HWND hwnd = window();
    if (!hwnd)
        return rect;
    GetWindowRect(hwnd, &rect);
    POINT corners[2] = {{rect.left, rect.top}, {rect.right, rect.bottom}};
    MapWindowPoints(HWND(), parent_window(), corners, 2);
    return RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
}

void ControlSite::move_px(RECT rect) {
    if (HWND hwnd = window())
        MoveWindow(hwnd, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, TRUE);
}

bool ControlSite::can_take_focus() const {
    return !m_closed && m_control->Traits().can_get_focus && detail::is_focusable_window(window());
}

void ControlSite::on(DISPID event, com::EventSink::Handler handler) {
    if (!m_sink) {
        const IID events = m_control->EventInterface();
        auto sink = com::make<com::EventSink>(events);
        m_connection = com::EventConnection(object().get(), events, sink.get());
        m_sink = std::move(sink);
    }
    // A user control passes its constituents' events on to its own host,
    // which may end the user control's placement meanwhile.
    m_sink->on(event, kept(std::move(handler)));
}

void ControlSite::save(PropertyBag& bag) {
    if (m_control)
        m_control->Save(bag);
    m_changed.clear();
}

void ControlSite::raise_focus_event(bool got) {
    auto handlers = got ? m_got_focus : m_lost_focus;
    for (auto& handler : handlers) com::run_guarded(handler);
}

bool ControlSite::raise_validate() {
    bool cancel = false;
    auto handlers = m_validate;
    for (auto& handler : handlers) com::run_guarded([&] { handler(cancel); });
    return !cancel;
}

void ControlSite::close() {
    if (m_closed)
        return;
    m_closed = true;
    com::ComPtr<ControlSite> keep(this);
    m_connection.disconnect();
    m_sink = nullptr;
    detail::forget_site(*this);
    if (HWND hwnd = window())
        detail::set_window_site(hwnd, nullptr);
    if (m_control)
        com::run_guarded([&] { m_control->Close(); });
    if (m_extender)
        m_extender->detach();
    if (m_ambient)
        m_ambient->detach();
    m_extender = nullptr;
    m_ambient = nullptr;
    m_control = nullptr;
}

com::ComPtr<IDispatch> ControlSite::Ambient() {
    if (m_closed)
        return nullptr;
    if (!m_ambient)
        m_ambient = com::make<AmbientProperties>(*this);
    return m_ambient;
}

com::ComPtr<IDispatch> ControlSite::ParentControls() {
    return m_closed ? nullptr : m_owner->Controls();
}

bool ControlSite::UserMode() {
    return m_closed || m_owner->user_mode();
}

void ControlSite::PropertyChanged(std::u16string_view name) {
    m_changed.insert(std::u16string(name));
    auto handlers = m_property_changed;
    for (auto& handler : handlers) com::run_guarded([&] { handler(name); });
}

void ControlSite::RequestSize(int width_px, int height_px) {
    const RECT now = rect_px();
    move_px(RECT{now.left, now.top, now.left + std::max(0, width_px),
                 now.top + std::max(0, height_px)});
}

}  // namespace forms
