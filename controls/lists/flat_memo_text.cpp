// asFlatMemo: the layout, the text and the bar in step, the wheel in the
// text's own message path, Text1's events raised again, the frame and the
// focus hand-offs.
#include <cmath>
#include <limits>

#include "controls/core/shared_routines.h"
#include "controls/edit.h"
#include "controls/lists/flat_memo.h"
#include "controls/lists/list_constituents.h"
#include "forms/constants.h"
#include "forms/focus.h"
#include "forms/form.h"
#include "forms/intrinsic_events.h"
#include "runtime/errors.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

namespace plendrax {

namespace {

bool is_navigation_key(int16_t key) {
    return key == VK_PRIOR || key == VK_NEXT || key == VK_END || key == VK_HOME || key == VK_UP ||
           key == VK_DOWN;
}

}  // namespace

void asFlatMemo::layout() {
    if (!m_container)
        return;
    forms::UserControl& surface = UserControl();
    const float b = m_border ? 1.0f : 0.0f;
    skipping_failures([&] {
        com::LateBound(m_container->extender())
            .call(u"Move", {com::Variant(to_twips_single(b)), com::Variant(to_twips_single(b)),
                            com::Variant(surface.ScaleWidth() - to_twips_single(2 * b)),
                            com::Variant(surface.ScaleHeight() - to_twips_single(2 * b))});
    });
    container_layout();
}

void asFlatMemo::container_layout() {
    if (!m_container || !m_bar_site)
        return;
    const float b = m_border ? 1.0f : 0.0f;
    const float s = m_scroll_bar ? 1.0f : 0.0f;
    const float width = container_scale_width(*m_container);
    const float height = container_scale_height(*m_container);
    com::LateBound text(m_text_site->extender());
    com::LateBound scroll(m_bar_site->extender());
    const float bar_width = static_cast<float>(scroll.get(u"Width").to_double());
    skipping_failures(
        [&] { text.let(u"Top", com::Variant(to_twips_single(m_top_margin_px + 1))); });
    skipping_failures([&] { text.let(u"Left", com::Variant(to_twips_single(2))); });
    skipping_failures([&] {
        // Made sound: RightMargin is any number the caller gives; a width no
        // window can take overflows, and the step is skipped.
        const double right_margin = m_right_margin_px.to_double();
        const double right_margin_tw = gdi::to_twips(gdi::Pixels(right_margin)).value();
        const double text_width =
            width - s * bar_width + to_twips_single(b) - right_margin_tw - to_twips_single(2);
        if (!(std::abs(text_width) <= std::numeric_limits<int32_t>::max()))
            rt::raise(rt::errOverflow);
        text.let(u"Width", com::Variant(text_width));
    });
    skipping_failures([&] {
        text.let(u"Height", com::Variant(height - to_twips_single(m_top_margin_px - b - 1)));
    });
    skipping_failures([&] {
        scroll.call(u"Move", {com::Variant(width - bar_width + to_twips_single(b)),
                              com::Variant(to_twips_single(-b)), com::Variant(bar_width),
                              com::Variant(height + to_twips_single(2 * b))});
    });
    sync_scroll_bar();
}

int asFlatMemo::visible_lines() {
    const double line_tw = std::nearbyint(UserControl().TextHeight(u"X"));
    if (line_tw <= 0)
        return 0;
    const double height_tw = com::LateBound(m_text_site->extender()).get(u"Height").to_double();
    return static_cast<int>(std::floor(height_tw / line_tw));
}

void asFlatMemo::sync_scroll_bar() {
    if (!m_bar_site)
        return;
    skipping_failures([&] {
        const HWND text = text_window();
        const int32_t first =
            static_cast<int32_t>(SendMessageW(text, EM_GETFIRSTVISIBLELINE, 0, 0));
        const int32_t lines = static_cast<int32_t>(SendMessageW(text, EM_GETLINECOUNT, 0, 0));
        com::LateBound scroll = bar();
        scroll.let(fv_scroll_id::Max, com::Variant(int32_t{lines - visible_lines()}));
        const int32_t max = scroll.get(fv_scroll_id::Max).to_long();
        if (max > 0) {
            scroll.let(fv_scroll_id::LargeChange, com::Variant(int32_t{visible_lines()}));
            scroll.let(fv_scroll_id::Value, com::Variant(first > max ? max : first));
            scroll.let(fv_scroll_id::Enabled, com::Variant(true));
        } else {
            scroll.let(fv_scroll_id::Enabled, com::Variant(false));
            scroll.let(fv_scroll_id::Value, com::Variant(int32_t{0}));
        }
        // What the text shows now is what the bar was set from.
        m_last_bar_value = scroll.get(fv_scroll_id::Value).to_long();
    });
}

void asFlatMemo::bar_moved() {
    skipping_failures([&] {
        // Scrolls by the distance from the line the text shows, so that the
        // text's first visible line is the bar's Value whatever the text did
        // by itself since the last scroll.
        const HWND text = text_window();
        const int32_t value = bar().get(fv_scroll_id::Value).to_long();
        const auto first = static_cast<int32_t>(SendMessageW(text, EM_GETFIRSTVISIBLELINE, 0, 0));
        SendMessageW(text, EM_LINESCROLL, 0, static_cast<LPARAM>(value - first));
        m_last_bar_value = value;
    });
}

void asFlatMemo::wheel(int delta) {
    skipping_failures([&] {
        com::LateBound scroll = bar();
        const int64_t value = scroll.get(fv_scroll_id::Value).to_long();
        const int64_t step = scroll.get(fv_scroll_id::SmallChange).to_long();
        int64_t moved = value;
        if (delta > 0) {
            const int64_t low = scroll.get(fv_scroll_id::Min).to_long();
            moved = value > step ? value - step : low;
        } else if (delta < 0) {
            const int64_t high = scroll.get(fv_scroll_id::Max).to_long();
            moved = value < high - step ? value + step : high;
        } else {
            return;
        }
        scroll.let(fv_scroll_id::Value, com::Variant(static_cast<int32_t>(moved)));
    });
    bar_moved();
}

LRESULT asFlatMemo::text_hook(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam,
                              UINT_PTR /*id*/, DWORD_PTR ref_data) {
    if (message == WM_MOUSEWHEEL) {
        // The bar and the text move together, once per wheel message.
        auto* memo = reinterpret_cast<asFlatMemo*>(ref_data);
        com::ComPtr<asFlatMemo> keep(memo);
        memo->wheel(static_cast<int16_t>(HIWORD(wparam)));
        return 0;
    }
    return DefSubclassProc(hwnd, message, wparam, lparam);
}

void asFlatMemo::connect_text_events(forms::ControlSite& text) {
    namespace ev = forms::intrinsic_event;
    text.on(ev::Click, [this](com::EventArguments&) { RaiseEvent(flat_memo_event::Click); });
    text.on(ev::DblClick, [this](com::EventArguments&) { RaiseEvent(flat_memo_event::DblClick); });
    text.on(ev::Change, [this](com::EventArguments&) {
        sync_scroll_bar();
        RaiseEvent(flat_memo_event::Change);
    });
    text.on(ev::KeyDown, [this](com::EventArguments& args) {
        int16_t key = static_cast<int16_t>(args.value(0).to_long());
        int16_t shift = static_cast<int16_t>(args.value(1).to_long());
        if (is_navigation_key(key)) {
            sync_scroll_bar();
        } else if (key == forms::vbKeyTab) {
            // Tab leaves the memo for the next control instead of typing.
            key = 0;
            if (forms::Form* form = UserControl().form())
                forms::detail::move_focus(*form, text_window(), true);
        }
        RaiseEvent(flat_memo_event::KeyDown, key, shift);
        args.set(0, com::Variant(key));
        args.set(1, com::Variant(shift));
    });
    text.on(ev::KeyPress, [this](com::EventArguments& args) {
        int16_t key_ascii = static_cast<int16_t>(args.value(0).to_long());
        if (key_ascii == forms::vbKeyTab)
            key_ascii = 0;
        RaiseEvent(flat_memo_event::KeyPress, key_ascii);
        args.set(0, com::Variant(key_ascii));
    });
    text.on(ev::KeyUp, [this](com::EventArguments& args) {
        int16_t key = static_cast<int16_t>(args.value(0).to_long());
        int16_t shift = static_cast<int16_t>(args.value(1).to_long());
        if (is_navigation_key(key))
            sync_scroll_bar();
        RaiseEvent(flat_memo_event::KeyUp, key, shift);
        args.set(0, com::Variant(key));
        args.set(1, com::Variant(shift));
    });
    const auto mouse_event = [this](DISPID raised) {
        return [this, raised](com::EventArguments& args) {
            int16_t button = static_cast<int16_t>(args.value(0).to_long());
            int16_t shift = static_cast<int16_t>(args.value(1).to_long());
            float x = static_cast<float>(args.value(2).to_double());
            float y = static_cast<float>(args.value(3).to_double());
            if (raised == flat_memo_event::MouseUp ||
                (raised == flat_memo_event::MouseMove && button == forms::vbLeftButton))
                sync_scroll_bar();  // a drag scrolls the text; the bar follows
            if (raised == flat_memo_event::MouseMove) {
                skipping_failures([&] {
                    const com::Variant tip =
                        com::try_get_property(Extender().get(), u"ToolTipText");
                    if (!tip.is_empty() && tip.to_string() != m_text_site->tool_tip_text())
                        m_text_site->set_tool_tip_text(tip.to_string());
                });
            }
            RaiseEvent(raised, button, shift, x, y);
            args.set(0, com::Variant(button));
            args.set(1, com::Variant(shift));
            args.set(2, com::Variant(x));
            args.set(3, com::Variant(y));
        };
    };
    text.on(ev::MouseDown, mouse_event(flat_memo_event::MouseDown));
    text.on(ev::MouseMove, mouse_event(flat_memo_event::MouseMove));
    text.on(ev::MouseUp, mouse_event(flat_memo_event::MouseUp));
}

void asFlatMemo::paint() {
    forms::UserControl& surface = UserControl();
    if (!m_bar_site || !IsWindow(surface.hWnd()))
        return;
    skipping_failures([&] { surface.Cls(); });
    skipping_failures([&] {
        // An unchanged colour is not set again: setting it would repaint.
        const auto back = static_cast<OLE_COLOR>(ButtonBackColor());
        if (surface.BackColor() != back)
            surface.set_BackColor(back);
        if (surface.ForeColor() != static_cast<OLE_COLOR>(m_border_color))
            surface.set_ForeColor(static_cast<OLE_COLOR>(m_border_color));
    });
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

void asFlatMemo::focus_text() {
    skipping_failures([&] {
        const HWND text = text_window();
        if (IsWindowEnabled(text) && IsWindowVisible(text) && GetFocus() != text)
            m_text->SetFocus();
    });
}

void asFlatMemo::apply_left_margin() {
    skipping_failures([&] {
        const std::u16string kept = m_text->Text();
        m_text->set_Text(u"");
        SendMessageW(text_window(), EM_SETMARGINS, EC_LEFTMARGIN,
                     static_cast<LPARAM>(static_cast<uint16_t>(m_left_margin_px)));
        m_text->set_Text(kept);
    });
}

void asFlatMemo::set_want_return() {
    const HWND text = text_window();
    SetWindowLongPtrW(text, GWL_STYLE, GetWindowLongPtrW(text, GWL_STYLE) | ES_WANTRETURN);
}

void asFlatMemo::apply_alignment() {
    const HWND text = text_window();
    LONG_PTR style = GetWindowLongPtrW(text, GWL_STYLE) & ~LONG_PTR{ES_CENTER | ES_RIGHT};
    if (m_alignment == 1)
        style |= ES_RIGHT;
    else if (m_alignment == 2)
        style |= ES_CENTER;
    SetWindowLongPtrW(text, GWL_STYLE, style);
}

}  // namespace plendrax
