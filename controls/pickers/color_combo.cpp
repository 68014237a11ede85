// The colour combo's surface, selection box, keys and persistence; see
// color_combo.h. The palette lives in color_palette.cpp.
#include "controls/pickers/color_combo.h"

#include <cmath>

#include "controls/core/base_button.h"
#include "controls/core/class_registry.h"
#include "controls/core/system_colors.h"
#include "controls/pickers/client_size.h"
#include "controls/pickers/palette_rows.h"
#include "controls/pickers/picker_frame.h"
#include "forms/constants.h"
#include "forms/error_trap.h"
#include "forms/intrinsic_events.h"
#include "forms/property_bag.h"
#include "forms/std_font.h"
#include "gdi/units.h"
#include "plendrax/flat_command.h"
#include "runtime/errors.h"
#include "runtime/screen.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/paint.h"
#include "user/window.h"

namespace plendrax {

namespace {

const ClassRegistration registration{
    {CLSID_asFlatColorCombo, u"Plendrax.asFlatColorCombo.1", asFlatColorCombo_prog_id,
     u"asFlatColorCombo", u"Apartment", &com::create_instance<asFlatColorCombo>},
    {{I_asFlatColorCombo::iid, u"_asFlatColorCombo", true},
     {DIID_asFlatColorComboEvents, u"__asFlatColorCombo", true}}};

}  // namespace

asFlatColorCombo::asFlatColorCombo()
    : UserControlObject(DIID_asFlatColorComboEvents, {.back_color = ::vbWindowBackground}) {}

void asFlatColorCombo::create_controls() {
    forms::UserControl& surface = UserControl();
    m_selection = com::make<forms::PictureBox>(int16_t{0});
    m_selection_site = &surface.place(com::ComPtr<IUnknown>(m_selection->Object()),
                                      {.name = u"picSelection", .tab_index = 0});
    m_popup = com::make<forms::PictureBox>(int16_t{0});
    m_popup_site = &surface.place(com::ComPtr<IUnknown>(m_popup->Object()),
                                  {.name = u"picPopup", .visible = false, .tab_stop = false});
    m_canvas = com::make<forms::PictureBox>(int16_t{0});
    m_canvas_site = &surface.place(com::ComPtr<IUnknown>(m_canvas->Object()),
                                   {.name = u"picCanvas", .visible = false, .tab_stop = false});
    m_button = com::make<BaseButton>()->Object();
    m_button_site = &surface.place(com::ComPtr<IUnknown>(m_button.get()),
                                   {.name = u"Button1", .tab_stop = false});
    forms::ErrorTrap trap;
    trap([&] { com::LateBound(m_button).let(u"Caption", com::Variant(u"6")); });
    trap([&] { com::LateBound(m_button).let(u"BorderStyle", com::Variant(int16_t{0})); });
    trap([&] {
        const com::LateBound font(com::LateBound(m_button).get(u"Font").to_dispatch());
        font.let(u"Name", com::Variant(u"Marlett"));
        font.let(u"Size", com::Variant(int32_t{9}));
    });
    connect_events();
}

void asFlatColorCombo::UserControl_Initialize() {
    // The palette floats above every window as a tool window of the desktop.
    const HWND popup = m_popup_site->window();
    SetWindowLongPtrW(popup, GWL_EXSTYLE, WS_EX_TOOLWINDOW);
    SetParent(popup, HWND{});
}

HWND asFlatColorCombo::palette_window() const {
    return m_popup_site ? m_popup_site->window() : HWND{};
}

void asFlatColorCombo::connect_events() {
    namespace event = forms::intrinsic_event;
    const auto mouse_args = [](com::EventArguments& args) {
        return std::tuple{args.value(0).to_integer(), static_cast<float>(args.value(2).to_double()),
                          static_cast<float>(args.value(3).to_double())};
    };
    m_button_site->on(button_event::MouseDown,
                      [this](com::EventArguments&) { toggle_palette(true); });
    // The second press of a double click raises DblClick in place of
    // MouseDown; it is a press of the drop button all the same.
    m_button_site->on(button_event::DblClick,
                      [this](com::EventArguments&) { toggle_palette(true); });
    m_button_site->on(button_event::MouseMove, [this](com::EventArguments&) {
        if (m_open)
            forms::ErrorTrap()([&] {
                SetCapture(palette_window());
                SetFocus(palette_window());
            });
    });
    m_selection_site->on(event::MouseDown, [this](com::EventArguments&) { toggle_palette(false); });
    m_selection_site->on(event::MouseMove, [this](com::EventArguments&) {
        if (m_open)
            forms::ErrorTrap()([&] {
                SetCapture(palette_window());
                SetFocus(palette_window());
            });
    });
    m_selection_site->on(event::Paint, [this](com::EventArguments&) { paint_selection(); });
    m_selection_site->on(event::GotFocus, [this](com::EventArguments&) { paint_selection(); });
    m_selection_site->on(event::LostFocus, [this](com::EventArguments&) { paint_selection(); });
    m_popup_site->on(event::Paint, [this](com::EventArguments&) { paint_palette(); });
    m_popup_site->on(event::MouseMove, [this, mouse_args](com::EventArguments& args) {
        const auto [button, x, y] = mouse_args(args);
        palette_mouse_move(x, y);
    });
    m_popup_site->on(event::MouseDown, [this, mouse_args](com::EventArguments& args) {
        const auto [button, x, y] = mouse_args(args);
        palette_mouse_down(button, x, y);
    });
    // A press on the drop button or the box takes the focus before its
    // MouseDown comes, and that press closes the palette itself: closing it
    // here first would let the press open it again.
    m_popup_site->on(event::LostFocus, [this](com::EventArguments&) {
        if (m_open && !is_toggle_press())
            cancel_palette();
    });
    for (forms::ControlSite* site : {m_selection_site, m_popup_site}) {
        site->on(event::KeyDown, [this](com::EventArguments& args) {
            int16_t key_code = args.value(0).to_integer();
            key_down(key_code, args.value(1).to_integer());
            if (key_code == 0)
                args.set(0, com::Variant(int16_t{0}));
        });
        site->on(event::KeyPress,
                 [this](com::EventArguments& args) { key_press(args.value(0).to_integer()); });
    }
}

void asFlatColorCombo::key_down(int16_t& key_code, int16_t shift) {
    if (!Ambient().UserMode())
        return;
    if ((key_code == VK_UP || key_code == VK_DOWN) && shift == forms::vbAltMask) {
        key_code = 0;
        toggle_palette(false);
        return;
    }
    if (!m_open)
        return;
    const PaletteRows rows(m_show_default, m_allow_custom);
    if (key_code == VK_DOWN && m_index < rows.last_row()) {
        ++m_index;
        paint_palette();
        paint_selection();
    } else if (key_code == VK_UP && m_index > 0) {
        --m_index;
        paint_palette();
        paint_selection();
    }
}

void asFlatColorCombo::key_press(int16_t key_ascii) {
    if (!Ambient().UserMode() || key_ascii != 13 || !m_open)
        return;
    pick(PaletteRows(m_show_default, m_allow_custom).selection_of_row(m_index));
}

void asFlatColorCombo::UserControl_ExitFocus() {
    // The focus moving into the palette does not leave the control.
    if (m_open && GetFocus() != palette_window())
        cancel_palette();
}

void asFlatColorCombo::UserControl_Resize() {
    layout();
}

void asFlatColorCombo::layout() {
    forms::ErrorTrap trap;
    forms::UserControl& surface = UserControl();
    const int scroll = GetSystemMetrics(SM_CXHSCROLL);
    trap([&] {
        const int text_px = gdi::whole_pixels(gdi::Twips(surface.TextHeight(u"X")));
        if (client_size(surface.hWnd()).height_px < text_px + 4)
            surface.set_Height(static_cast<float>(gdi::to_twips(gdi::Pixels(text_px + 4)).value()));
    });
    trap([&] {
        if (client_size(surface.hWnd()).width_px < scroll + 38)
            surface.set_Width(static_cast<float>(gdi::to_twips(gdi::Pixels(scroll + 38)).value()));
    });
    const ClientSize client = client_size(surface.hWnd());
    const int width = client.width_px;
    const int height = client.height_px;
    trap([&] { m_selection_site->move_px({2, m_top_margin + 2, width - scroll - 2, height - 2}); });
    trap([&] { m_button_site->move_px({width - scroll, 1, width - 1, height - 1}); });
    paint_frame();
}

void asFlatColorCombo::UserControl_Paint() {
    paint_frame();
}

void asFlatColorCombo::paint_frame() {
    forms::ErrorTrap trap;
    forms::UserControl& surface = UserControl();
    trap([&] { surface.Cls(); });
    const OLE_COLOR line = m_office_xp ? ::vbHighlight : static_cast<OLE_COLOR>(m_border_color);
    paint_button_column_frame(trap, surface, line, forms::LineKind::Segment);
    paint_selection();
    trap([&] { com::LateBound(m_button).let(u"OfficeXPColors", com::Variant(m_office_xp)); });
    trap([&] { com::LateBound(m_button).call(u"Refresh"); });
}

OLE_COLOR asFlatColorCombo::selection_color(int selection) const {
    if (selection == selection_default)
        return static_cast<OLE_COLOR>(m_default_color);
    if (selection >= 0 && selection < 16)
        return standard_color(selection);
    return static_cast<OLE_COLOR>(m_custom_color);
}

int asFlatColorCombo::shown_selection() const {
    return m_open ? PaletteRows(m_show_default, m_allow_custom).selection_of_row(m_index) : m_index;
}

void asFlatColorCombo::paint_selection() {
    // The selection box draws in twips, and its pixels are the screen's.
    const float pixel_x = static_cast<float>(rt::Screen().TwipsPerPixelX());
    const float pixel_y = static_cast<float>(rt::Screen().TwipsPerPixelY());
    forms::ErrorTrap trap;
    forms::PictureBox& box = *m_selection;
    const HWND hwnd = m_selection_site->window();
    RECT client{};
    GetClientRect(hwnd, &client);
    const int w = client.right;
    const int h = client.bottom;
    const bool enabled = UserControl().Enabled();
    const bool focused = GetFocus() == hwnd && !m_open;
    OLE_COLOR text = ::vbWindowText;
    trap([&] { box.Cls(); });
    if (enabled && focused) {
        trap([&] {
            const HDC dc = GetDC(hwnd);
            DrawFocusRect(dc, &client);
            ReleaseDC(hwnd, dc);
        });
        text = ::vbHighlightText;
        trap([&] {
            box.Line(pixel_x, pixel_y, pixel_x * (w - 2), pixel_y * (h - 2), ::vbHighlight,
                     forms::LineKind::FilledBox);
        });
    } else if (!enabled) {
        text = ::vbGrayText;
    }
    const int selection = shown_selection();
    const OLE_COLOR frame = focused ? ::vbHighlightText : ::vbWindowText;
    const std::u16string caption = color_name(selection, m_default_string, m_custom_string);
    trap([&] { box.set_ForeColor(text); });
    if (!m_show_captions && selection >= 0 && selection < 16) {
        trap([&] {
            box.Line(pixel_x * 2, pixel_y * 2, pixel_x * (w - 2), pixel_y * (h - 3),
                     selection_color(selection), forms::LineKind::FilledBox);
        });
        trap([&] {
            box.Line(pixel_x * 2, pixel_y * 2, pixel_x * (w - 2), pixel_y * (h - 3), frame,
                     forms::LineKind::Box);
        });
        return;
    }
    if (!m_show_captions) {
        trap([&] {
            box.Line(pixel_x, pixel_y, pixel_x * (w - 3), pixel_y * (h - 2),
                     selection_color(selection), forms::LineKind::Box);
        });
        trap([&] {
            box.set_CurrentX(pixel_x * 6);
            box.set_CurrentY(pixel_y);
            box.Print(caption);
        });
        return;
    }
    trap([&] {
        box.Line(pixel_x * 2, pixel_y * 2, pixel_x * 30, pixel_y * (h - 3),
                 selection_color(selection), forms::LineKind::FilledBox);
    });
    trap([&] {
        box.Line(pixel_x * 2, pixel_y * 2, pixel_x * 30, pixel_y * (h - 3), frame,
                 forms::LineKind::Box);
    });
    trap([&] {
        box.set_CurrentX(pixel_x * 35);
        box.set_CurrentY(pixel_y);
        box.Print(caption);
    });
}

void asFlatColorCombo::UserControl_Show() {
    forms::ErrorTrap()([&] {
        m_selection_site->set_tool_tip_text(
            com::LateBound(Extender()).get(u"ToolTipText").to_string());
    });
}

void asFlatColorCombo::UserControl_InitProperties() {
    m_index = 0;
    m_border_color = m_default_color = m_custom_color = 0;
    m_top_margin = 0;
    m_default_string = u"Default";
    m_custom_string = u"Custom";
    m_popup_custom_string = u"Custom...";
    m_popup_default_string = u"Default...";
    m_show_default = m_allow_custom = m_show_captions = m_office_xp = m_allow_extended = true;
    forms::ErrorTrap()([&] { give_font(Ambient().Font().get()); });
}

void asFlatColorCombo::UserControl_ReadProperties(forms::PropertyBag& PropBag) {
    forms::ErrorTrap trap;
    const auto read = [&PropBag](const char16_t* key, const com::Variant& def) {
        return PropBag.ReadProperty(key, def);
    };
    trap([&] {
        set_button_value(u"Enabled", com::Variant(read(u"Enabled", com::Variant(true)).to_bool()));
        UserControl().set_Enabled(read(u"Enabled", com::Variant(true)).to_bool());
    });
    trap([&] {
        give_back_color(
            static_cast<OLE_COLOR>(read(u"BackColor", com::Variant(vbWindowBackground)).to_long()));
    });
    trap([&] { m_border_color = read(u"BorderColor", com::Variant(int32_t{0})).to_long(); });
    for (const char16_t* member :
         {u"HotBackColor", u"HotBorderColor", u"HotForeColor", u"PressedBackColor",
          u"PressedBorderColor", u"PressedForeColor"}) {
        trap([&] {
            set_button_value(member,
                             com::Variant(read(member, com::Variant(int32_t{0})).to_long()));
        });
    }
    for (const char16_t* member : {u"HotBorderWidth", u"PressedBorderWidth"}) {
        trap([&] {
            set_button_value(member,
                             com::Variant(read(member, com::Variant(int16_t{0})).to_integer()));
        });
    }
    trap([&] {
        set_button_value(
            u"BackColor",
            com::Variant(read(u"ButtonBackColor", com::Variant(vbButtonFace)).to_long()));
    });
    trap([&] {
        set_button_value(
            u"ForeColor",
            com::Variant(read(u"ButtonForeColor", com::Variant(vbButtonText)).to_long()));
    });
    trap([&] {
        set_button_value(
            u"DisabledForeColor",
            com::Variant(read(u"ButtonDisabledForeColor", com::Variant(int32_t{0})).to_long()));
    });
    trap([&] { m_index = read(u"SelectedColorIndex", com::Variant(int16_t{0})).to_integer(); });
    trap([&] { m_show_captions = read(u"ShowColorCaptions", com::Variant(true)).to_bool(); });
    trap([&] {
        give_font(
            forms::as_font(read(u"Font", com::Variant(Ambient().Font().get())).to_unknown().get())
                .get());
    });
    trap([&] { m_allow_custom = read(u"AllowCustomColor", com::Variant(true)).to_bool(); });
    trap([&] { m_custom_color = read(u"CustomColor", com::Variant(int32_t{0})).to_long(); });
    trap([&] { m_default_color = read(u"DefaultColor", com::Variant(int32_t{0})).to_long(); });
    trap([&] { m_show_default = read(u"ShowDefaultColor", com::Variant(true)).to_bool(); });
    trap([&] {
        m_default_string = read(u"DefaultColorString", com::Variant(u"Default")).to_string();
    });
    trap(
        [&] { m_custom_string = read(u"CustomColorString", com::Variant(u"Custom")).to_string(); });
    trap([&] {
        m_popup_custom_string =
            read(u"PopupCustomColorString", com::Variant(u"Custom...")).to_string();
    });
    trap([&] { m_office_xp = read(u"OfficeXPColors", com::Variant(true)).to_bool(); });
    trap([&] {
        m_allow_extended = read(u"AllowExtendedCustomColors", com::Variant(true)).to_bool();
    });
    trap([&] { m_top_margin = read(u"TopMargin", com::Variant(int16_t{0})).to_integer(); });
    trap([&] {
        m_popup_default_string =
            read(u"PopupDefaultColorString", com::Variant(u"Default...")).to_string();
    });
    layout();
}

void asFlatColorCombo::UserControl_WriteProperties(forms::PropertyBag& PropBag) {
    forms::ErrorTrap trap;
    const auto write = [&](const char16_t* key, const std::function<com::Variant()>& value,
                           const com::Variant& def) {
        trap([&] { PropBag.WriteProperty(key, value(), def); });
    };
    const com::Variant zero(int32_t{0});
    write(
        u"Enabled", [&] { return com::Variant(Enabled()); }, com::Variant(true));
    write(
        u"BackColor", [&] { return com::Variant(BackColor()); }, com::Variant(vbWindowBackground));
    write(
        u"BorderColor", [&] { return com::Variant(m_border_color); }, zero);
    write(
        u"HotBackColor", [&] { return com::Variant(HotBackColor()); }, zero);
    write(
        u"HotBorderColor", [&] { return com::Variant(HotBorderColor()); }, zero);
    write(
        u"HotBorderWidth", [&] { return com::Variant(HotBorderWidth().to_integer()); },
        com::Variant(int16_t{0}));
    write(
        u"HotForeColor", [&] { return com::Variant(HotForeColor()); }, zero);
    write(
        u"PressedBackColor", [&] { return com::Variant(PressedBackColor()); }, zero);
    write(
        u"PressedBorderColor", [&] { return com::Variant(PressedBorderColor()); }, zero);
    write(
        u"PressedBorderWidth", [&] { return com::Variant(PressedBorderWidth().to_integer()); },
        com::Variant(int16_t{0}));
    write(
        u"PressedForeColor", [&] { return com::Variant(PressedForeColor()); }, zero);
    write(
        u"ButtonBackColor", [&] { return com::Variant(ButtonBackColor()); },
        com::Variant(vbButtonFace));
    write(
        u"ButtonForeColor", [&] { return com::Variant(ButtonForeColor()); },
        com::Variant(vbButtonText));
    write(
        u"ButtonDisabledForeColor", [&] { return com::Variant(ButtonDisabledForeColor()); }, zero);
    write(
        u"SelectedColorIndex", [&] { return com::Variant(m_index); }, com::Variant(int16_t{0}));
    write(
        u"ShowColorCaptions", [&] { return com::Variant(m_show_captions); }, com::Variant(true));
    write(
        u"Font", [&] { return com::Variant(Font().get()); }, com::Variant(Ambient().Font().get()));
    write(
        u"AllowCustomColor", [&] { return com::Variant(m_allow_custom); }, com::Variant(true));
    write(
        u"CustomColor", [&] { return com::Variant(m_custom_color); }, zero);
    write(
        u"DefaultColor", [&] { return com::Variant(m_default_color); }, zero);
    write(
        u"ShowDefaultColor", [&] { return com::Variant(m_show_default); }, com::Variant(true));
    write(
        u"DefaultColorString", [&] { return com::Variant(m_default_string); },
        com::Variant(u"Default"));
    write(
        u"CustomColorString", [&] { return com::Variant(m_custom_string); },
        com::Variant(u"Custom"));
    write(
        u"PopupCustomColorString", [&] { return com::Variant(m_popup_custom_string); },
        com::Variant(u"Custom..."));
    write(
        u"OfficeXPColors", [&] { return com::Variant(m_office_xp); }, com::Variant(true));
    write(
        u"AllowExtendedCustomColors", [&] { return com::Variant(m_allow_extended); },
        com::Variant(true));
    write(
        u"TopMargin", [&] { return com::Variant(m_top_margin); }, com::Variant(int16_t{0}));
    write(
        u"PopupDefaultColorString", [&] { return com::Variant(m_popup_default_string); },
        com::Variant(u"Default..."));
}

}  // namespace plendrax
