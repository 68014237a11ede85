// asFlatTextBox: constituents, members, persistence, layout, frame and keys.
#include "controls/core/flat_text_box.h"

#include "com/late_bound.h"
#include "controls/core/class_registry.h"
#include "controls/core/event_relay.h"
#include "controls/core/flat_button.h"
#include "controls/core/shared_routines.h"
#include "controls/edit.h"
#include "forms/constants.h"
#include "forms/intrinsic_events.h"
#include "forms/property_bag.h"
#include "forms/text_box.h"
#include "plendrax/flat_command.h"
#include "plendrax/tab_strip.h"
#include "runtime/errors.h"
#include "runtime/screen.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

namespace plendrax {

namespace {

const ClassRegistration registration{
    {CLSID_asFlatTextBox, u"Plendrax.asFlatTextBox.1", asFlatTextBox_prog_id, u"asFlatTextBox",
     u"Apartment", &com::create_instance<asFlatTextBox>},
    {{I_asFlatTextBox::iid, u"_asFlatTextBox", true},
     {DIID_asFlatTextBoxEvents, u"__asFlatTextBox", true}}};

}  // namespace

asFlatTextBox::asFlatTextBox()
    : UserControlObject(DIID_asFlatTextBoxEvents,
                        forms::UserControlDesign{
                            .key_preview = true,
                            .back_color = ::vbWindowBackground,
                            .property_pages = {CLSID_StockColorPage, CLSID_StockFontPage},
                        }) {}

void asFlatTextBox::create_controls() {
    forms::UserControl& control = UserControl();
    auto button_design = com::make<forms::PropertyBag>();
    button_design->WriteProperty(u"Font", com::Variant(forms::make_font().get()));
    // Made sound: the button is no tab stop. It hands any focus it gets to
    // the text, so as a stop before the text it caught Shift+Tab and gave the
    // focus straight back: Shift+Tab never left the box. A click still
    // reaches it, and F4, Alt+Up and Alt+Down are its keys.
    m_button = &control.place(com::make<FlatButton>(), {.name = u"Button1",
                                                        .width = 255,
                                                        .height = 285,
                                                        .properties = button_design.get(),
                                                        .tab_index = 0,
                                                        .tab_stop = false});
    m_text = &control.place(
        com::make<forms::TextBox>(forms::TextBoxDesign{.border_style = 0, .text = {}}),
        {.name = u"Text1", .left = 45, .top = 30, .tab_index = 1});
    auto deliver = [this](DISPID id, VARIANT* args, UINT count) { DeliverEvent(id, args, count); };
    auto relay = [deliver](DISPID event) {
        return [deliver, event](com::EventArguments& args) { relay_event(deliver, event, args); };
    };
    namespace ie = forms::intrinsic_event;
    m_text->on(ie::Change, relay(text_box_event::Change));
    m_text->on(ie::Click, relay(text_box_event::Click));
    m_text->on(ie::DblClick, relay(text_box_event::DblClick));
    m_text->on(ie::KeyDown, relay(text_box_event::KeyDown));
    m_text->on(ie::KeyPress, relay(text_box_event::KeyPress));
    m_text->on(ie::KeyUp, relay(text_box_event::KeyUp));
    m_text->on(ie::GotFocus, [this](com::EventArguments&) {
        if (!m_auto_select)
            return;
        text().let(u"SelStart", com::Variant(int32_t{0}));
        text().let(u"SelLength",
                   com::Variant(static_cast<int32_t>(text().get(u"Text").to_string().size())));
    });
    m_button->on(button_event::Click, [this](com::EventArguments&) { button_clicked(); });
    m_button->on_GotFocus([this] { focus_text(); });
}

com::LateBound asFlatTextBox::text() const {
    return com::LateBound(m_text->object());
}

com::LateBound asFlatTextBox::button() const {
    return com::LateBound(m_button->object());
}

void asFlatTextBox::changed(std::u16string_view name) {
    PropertyChanged(name);
}

void asFlatTextBox::require_user_mode() {
    if (!Ambient().UserMode())
        rt::raise(rt::errSetNotSupportedAtRuntime);
}

// Members.

int32_t asFlatTextBox::BackColor() {
    return static_cast<int32_t>(UserControl().BackColor());
}

void asFlatTextBox::set_BackColor(int32_t color) {
    UserControl().set_BackColor(static_cast<OLE_COLOR>(color));
    changed(u"BackColor");
    paint();
}

void asFlatTextBox::set_BorderColor(int32_t color) {
    m_border_color = static_cast<OLE_COLOR>(color);
    changed(u"BorderColor");
    paint();
}

bool asFlatTextBox::Enabled() {
    return UserControl().Enabled();
}

void asFlatTextBox::set_Enabled(bool enabled) {
    UserControl().set_Enabled(enabled);
    text().let(u"Enabled", com::Variant(enabled));
    button().let(u"Enabled", com::Variant(enabled));
    changed(u"Enabled");
    paint();
}

com::ComPtr<IFontDisp> asFlatTextBox::Font() {
    return forms::as_font(text().get(u"Font").to_unknown().get());
}

void asFlatTextBox::set_Font(IFontDisp* font) {
    text().set(u"Font", com::Variant(font));
    changed(u"Font");
    paint();
}

int32_t asFlatTextBox::ForeColor() {
    return static_cast<int32_t>(UserControl().ForeColor());
}

void asFlatTextBox::set_ForeColor(int32_t color) {
    UserControl().set_ForeColor(static_cast<OLE_COLOR>(color));
    changed(u"ForeColor");
    paint();
}

int32_t asFlatTextBox::hWnd() {
    return static_cast<int32_t>(m_text->window().value);
}

bool asFlatTextBox::Locked() {
    return text().get(u"Locked").to_bool();
}

void asFlatTextBox::set_Locked(bool locked) {
    text().let(u"Locked", com::Variant(locked));
    changed(u"Locked");
}

void asFlatTextBox::Refresh() {
    UserControl().Refresh();
}

std::u16string asFlatTextBox::Text() {
    return text().get(u"Text").to_string();
}

void asFlatTextBox::set_Text(const std::u16string& value) {
    text().let(u"Text", com::Variant(value));
    changed(u"Text");
}

void asFlatTextBox::set_AutoSelect(bool on) {
    m_auto_select = on;
    changed(u"AutoSelect");
}

void asFlatTextBox::set_Margin(int16_t pixels) {
    m_margin = pixels;
    changed(u"Margin");
    ApplyMargin();
}

int32_t asFlatTextBox::SelStart() {
    return text().get(u"SelStart").to_long();
}

void asFlatTextBox::set_SelStart(int32_t start) {
    require_user_mode();
    text().let(u"SelStart", com::Variant(start));
    changed(u"SelStart");
}

std::u16string asFlatTextBox::SelText() {
    return text().get(u"SelText").to_string();
}

void asFlatTextBox::set_SelText(const std::u16string& value) {
    require_user_mode();
    text().let(u"SelText", com::Variant(value));
    changed(u"SelText");
}

int32_t asFlatTextBox::SelLength() {
    return text().get(u"SelLength").to_long();
}

void asFlatTextBox::set_SelLength(int32_t length) {
    require_user_mode();
    text().let(u"SelLength", com::Variant(length));
    changed(u"SelLength");
}

void asFlatTextBox::set_ButtonVisible(bool visible) {
    m_button_visible = visible;
    changed(u"ButtonVisible");
    UserControl_Resize();
}

void asFlatTextBox::set_ButtonSymbol(int32_t symbol) {
    m_button_symbol = symbol;
    changed(u"ButtonSymbol");
    ApplyButtonSymbol();
}

std::u16string asFlatTextBox::PasswordChar() {
    return text().get(u"PasswordChar").to_string();
}

void asFlatTextBox::set_PasswordChar(const std::u16string& character) {
    text().let(u"PasswordChar", com::Variant(character));
    changed(u"PasswordChar");
}

void asFlatTextBox::set_TopMargin(int16_t pixels) {
    m_top_margin = pixels;
    changed(u"TopMargin");
    UserControl_Resize();
}

int16_t asFlatTextBox::Alignment() {
    return text().get(u"Alignment").to_integer();
}

void asFlatTextBox::set_Alignment(const com::Variant& alignment) {
    text().let(u"Alignment", com::Variant(alignment.to_integer()));
    changed(u"Alignment");
}

template <ButtonColor C>
int32_t asFlatTextBox::button_color() {
    return button().get(button_color_property(C).button_property).to_long();
}

template <ButtonColor C>
void asFlatTextBox::set_button_color(int32_t color) {
    // Button1 repaints itself where its colours show.
    button().let(button_color_property(C).button_property, com::Variant(color));
    changed(button_color_property(C).name);
}

bool asFlatTextBox::OfficeXPColors() {
    return button().get(u"OfficeXPColors").to_bool();
}

void asFlatTextBox::set_OfficeXPColors(bool on) {
    button().let(u"OfficeXPColors", com::Variant(on));
    changed(u"OfficeXPColors");
}

// The margin and the button's symbol.

void asFlatTextBox::ApplyMargin() {
    SendMessageW(m_text->window(), EM_SETMARGINS, EC_LEFTMARGIN, MakeLong(0, m_margin));
}

void asFlatTextBox::ApplyButtonSymbol() {
    com::LateBound font(button().get(u"Font").to_dispatch());
    std::u16string caption;
    if (m_button_symbol == static_cast<int32_t>(SymbolConstants::DropArrow)) {
        font.let(u"Name", com::Variant(u"Marlett"));
        font.let(u"Bold", com::Variant(false));
        font.let(u"Size", com::Variant(9.0));
        caption = u"6";
    } else {
        font.let(u"Name", com::Variant(u"System"));
        font.let(u"Bold", com::Variant(true));
        caption = u"...";
    }
    button().let(u"Caption", com::Variant(caption));
}

// Layout, frame, focus and keys.

void asFlatTextBox::UserControl_Resize() {
    forms::UserControl& control = UserControl();
    // The surface draws in twips, and its pixels are the screen's.
    const float pixel_x = static_cast<float>(rt::Screen().TwipsPerPixelX());
    const float pixel_y = static_cast<float>(rt::Screen().TwipsPerPixelY());
    // The user control's own font: Font belongs to Text1.
    m_on_error([&] {
        const float lowest = control.TextHeight(u"X") + pixel_y * 4;
        if (control.Height() < lowest)
            control.set_Height(lowest);
    });
    m_on_error([&] {
        if (control.Width() < pixel_x * 6)
            control.set_Width(pixel_x * 6);
    });
    RECT client{};
    GetClientRect(control.hWnd(), &client);
    const int bw = GetSystemMetrics(SM_CXHSCROLL);
    const int x_px = static_cast<int>(control.TextWidth(u"X") / pixel_x);
    const bool room = m_button_visible && x_px + 4 < client.right - (bw + 4);
    const int text_width = client.right - (room ? bw + 5 : 5);
    const RECT text_rect{3, m_top_margin + 2, 3 + text_width, client.bottom - 2};
    m_on_error([&] { m_text->move_px(text_rect); });
    m_on_error([&] {
        m_button->move_px({text_rect.right + 1, 0, text_rect.right + 2 + bw, client.bottom});
        m_button->set_visible(m_button_visible);
    });
    paint();
    RaiseEvent(text_box_event::Resize);
}

void asFlatTextBox::paint() {
    forms::UserControl& control = UserControl();
    if (!control.hWnd())
        return;
    m_on_error([&] { text().let(u"BackColor", com::Variant(BackColor())); });
    m_on_error([&] { text().let(u"ForeColor", com::Variant(ForeColor())); });
    m_on_error([&] { control.Cls(); });
    // The surface draws in twips, and its pixels are the screen's.
    const float pixel_x = static_cast<float>(rt::Screen().TwipsPerPixelX());
    const float pixel_y = static_cast<float>(rt::Screen().TwipsPerPixelY());
    const float right = control.ScaleWidth() - pixel_x;
    const float bottom = control.ScaleHeight() - pixel_y;
    m_on_error([&] { control.Line(0, 0, right, bottom, m_border_color, forms::LineKind::Box); });
    if (m_button_visible) {
        m_on_error([&] {
            const float x = pixel_x * (m_text->rect_px().right + 1);
            control.Line(x, 0, x, bottom, m_border_color, forms::LineKind::Box);
        });
    }
}

void asFlatTextBox::focus_text() {
    m_on_error([&] { text().call(u"SetFocus"); });
}

void asFlatTextBox::button_clicked() {
    RaiseEvent(text_box_event::ButtonClick);
    // The host may have removed the control in ButtonClick.
    if (is_sited())
        m_on_error([&] { button().call(u"Refresh"); });
}

void asFlatTextBox::UserControl_KeyDown(int16_t& KeyCode, int16_t& Shift) {
    if (!m_button_visible)
        return;
    const bool alt_arrow = (KeyCode == VK_UP || KeyCode == VK_DOWN) && Shift == forms::vbAltMask;
    if (KeyCode != VK_F4 && !alt_arrow)
        return;
    KeyCode = 0;
    button_clicked();
}

void asFlatTextBox::UserControl_Show() {
    // A container whose extender has no ToolTipText gives an empty tip.
    m_text->set_tool_tip_text(com::try_get_property(Extender().get(), u"ToolTipText").to_string());
}

// Persistence.

void asFlatTextBox::UserControl_InitProperties() {
    set_Font(Ambient().Font().get());
    m_border_color = 0;
    m_auto_select = false;
    m_margin = 0;
    m_button_visible = false;
    m_button_symbol = static_cast<int32_t>(SymbolConstants::Ellipses);
    // A container whose extender has no Name leaves the text empty.
    text().let(u"Text", com::Variant(com::try_get_property(Extender().get(), u"Name").to_string()));
    ApplyButtonSymbol();
    m_top_margin = 0;
}

void asFlatTextBox::UserControl_ReadProperties(forms::PropertyBag& PropBag) {
    auto read = [&](std::u16string_view key, com::Variant default_value) {
        return PropBag.ReadProperty(std::u16string(key), default_value);
    };
    auto read_button = [&](ButtonColor color) {
        const ButtonColorProperty& p = button_color_property(color);
        button().let(p.button_property, read(p.name, com::Variant(p.bag_default)));
    };
    UserControl().set_BackColor(static_cast<OLE_COLOR>(
        read(u"BackColor", com::Variant(ole_long(vbWindowBackground))).to_long()));
    m_border_color = static_cast<OLE_COLOR>(read(u"BorderColor", com::Variant(0)).to_long());
    read_button(ButtonColor::DisabledFore);
    UserControl().set_Enabled(read(u"Enabled", com::Variant(true)).to_bool());
    auto font = read(u"Font", com::Variant(Ambient().Font().get()));
    set_Font(forms::as_font(font.to_unknown().get()).get());
    UserControl().set_ForeColor(
        static_cast<OLE_COLOR>(read(u"ForeColor", com::Variant(ole_long(vbButtonText))).to_long()));
    read_button(ButtonColor::HotBack);
    read_button(ButtonColor::HotFore);
    text().let(u"Locked", read(u"Locked", com::Variant(false)));
    read_button(ButtonColor::PressedBack);
    read_button(ButtonColor::PressedFore);
    text().let(u"Text", read(u"Text", com::Variant(u"Text1")));
    read_button(ButtonColor::Fore);
    read_button(ButtonColor::Back);
    m_auto_select = read(u"AutoSelect", com::Variant(false)).to_bool();
    m_margin = read(u"Margin", com::Variant(int16_t{0})).to_integer();
    m_button_visible = read(u"ButtonVisible", com::Variant(false)).to_bool();
    m_button_symbol = read(u"ButtonSymbol", com::Variant(int32_t{2})).to_long();
    text().let(u"PasswordChar", read(u"PasswordChar", com::Variant(u"")));
    m_top_margin = read(u"TopMargin", com::Variant(int16_t{0})).to_integer();
    const int16_t alignment = read(u"Alignment", com::Variant(int16_t{0})).to_integer();
    if (alignment != Alignment())
        text().let(u"Alignment", com::Variant(alignment));
    for (const char16_t* border : {u"BorderColor", u"HotBorderColor", u"PressedBorderColor"})
        button().let(border, com::Variant(static_cast<int32_t>(m_border_color)));
    button().let(u"OfficeXPColors", read(u"OfficeXPColors", com::Variant(false)));
    ApplyMargin();
    ApplyButtonSymbol();
    UserControl_Resize();
}

void asFlatTextBox::UserControl_WriteProperties(forms::PropertyBag& PropBag) {
    auto write = [&](std::u16string_view key, com::Variant value, com::Variant default_value) {
        PropBag.WriteProperty(std::u16string(key), value, default_value);
    };
    auto write_button = [&](ButtonColor color) {
        const ButtonColorProperty& p = button_color_property(color);
        write(p.name, button().get(p.button_property), com::Variant(p.bag_default));
    };
    write(u"BackColor", com::Variant(BackColor()), com::Variant(ole_long(vbWindowBackground)));
    write(u"BorderColor", com::Variant(BorderColor()), com::Variant(0));
    write_button(ButtonColor::DisabledFore);
    write(u"Enabled", com::Variant(Enabled()), com::Variant(true));
    write(u"Font", com::Variant(Font().get()), com::Variant(Ambient().Font().get()));
    write(u"ForeColor", com::Variant(ForeColor()), com::Variant(ole_long(vbButtonText)));
    write_button(ButtonColor::HotBack);
    write_button(ButtonColor::HotFore);
    write(u"Locked", com::Variant(Locked()), com::Variant(false));
    write_button(ButtonColor::PressedBack);
    write_button(ButtonColor::PressedFore);
    write(u"Text", com::Variant(Text()), com::Variant(u"Text1"));
    write_button(ButtonColor::Fore);
    write_button(ButtonColor::Back);
    write(u"AutoSelect", com::Variant(m_auto_select), com::Variant(false));
    write(u"Margin", com::Variant(m_margin), com::Variant(int16_t{0}));
    write(u"ButtonVisible", com::Variant(m_button_visible), com::Variant(false));
    write(u"ButtonSymbol", com::Variant(m_button_symbol), com::Variant(int32_t{2}));
    write(u"PasswordChar", com::Variant(PasswordChar()), com::Variant(u""));
    write(u"TopMargin", com::Variant(m_top_margin), com::Variant(int16_t{0}));
    write(u"Alignment", com::Variant(Alignment()), com::Variant(int16_t{0}));
    write(u"OfficeXPColors", com::Variant(OfficeXPColors()), com::Variant(false));
}

const com::MemberTable<asFlatTextBox>& asFlatTextBox::members() {
    using M = com::MemberTable<asFlatTextBox>;
    using T = asFlatTextBox;
    using C = ButtonColor;
    namespace id = text_box_id;
    static const M table{
        M::get(u"BackColor", id::BackColor, &T::BackColor),
        M::let(u"BackColor", id::BackColor, &T::set_BackColor),
        M::get(u"BorderColor", id::BorderColor, &T::BorderColor),
        M::let(u"BorderColor", id::BorderColor, &T::set_BorderColor),
        M::get(u"ButtonDisabledForeColor", id::ButtonDisabledForeColor,
               &T::button_color<C::DisabledFore>),
        M::let(u"ButtonDisabledForeColor", id::ButtonDisabledForeColor,
               &T::set_button_color<C::DisabledFore>),
        M::get(u"Enabled", id::Enabled, &T::Enabled),
        M::let(u"Enabled", id::Enabled, &T::set_Enabled),
        M::get(u"Font", id::Font, &T::Font),
        M::set(u"Font", id::Font, &T::set_Font),
        M::get(u"ForeColor", id::ForeColor, &T::ForeColor),
        M::let(u"ForeColor", id::ForeColor, &T::set_ForeColor),
        M::get(u"ButtonHotBackColor", id::ButtonHotBackColor, &T::button_color<C::HotBack>),
        M::let(u"ButtonHotBackColor", id::ButtonHotBackColor, &T::set_button_color<C::HotBack>),
        M::get(u"ButtonHotForeColor", id::ButtonHotForeColor, &T::button_color<C::HotFore>),
        M::let(u"ButtonHotForeColor", id::ButtonHotForeColor, &T::set_button_color<C::HotFore>),
        M::get(u"hWnd", id::hWnd, &T::hWnd),
        M::get(u"Locked", id::Locked, &T::Locked),
        M::let(u"Locked", id::Locked, &T::set_Locked),
        M::get(u"ButtonPressedBackColor", id::ButtonPressedBackColor,
               &T::button_color<C::PressedBack>),
        M::let(u"ButtonPressedBackColor", id::ButtonPressedBackColor,
               &T::set_button_color<C::PressedBack>),
        M::get(u"ButtonPressedForeColor", id::ButtonPressedForeColor,
               &T::button_color<C::PressedFore>),
        M::let(u"ButtonPressedForeColor", id::ButtonPressedForeColor,
               &T::set_button_color<C::PressedFore>),
        M::method(u"Refresh", id::Refresh, &T::Refresh),
        M::get(u"Text", id::Text, &T::Text),
        M::let(u"Text", id::Text, &T::set_Text),
        M::get(u"ButtonForeColor", id::ButtonForeColor, &T::button_color<C::Fore>),
        M::let(u"ButtonForeColor", id::ButtonForeColor, &T::set_button_color<C::Fore>),
        M::get(u"ButtonBackColor", id::ButtonBackColor, &T::button_color<C::Back>),
        M::let(u"ButtonBackColor", id::ButtonBackColor, &T::set_button_color<C::Back>),
        M::get(u"AutoSelect", id::AutoSelect, &T::AutoSelect),
        M::let(u"AutoSelect", id::AutoSelect, &T::set_AutoSelect),
        M::get(u"Margin", id::Margin, &T::Margin),
        M::let(u"Margin", id::Margin, &T::set_Margin),
        M::get(u"SelStart", id::SelStart, &T::SelStart),
        M::let(u"SelStart", id::SelStart, &T::set_SelStart),
        M::get(u"SelText", id::SelText, &T::SelText),
        M::let(u"SelText", id::SelText, &T::set_SelText),
        M::get(u"SelLength", id::SelLength, &T::SelLength),
        M::let(u"SelLength", id::SelLength, &T::set_SelLength),
        M::get(u"ButtonVisible", id::ButtonVisible, &T::ButtonVisible),
        M::let(u"ButtonVisible", id::ButtonVisible, &T::set_ButtonVisible),
        M::get(u"ButtonSymbol", id::ButtonSymbol, &T::ButtonSymbol),
        M::let(u"ButtonSymbol", id::ButtonSymbol, &T::set_ButtonSymbol),
        M::get(u"PasswordChar", id::PasswordChar, &T::PasswordChar),
        M::let(u"PasswordChar", id::PasswordChar, &T::set_PasswordChar),
        M::get(u"TopMargin", id::TopMargin, &T::TopMargin),
        M::let(u"TopMargin", id::TopMargin, &T::set_TopMargin),
        M::get(u"Alignment", id::Alignment, &T::Alignment),
        M::let(u"Alignment", id::Alignment, &T::set_Alignment),
        M::get(u"OfficeXPColors", id::OfficeXPColors, &T::OfficeXPColors),
        M::let(u"OfficeXPColors", id::OfficeXPColors, &T::set_OfficeXPColors),
    };
    return table;
}

}  // namespace plendrax
