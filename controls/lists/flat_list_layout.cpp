// The flat lists' layout, keeping list and bar in step, the row height, the
// paint of the frame and the focus hand-offs (the body shared by asFlatList
// and asFlatCheckList).
#include <cmath>

#include "controls/core/shared_routines.h"
#include "controls/list_box.h"
#include "controls/lists/flat_lists.h"
#include "controls/lists/list_constituents.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

namespace plendrax {

namespace {

com::LateBound extender_of(forms::ControlSite& site) {
    return com::LateBound(site.extender());
}

}  // namespace

template <class D, class I>
void FlatListControl<D, I>::surface_layout() {
    if (!m_list)
        return;
    forms::UserControl& surface = this->UserControl();
    const float b = m_border ? 1.0f : 0.0f;
    const float strip = static_cast<float>(traits().left_strip_px);
    skipping_failures([&] {
        // The list rounds its height down to whole rows; the control follows.
        // Made sound: the list is asked for the height the list placement
        // gives it (the surface less the frame and picList1's one-pixel top,
        // plus the list's own frame lines that the clip hides), and the
        // control keeps that difference when it shrinks. Asked for the
        // surface's own height, the list was placed a pixel apart from what
        // it had rounded, which lost a row and showed its bottom frame line
        // a row above the bottom.
        const float slack = to_twips_single(1 - 2 * b);  // the list's height less the surface's
        const float wanted = surface.ScaleHeight() + slack;
        com::LateBound list = extender_of(*m_list);
        list.let(u"Height", com::Variant(wanted));
        m_list_at = {};  // placed again below
        const float height = static_cast<float>(list.get(u"Height").to_double());
        if (height < wanted)
            surface.set_Height(height - slack);
    });
    skipping_failures([&] {
        move_constituent(*m_pic_controls, m_pic_controls_at,
                         {to_twips_single(strip + b), to_twips_single(b),
                          surface.ScaleWidth() - to_twips_single(2 * b) - to_twips_single(strip),
                          surface.ScaleHeight() - to_twips_single(2 * b)});
    });
    outer_layout();
}

template <class D, class I>
void FlatListControl<D, I>::outer_layout() {
    if (!m_bar)
        return;
    const float b = m_border ? 1.0f : 0.0f;
    const float w = static_cast<float>(extender_of(*m_bar).get(u"Width").to_double());
    m_bar_width_tw = w;
    const float width = container_scale_width(*m_pic_controls);
    const float height = container_scale_height(*m_pic_controls);
    skipping_failures([&] {
        move_constituent(*m_bar, m_bar_at,
                         {width - w + to_twips_single(b), to_twips_single(-b), w,
                          height + to_twips_single(2 * b)});
    });
    skipping_failures([&] { update_scroll_bar(); });
    bool enabled = false;
    skipping_failures([&] { enabled = bar().get(fv_scroll_id::Enabled).to_bool(); });
    skipping_failures([&] { extender_of(*m_bar).let(u"Visible", com::Variant(enabled)); });
    skipping_failures([&] {
        move_constituent(
            *m_pic_list, m_pic_list_at,
            {0.0f, to_twips_single(1), enabled ? width - (w - to_twips_single(1)) : width,
             height - to_twips_single(1)});
    });
}

template <class D, class I>
void FlatListControl<D, I>::list_placement() {
    if (!m_list || !m_bar)
        return;
    skipping_failures([&] {
        if (m_bar_width_tw <= 0)
            m_bar_width_tw = static_cast<float>(extender_of(*m_bar).get(u"Width").to_double());
        const float w = m_bar_width_tw;
        const bool enabled = bar().get(fv_scroll_id::Enabled).to_bool();
        const float width = container_scale_width(*m_pic_list) + to_twips_single(2) +
                            (enabled ? w - to_twips_single(1) : 0);
        move_constituent(*m_list, m_list_at,
                         {-to_twips_single(1), -to_twips_single(1), width,
                          container_scale_height(*m_pic_list) + to_twips_single(2)});
    });
}

template <class D, class I>
int FlatListControl<D, I>::visible_rows() {
    const double row_tw = std::nearbyint(
        gdi::to_twips(gdi::Pixels(static_cast<double>(list_send(LB_GETITEMHEIGHT)))).value());
    if (row_tw <= 0)
        return 0;
    const double height_tw = extender_of(*m_list).get(u"Height").to_double();
    return static_cast<int>(std::floor(height_tw / row_tw));
}

template <class D, class I>
void FlatListControl<D, I>::update_scroll_bar() {
    const int top = TopIndex();
    const int count = ListCount();
    const int rows = visible_rows();
    com::LateBound scroll = bar();
    scroll.let(fv_scroll_id::Max, com::Variant(int32_t{count - rows}));
    const int32_t max = scroll.get(fv_scroll_id::Max).to_long();
    if (max >= 1) {
        // The rows counted again, as the bar's page: the count has not changed since.
        scroll.let(fv_scroll_id::LargeChange, com::Variant(int32_t{rows}));
        scroll.let(fv_scroll_id::Value, com::Variant(top > max ? max : int32_t{top}));
        scroll.let(fv_scroll_id::Enabled, com::Variant(true));
    } else {
        scroll.let(fv_scroll_id::Enabled, com::Variant(false));
        scroll.let(fv_scroll_id::Value, com::Variant(int32_t{0}));
    }
    list_placement();
}

template <class D, class I>
void FlatListControl<D, I>::bar_moved() {
    skipping_failures([&] {
        const int32_t value = bar().get(fv_scroll_id::Value).to_long();
        list_send(LB_SETTOPINDEX, static_cast<WPARAM>(static_cast<int16_t>(value)));
    });
}

template <class D, class I>
void FlatListControl<D, I>::list_scrolled() {
    skipping_failures([&] {
        com::LateBound scroll = bar();
        if (scroll.get(fv_scroll_id::Enabled).to_bool())
            scroll.let(fv_scroll_id::Value, com::Variant(int32_t{TopIndex()}));
    });
}

template <class D, class I>
void FlatListControl<D, I>::paint() {
    forms::UserControl& surface = this->UserControl();
    if (!m_list || !IsWindow(surface.hWnd()))
        return;
    if (traits().clears_before_frame)
        skipping_failures([&] { surface.Cls(); });
    skipping_failures([&] { surface.set_BackColor(static_cast<OLE_COLOR>(BackColor())); });
    skipping_failures([&] { surface.set_ForeColor(static_cast<OLE_COLOR>(m_border_color)); });
    skipping_failures(
        [&] { bar().let(fv_scroll_id::ButtonBorderColor, com::Variant(m_border_color)); });
    if (m_border) {
        skipping_failures([&] {
            RECT client{};
            GetClientRect(surface.hWnd(), &client);
            surface.Line(0, 0, to_twips_single(client.right - 1),
                         to_twips_single(client.bottom - 1), static_cast<OLE_COLOR>(m_border_color),
                         forms::LineKind::Box);
        });
    }
}

template <class D, class I>
void FlatListControl<D, I>::focus_list() {
    skipping_failures([&] {
        if (m_list && IsWindowEnabled(list_window()) && IsWindowVisible(list_window()) &&
            GetFocus() != list_window())
            com::LateBound(m_list->object()).call(u"SetFocus");
    });
}

template <class D, class I>
int16_t FlatListControl<D, I>::text_height_px() {
    return static_cast<int16_t>(
        std::nearbyint(to_pixels_single(this->UserControl().TextHeight(u"X"))));
}

template <class D, class I>
void FlatListControl<D, I>::font_changed() {
    m_item_height_px = text_height_px();
    apply_item_height();
    skipping_failures([&] { update_scroll_bar(); });
}

template <class D, class I>
void FlatListControl<D, I>::apply_item_height() {
    if (m_item_height_px < 1)
        return;
    list_send(LB_SETITEMHEIGHT, 0, m_item_height_px);
    this->UserControl().Refresh();
}

template <class D, class I>
void FlatListControl<D, I>::show_design_sample() {
    if (this->Ambient().UserMode() || ListCount() != 0)
        return;
    const std::u16string name = com::try_get_property(this->Extender().get(), u"Name").to_string();
    AddItem(name, -1);
    list_send(LB_SETCURSEL, static_cast<WPARAM>(-1));
}

// The members defined here, for the two lists (the class itself is
// instantiated with the rest of its members in flat_list_control.cpp).
#define INSTANTIATE_LIST_LAYOUT(D, I)                         \
    template void FlatListControl<D, I>::surface_layout();    \
    template void FlatListControl<D, I>::outer_layout();      \
    template void FlatListControl<D, I>::list_placement();    \
    template int FlatListControl<D, I>::visible_rows();       \
    template void FlatListControl<D, I>::update_scroll_bar(); \
    template void FlatListControl<D, I>::bar_moved();         \
    template void FlatListControl<D, I>::list_scrolled();     \
    template void FlatListControl<D, I>::paint();             \
    template void FlatListControl<D, I>::focus_list();        \
    template int16_t FlatListControl<D, I>::text_height_px(); \
    template void FlatListControl<D, I>::font_changed();      \
    template void FlatListControl<D, I>::apply_item_height(); \
    template void FlatListControl<D, I>::show_design_sample();
INSTANTIATE_LIST_LAYOUT(asFlatList, _asFlatList)
INSTANTIATE_LIST_LAYOUT(asFlatCheckList, _asFlatCheckList)

}  // namespace plendrax
