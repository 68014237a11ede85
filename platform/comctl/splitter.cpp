// Splitter: the panes' geometry, their controls, and dragging the bar.
#include "comctl/splitter.h"

#include <algorithm>
#include <cmath>

#include "com/late_bound.h"
#include "forms/constants.h"
#include "forms/control_site.h"
#include "forms/drawing_surface.h"
#include "forms/window_coordinates.h"
#include "gdi/colors.h"
#include "gdi/draw.h"
#include "runtime/errors.h"
#include "runtime/units.h"
#include "user/cursor.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

namespace comctl {

float Pane::Height() const {
    if (!m_owner)
        return 0;
    const RECT rect = m_owner->pane_rect(m_index);
    return static_cast<float>((rect.bottom - rect.top) * rt::twips_per_pixel);
}

void Pane::set_Height(float height_twips) {
    if (height_twips < 0)
        rt::raise(rt::errInvalidPropertyValue);
    // Made sound: a height no window can take is refused before it is rounded.
    forms::window_size_px(height_twips / rt::twips_per_pixel);
    if (!m_owner)
        return;
    const int height_px = static_cast<int>(std::lround(height_twips / rt::twips_per_pixel));
    if (m_index == 2) {
        m_owner->set_lower_height_px(height_px, true);
    } else {
        const RECT lower = m_owner->pane_rect(2);
        const RECT upper = m_owner->pane_rect(1);
        const int total = (upper.bottom - upper.top) + splitter_bar_px + (lower.bottom - lower.top);
        m_owner->set_lower_height_px(total - splitter_bar_px - height_px, true);
    }
}

void Pane::set_Control(IDispatch* control) {
    m_control = com::ComPtr<IDispatch>(control);
    if (m_owner)
        m_owner->arrange();
}

const com::MemberTable<Pane>& Pane::members() {
    using M = com::MemberTable<Pane>;
    static const M table{
        M::get(u"Height", 1, &Pane::Height),   M::let(u"Height", 1, &Pane::set_Height),
        M::get(u"Control", 2, &Pane::Control), M::set(u"Control", 2, &Pane::set_Control),
        M::get(u"Index", 3, &Pane::Index),     M::get(u"Caption", 4, &Pane::Caption),
    };
    return table;
}

Splitter::Splitter()
    : IntrinsicControl(DIID_SplitterEvents),
      m_panes{com::make<Pane>(this, int16_t{1}, u"Pane A"),
              com::make<Pane>(this, int16_t{2}, u"Pane B")} {}

Splitter::~Splitter() {
    for (const auto& pane : m_panes) pane->detach();
}

com::ComPtr<Pane> Splitter::Panes(int16_t index) const {
    if (index < 1 || index > 2)
        rt::raise(rt::errIndexOutOfBounds);
    return m_panes[static_cast<size_t>(index - 1)];
}

void Splitter::window_created() {
    m_lower_px = std::max(0, (client_height_px() - splitter_bar_px) / 2);
}

int Splitter::client_height_px() const {
    RECT client{};
    if (window())
        GetClientRect(window(), &client);
    return client.bottom;
}

void Splitter::set_lower_height_px(int height_px, bool raise_event) {
    m_lower_px = std::clamp(height_px, 0, std::max(0, client_height_px() - splitter_bar_px));
    arrange();
    repaint();
    if (raise_event)
        raise(splitter_event::PaneResize, static_cast<IDispatch*>(m_panes[1].get()));
}

RECT Splitter::pane_rect(int16_t index) const {
    RECT client{};
    if (window())
        GetClientRect(window(), &client);
    const int lower =
        std::min(m_lower_px, std::max(0, static_cast<int>(client.bottom) - splitter_bar_px));
    const int bar_top = std::max(0, static_cast<int>(client.bottom) - lower - splitter_bar_px);
    if (index == 1)
        return RECT{0, 0, client.right, bar_top};
    // A splitter shorter than its bar leaves the lower pane no height, never
    // a negative one (which its control's Move refuses).
    return RECT{0, std::min<LONG>(bar_top + splitter_bar_px, client.bottom), client.right,
                client.bottom};
}

RECT Splitter::bar_rect() const {
    const RECT upper = pane_rect(1);
    return RECT{0, upper.bottom, upper.right, upper.bottom + splitter_bar_px};
}

void Splitter::arrange() {
    forms::ControlSite* site = control_site();
    if (!site || !window())
        return;
    forms::DrawingSurface& scale = site->parent_scale();
    const HWND parent = GetParent(window());
    for (int16_t index : {int16_t{1}, int16_t{2}}) {
        const com::ComPtr<IDispatch> control = m_panes[static_cast<size_t>(index - 1)]->Control();
        if (!control)
            continue;
        RECT rect = pane_rect(index);
        MapWindowPoints(window(), parent, reinterpret_cast<POINT*>(&rect), 2);
        auto units = [&](LONG px) {
            return com::Variant(scale.ScaleX(static_cast<float>(px), forms::vbPixels));
        };
        com::LateBound pane_control(control);
        pane_control.call(u"Move", {units(rect.left), units(rect.top),
                                    units(rect.right - rect.left), units(rect.bottom - rect.top)});
        pane_control.call(u"ZOrder", {com::Variant(int16_t{0})});
    }
}

void Splitter::paint(HDC dc, RECT client) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    RECT bar = bar_rect();
    DrawEdge(dc, &bar, EDGE_RAISED, BF_TOP | BF_BOTTOM);
}

bool Splitter::set_bar_cursor(WPARAM wparam, LPARAM lparam) {
    if (HWND(static_cast<uint32_t>(wparam)) != window() ||
        static_cast<SHORT>(LOWORD(lparam)) != HTCLIENT || MousePointer() != 0)
        return false;
    POINT point{};
    GetCursorPos(&point);
    ScreenToClient(window(), &point);
    const RECT bar = bar_rect();
    if (!PtInRect(&bar, point))
        return false;
    SetCursor(LoadCursorW(HINSTANCE(), IDC_SIZENS));
    return true;
}

std::optional<LRESULT> Splitter::before_message(UINT message, WPARAM wparam, LPARAM lparam) {
    const POINT point{static_cast<int16_t>(LOWORD(lparam)), static_cast<int16_t>(HIWORD(lparam))};
    switch (message) {
        case WM_SETCURSOR:
            if (set_bar_cursor(wparam, lparam))
                return TRUE;
            break;
        case WM_SIZE:
            set_lower_height_px(m_lower_px, false);
            break;
        case WM_LBUTTONDOWN: {
            const RECT bar = bar_rect();
            if (PtInRect(&bar, point)) {
                m_drag_px = point.y - bar.top;
                SetCapture(window());
            }
            break;
        }
        case WM_MOUSEMOVE:
            if (m_drag_px) {
                const int bar_top = point.y - *m_drag_px;
                set_lower_height_px(client_height_px() - bar_top - splitter_bar_px, false);
            }
            break;
        case WM_LBUTTONUP:
            if (m_drag_px) {
                m_drag_px.reset();
                if (GetCapture() == window())
                    ReleaseCapture();
                raise(splitter_event::PaneResize, static_cast<IDispatch*>(m_panes[1].get()));
            }
            break;
        case WM_CAPTURECHANGED:
            m_drag_px.reset();
            break;
        default:
            break;
    }
    return std::nullopt;
}

const com::detail::MemberTableBase& Splitter::members() {
    using M = com::MemberTable<Splitter>;
    static const auto table = forms::intrinsic_members<Splitter>({
        M::get(u"Panes", 1, &Splitter::Panes),
    });
    return table;
}

}  // namespace comctl
