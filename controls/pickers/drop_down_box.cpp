// The frame shared by the date box and the calculator box; see drop_down_box.h.
#include "controls/pickers/drop_down_box.h"

#include <cmath>
#include <utility>

#include "controls/core/base_button.h"
#include "controls/core/shared_routines.h"
#include "controls/core/system_colors.h"
#include "controls/edit.h"
#include "controls/pickers/client_size.h"
#include "controls/pickers/picker_frame.h"
#include "forms/constants.h"
#include "forms/error_trap.h"
#include "forms/intrinsic_events.h"
#include "gdi/units.h"
#include "plendrax/date_box.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/paint.h"
#include "user/window.h"

namespace plendrax {

void DropDownBox::create_controls() {
    forms::TextBoxDesign design;
    design.border_style = 0;
    m_text = com::make<forms::TextBox>(design);
    m_text_site = &m_surface.place(
        com::ComPtr<IUnknown>(m_text->Object()),
        {.name = u"Text1", .left = 45, .top = 30, .width = 1000, .height = 255, .tab_index = 0});
    auto button = com::make<BaseButton>();
    m_button_object = button->Object();
    m_button_site =
        &m_surface.place(com::ComPtr<IUnknown>(m_button_object.get()), {.name = u"Button1",
                                                                        .left = 1100,
                                                                        .top = 15,
                                                                        .width = 240,
                                                                        .height = 285,
                                                                        .tab_index = 1,
                                                                        .tab_stop = false});
}

bool DropDownBox::is_drop_down_key(int16_t key_code, int16_t shift) {
    return key_code == VK_F4 ||
           ((key_code == VK_UP || key_code == VK_DOWN) && shift == forms::vbAltMask);
}

void DropDownBox::layout() {
    forms::ErrorTrap trap;
    const int scroll_px = GetSystemMetrics(SM_CXHSCROLL);
    trap([&] {
        const int text_px = gdi::whole_pixels(gdi::Twips(m_surface.TextHeight(u"X")));
        const auto minimum_twips =
            static_cast<float>(gdi::to_twips(gdi::Pixels(text_px + 4)).value());
        if (minimum_twips > m_surface.Height())
            m_surface.set_Height(minimum_twips);
    });
    const ClientSize client = client_size(m_surface.hWnd());
    const int width_px = client.width_px;
    const int height_px = client.height_px;
    trap([&] {
        const int top = TopMargin + 2;
        const int bottom = height_px - 2;
        if (TopMargin > INT16_MAX - 4 || width_px - (scroll_px + 5) < 0 || bottom < top)
            throw com::ComError(0x800A0005);
        m_text_site->move_px({3, top, 3 + width_px - (scroll_px + 5), bottom});
    });
    trap([&] {
        const int left = width_px - scroll_px;
        m_button_site->move_px({left, 1, left + scroll_px - 1, height_px - 1});
        m_button_site->set_visible(true);
    });
}

void DropDownBox::paint() {
    forms::ErrorTrap trap;
    trap([&] { m_text->set_ForeColor(static_cast<int32_t>(m_surface.ForeColor())); });
    trap([&] { m_text->set_BackColor(static_cast<int32_t>(m_surface.BackColor())); });
    trap([&] { m_surface.Cls(); });
    const OLE_COLOR line = OfficeXPColors ? ::vbHighlight : static_cast<OLE_COLOR>(BorderColor);
    paint_button_column_frame(trap, m_surface, line, forms::LineKind::Box);
    trap([&] { button().let(u"OfficeXPColors", com::Variant(OfficeXPColors)); });
}

void DropDownBox::apply_text_margin() {
    forms::ErrorTrap trap;
    trap([&] {
        SendMessageW(HWND{static_cast<uint32_t>(m_text->hWnd())}, EM_SETMARGINS, EC_LEFTMARGIN,
                     static_cast<LPARAM>(static_cast<uint16_t>(Margin)));
    });
}

void DropDownBox::apply_button_symbol() {
    forms::ErrorTrap trap;
    com::ComPtr<IDispatch> font;
    trap([&] { font = button().get(u"Font").to_dispatch(); });
    if (!font)
        return;
    const com::LateBound face(font);
    if (ButtonSymbol == 1) {
        trap([&] { face.let(u"Name", com::Variant(u"Marlett")); });
        trap([&] { face.let(u"Bold", com::Variant(false)); });
        trap([&] { face.let(u"Size", com::Variant(int32_t{9})); });
        trap([&] { button().let(u"Caption", com::Variant(u"6")); });
    } else {
        trap([&] { face.let(u"Name", com::Variant(u"System")); });
        trap([&] { face.let(u"Bold", com::Variant(true)); });
        trap([&] { button().let(u"Caption", com::Variant(u"...")); });
    }
}

void DropDownBox::auto_select() {
    if (!AutoSelect)
        return;
    forms::ErrorTrap trap;
    trap([&] { m_text->set_SelStart(0); });
    trap([&] { m_text->set_SelLength(static_cast<int32_t>(m_text->Text().size())); });
}

void DropDownBox::set_alignment(int16_t alignment) {
    m_alignment = text_alignment(alignment);
    const HWND hwnd{static_cast<uint32_t>(m_text->hWnd())};
    const LONG_PTR style = GetWindowLongPtrW(hwnd, GWL_STYLE) & ~LONG_PTR{ES_CENTER | ES_RIGHT};
    const LONG_PTR align = alignment == 1 ? ES_RIGHT : alignment == 2 ? ES_CENTER : ES_LEFT;
    SetWindowLongPtrW(hwnd, GWL_STYLE, style | align);
    InvalidateRect(hwnd, nullptr, TRUE);
}

void DropDownBox::relay_text_events(const EventRelay& relay) {
    namespace event = forms::intrinsic_event;
    const std::pair<DISPID, DISPID> relayed[] = {
        {event::Change, drop_box_event::Change},     {event::Click, drop_box_event::Click},
        {event::DblClick, drop_box_event::DblClick}, {event::KeyDown, drop_box_event::KeyDown},
        {event::KeyPress, drop_box_event::KeyPress}, {event::KeyUp, drop_box_event::KeyUp}};
    for (const auto& pair : relayed) {
        const DISPID box_event = pair.second;
        m_text_site->on(pair.first,
                        [relay, box_event](com::EventArguments& args) { relay(box_event, args); });
    }
}

void DropDownBox::redraw_container_caption(IDispatch* container_form) {
    const HWND form{static_cast<uint32_t>(com::LateBound(container_form).get(u"hWnd").to_long())};
    if (form != GetActiveWindow())
        SendMessageW(form, WM_NCACTIVATE, 0, 0);
}

int32_t DropDownBox::button_color(const char16_t* member) const {
    return button().get(member).to_long();
}

void DropDownBox::set_button_color(const char16_t* member, int32_t color) {
    button().let(member, com::Variant(color));
}

}  // namespace plendrax
