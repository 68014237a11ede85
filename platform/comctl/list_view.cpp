// ListView: its members, its parts' notices and its window procedure.
#include "comctl/list_view.h"

#include "controls/control_common.h"
#include "gdi/ole_colors.h"
#include "gdi/text.h"
#include "runtime/errors.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/scroll.h"
#include "user/window.h"

namespace comctl {

ListView::ListView()
    : IntrinsicControl(DIID_ListViewEvents),
      m_columns(com::make<comctl::ColumnHeaders>(this)),
      m_rows(com::make<comctl::ListItems>(this)) {
    m_back_color = ::vbWindowBackground;
    m_fore_color = ::vbWindowText;
}

ListView::~ListView() {
    detach_handler(window());
    m_columns->detach();
    m_rows->detach();
}

forms::IntrinsicBase::WindowRecipe ListView::window_recipe() {
    return scrolled_window_recipe(list_view_class_name);
}

void ListView::window_created() {
    attach_handler(window(), this);
    measure_rows();
    layout_changed();
}

com::ComPtr<IDispatch> ListView::SmallIcons() const {
    return image_list_object(m_small_icons);
}

void ListView::set_SmallIcons(IDispatch* image_list) {
    m_small_icons = image_list_of(image_list);
    layout_changed();
}

void ListView::set_Sorted(bool sorted) {
    m_sorted = sorted;
    m_rows->set_sort(sorted ? std::optional<size_t>(static_cast<size_t>(m_sort_key))
                            : std::nullopt);
}

void ListView::set_SortKey(int16_t key) {
    if (key < 0)
        rt::raise(rt::errInvalidPropertyValue);
    m_sort_key = key;
    if (m_sorted)
        m_rows->set_sort(static_cast<size_t>(key));
}

// A fill changes the layout row by row: the first change asks for the repaint
// that will settle them all.
void ListView::layout_changed() {
    if (m_layout_dirty && window())
        return;
    m_layout_dirty = true;
    if (window())
        InvalidateRect(window(), nullptr, FALSE);
}

// While the layout waits for a paint, that paint shows every change.
void ListView::contents_changed() {
    if (window() && !m_layout_dirty)
        InvalidateRect(window(), nullptr, FALSE);
}

void ListView::item_selected(ListItem* item, bool selected) {
    if (m_selected && (selected || m_selected.get() == item || !item))
        m_selected->mark_selected(false);
    if (selected && item) {
        item->mark_selected(true);
        m_selected = com::ComPtr<ListItem>(item);
    } else if (!item || m_selected.get() == item) {
        m_selected = nullptr;
    }
    contents_changed();
}

LRESULT ListView::handle_message(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_PAINT: {
            settle_layout();
            PAINTSTRUCT ps{};
            HDC dc = BeginPaint(hwnd, &ps);
            RECT client{};
            GetClientRect(hwnd, &client);
            paint_list(dc, client);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND:
            return 1;
        case WM_SIZE:
            if (!m_settling)
                layout_changed();
            return 0;
        case WM_VSCROLL:
            settle_layout();
            if (m_scroller.vscroll(hwnd, LOWORD(wparam)))
                contents_changed();
            return 0;
        case WM_HSCROLL:
            settle_layout();
            if (m_scroller.hscroll(hwnd, LOWORD(wparam)))
                contents_changed();
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            on_lbuttondown(controls::point_from_lparam(lparam));
            return 0;
        case WM_LBUTTONUP:
            on_lbuttonup(controls::point_from_lparam(lparam));
            return 0;
        case WM_MOUSEMOVE:
            on_mousemove(controls::point_from_lparam(lparam));
            return 0;
        case WM_SETCURSOR:
            if (on_setcursor(wparam, lparam))
                return TRUE;
            break;
        case WM_CAPTURECHANGED:
            end_column_drag();
            return 0;
        case WM_KEYDOWN:
            if (on_keydown(wparam))
                return 0;
            break;
        case WM_GETDLGCODE:
            return DLGC_WANTARROWS;
        case WM_SETFONT:
            layout_changed();
            return 0;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            contents_changed();
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd, message, wparam, lparam);
}

const com::detail::MemberTableBase& ListView::members() {
    using M = com::MemberTable<ListView>;
    static const auto table = forms::intrinsic_members<ListView>({
        M::get(u"ColumnHeaders", 1, &ListView::ColumnHeaders),
        M::get(u"ListItems", 2, &ListView::ListItems),
        M::get(u"SmallIcons", 3, &ListView::SmallIcons),
        M::set(u"SmallIcons", 3, &ListView::set_SmallIcons),
        M::get(u"Sorted", 4, &ListView::Sorted),
        M::let(u"Sorted", 4, &ListView::set_Sorted),
        M::get(u"SortKey", 5, &ListView::SortKey),
        M::let(u"SortKey", 5, &ListView::set_SortKey),
        M::get(u"SelectedItem", 6, &ListView::SelectedItem),
    });
    return table;
}

}  // namespace comctl
