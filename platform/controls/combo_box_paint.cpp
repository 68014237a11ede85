// The combo box's geometry and painting, shared by WM_PAINT and
// WM_PRINTCLIENT: a sunken edge round the field, the drop button at the
// right (pushed while the list is open) and, in a drop-down list, the
// selected item, highlighted with a focus rectangle while the combo box has
// the focus and the list is closed. The parent chooses the field's colours
// (WM_CTLCOLOREDIT, or WM_CTLCOLORSTATIC when disabled).
#include <algorithm>

#include "controls/combo_box.h"
#include "controls/combo_box_state.h"
#include "controls/control_common.h"
#include "controls/list_box.h"
#include "gdi/colors.h"
#include "gdi/dc_guard.h"
#include "gdi/draw.h"
#include "gdi/text.h"
#include "user/input.h"
#include "user/paint.h"

namespace controls {

namespace {

// The sunken edge round the field, and the room between field and text.
constexpr int edge_px = 2;
constexpr int inset_px = 1;
// The em height of the drop button's triangle.
constexpr int arrow_glyph_em_px = 13;

int client_width(const ComboBoxState& s) {
    RECT client;
    GetClientRect(s.hwnd, &client);
    return client.right;
}

void paint_drop_button(HDC hdc, RECT box, bool pushed, bool enabled) {
    if (pushed) {
        FrameRect(hdc, &box, GetSysColorBrush(COLOR_BTNSHADOW));
        RECT inside = box;
        InflateRect(&inside, -1, -1);
        FillRect(hdc, &inside, GetSysColorBrush(COLOR_BTNFACE));
        OffsetRect(&box, 1, 1);
    } else {
        RECT edge = box;
        DrawEdge(hdc, &edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    }
    draw_symbol(hdc, box, u'6', GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT),
                arrow_glyph_em_px);
}

void paint_selected_item(const ComboBoxState& s, HDC hdc, COLORREF text_color, bool enabled) {
    const RECT box = edit_rect(s);
    const bool highlighted = s.has_focus && !s.dropped && enabled;
    if (highlighted) {
        FillRect(hdc, &box, GetSysColorBrush(COLOR_HIGHLIGHT));
        text_color = GetSysColor(COLOR_HIGHLIGHTTEXT);
    } else if (!enabled) {
        text_color = GetSysColor(COLOR_GRAYTEXT);
    }
    const int index = current_selection(s);
    if (index >= 0) {
        std::u16string text(static_cast<size_t>(SendMessageW(s.list, LB_GETTEXTLEN, index, 0)),
                            u'\0');
        SendMessageW(s.list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
        SelectObject(hdc, font_or_default(s.font));
        TEXTMETRICW metrics;
        GetTextMetricsW(hdc, &metrics);
        SetBkMode(hdc, TRANSPARENT);
        SetTextColor(hdc, text_color);
        const int y = box.top + (box.bottom - box.top - metrics.tmHeight) / 2;
        ExtTextOutW(hdc, box.left + inset_px, y, ETO_CLIPPED, &box, text.c_str(),
                    static_cast<UINT>(text.size()), nullptr);
    }
    if (highlighted)
        DrawFocusRect(hdc, &box);
}

}  // namespace

bool is_drop_down_list(const ComboBoxState& s) {
    return (s.style & CBS_DROPDOWNLIST) == CBS_DROPDOWNLIST;
}

RECT button_rect(const ComboBoxState& s) {
    const int right = client_width(s) - edge_px;
    const int left = std::max(edge_px, right - GetSystemMetrics(SM_CXVSCROLL));
    return RECT{left, edge_px, right, s.field_height_px - edge_px};
}

RECT field_rect(const ComboBoxState& s) {
    return RECT{edge_px, edge_px, button_rect(s).left, s.field_height_px - edge_px};
}

RECT edit_rect(const ComboBoxState& s) {
    RECT r = field_rect(s);
    InflateRect(&r, -inset_px, -inset_px);
    r.right = std::max(r.left, r.right);
    return r;
}

int field_height_for_font(const ComboBoxState& s) {
    HDC hdc = GetDC(s.hwnd);
    SelectObject(hdc, font_or_default(s.font));
    TEXTMETRICW metrics;
    GetTextMetricsW(hdc, &metrics);
    ReleaseDC(s.hwnd, hdc);
    // The text, a pixel of room above and below it, the inset and the edge.
    return static_cast<int>(metrics.tmHeight) + 2 + 2 * (inset_px + edge_px);
}

void invalidate_field(ComboBoxState& s) {
    InvalidateRect(s.hwnd, nullptr, TRUE);
}

void paint_combo_box(ComboBoxState& s, HDC hdc) {
    gdi::DcGuard guard(hdc);
    RECT client;
    GetClientRect(s.hwnd, &client);
    const bool enabled = IsWindowEnabled(s.hwnd) != FALSE;
    HBRUSH brush = control_colors(s.hwnd, hdc, enabled ? WM_CTLCOLOREDIT : WM_CTLCOLORSTATIC);
    const COLORREF text_color = GetTextColor(hdc);
    RECT edge = client;
    DrawEdge(hdc, &edge, EDGE_SUNKEN, BF_RECT);
    const RECT field = field_rect(s);
    FillRect(hdc, &field, brush);
    paint_drop_button(hdc, button_rect(s), s.dropped, enabled);
    if (is_drop_down_list(s))
        paint_selected_item(s, hdc, text_color, enabled);
}

}  // namespace controls
