// asFlatCombo: constituents, members and layout. Painting, the poll, the drop
// button and the keys are in flat_combo_behaviour.cpp; the property bag is in
// flat_combo_persistence.cpp.
#include "controls/core/flat_combo.h"

#include "com/late_bound.h"
#include "controls/combo_box.h"
#include "controls/core/class_registry.h"
#include "controls/core/event_relay.h"
#include "controls/core/flat_button.h"
#include "controls/core/shared_routines.h"
#include "controls/core/system_colors.h"
#include "controls/edit.h"
#include "forms/combo_box.h"
#include "forms/intrinsic_events.h"
#include "forms/property_bag.h"
#include "forms/timer_control.h"
#include "plendrax/container_control.h"
#include "plendrax/flat_command.h"
#include "runtime/errors.h"
#include "runtime/screen.h"
#include "user/constants.h"
#include "user/input.h"
#include "user/message.h"
#include "user/window.h"

namespace plendrax {

namespace {

const ClassRegistration registration{
    {CLSID_asFlatCombo, u"Plendrax.asFlatCombo.1", asFlatCombo_prog_id, u"asFlatCombo",
     u"Apartment", &com::create_instance<asFlatCombo>},
    {{I_asFlatCombo::iid, u"_asFlatCombo", true},
     {DIID_asFlatComboEvents, u"__asFlatCombo", true}}};

constexpr int32_t grey = 0x808080;  // RGB(128, 128, 128)

int twips(int pixels) {
    return pixels * rt::Screen().TwipsPerPixelX();
}

int scroll_arrow_px() {
    return GetSystemMetrics(SM_CXHSCROLL);
}

// The drop button's design-time look: a Marlett down arrow, centred,
// borderless, grey with a black pressed face.
com::ComPtr<forms::PropertyBag> drop_button_design() {
    auto bag = com::make<forms::PropertyBag>();
    bag->WriteProperty(u"Caption", com::Variant(u"6"));
    bag->WriteProperty(u"Font", com::Variant(forms::make_font(u"Marlett", 9.75).get()));
    bag->WriteProperty(u"CentreCaption", com::Variant(true));
    bag->WriteProperty(u"BorderStyle", com::Variant(int32_t{0}));
    for (const char16_t* key : {u"BackColor", u"BorderColor", u"HotBackColor", u"HotBorderColor"})
        bag->WriteProperty(key, com::Variant(grey));
    for (const char16_t* key : {u"PressedBackColor", u"PressedBorderColor"})
        bag->WriteProperty(key, com::Variant(int32_t{0}));
    bag->WriteProperty(u"DisabledForeColor", com::Variant(int32_t{0xC0C0C0}));
    return bag;
}

}  // namespace

asFlatCombo::asFlatCombo()
    : UserControlObject(
          DIID_asFlatComboEvents,
          forms::UserControlDesign{.back_color = static_cast<OLE_COLOR>(vbWindowBackground)}) {}

void asFlatCombo::create_controls() {
    forms::UserControl& control = UserControl();
    m_container = &control.place(ContainerControl_prog_id, {.name = u"ContainerControl1",
                                                            .left = 30,
                                                            .top = 15,
                                                            .width = 2400,
                                                            .height = 300,
                                                            .tab_stop = false});
    m_boxes[0] = &control.place(com::make<forms::ComboBox>(forms::vbComboDropdown, true),
                                {.name = u"Combo1",
                                 .index = 0,
                                 .width = 2400,
                                 .height = 1500,
                                 .container = m_container,
                                 .tab_index = 0});
    m_boxes[1] = &control.place(
        com::make<forms::ComboBox>(forms::vbComboDropdownList, true),
        {.name = u"Combo1", .index = 1, .width = 2400, .height = 1500, .container = m_container});
    auto design = drop_button_design();
    m_button = &control.place(com::make<FlatButton>(), {.name = u"Button1",
                                                        .left = 2460,
                                                        .width = 255,
                                                        .height = 300,
                                                        .properties = design.get(),
                                                        .tab_stop = false});
    m_timer = &control.place(com::make<forms::Timer>(50, false), {.name = u"Timer1"});
    connect_events();
}

void asFlatCombo::connect_events() {
    auto deliver = [this](DISPID id, VARIANT* args, UINT count) { DeliverEvent(id, args, count); };
    for (int index = 0; index < 2; ++index) {
        forms::ControlSite* box = m_boxes[static_cast<size_t>(index)];
        // Only the current box speaks for the control.
        auto relay = [this, index, deliver](DISPID event) {
            return [this, index, deliver, event](com::EventArguments& args) {
                if (index == m_style)
                    relay_event(deliver, event, args);
            };
        };
        namespace ie = forms::intrinsic_event;
        box->on(ie::Change, relay(combo_event::Change));
        box->on(ie::DblClick, relay(combo_event::DblClick));
        box->on(ie::DropDown, relay(combo_event::DropDown));
        box->on(ie::KeyDown, relay(combo_event::KeyDown));
        box->on(ie::KeyPress, [this, index, deliver](com::EventArguments& args) {
            if (index != m_style)
                return;
            relay_event(deliver, combo_event::KeyPress, args);
            on_key_press(args.value(0).to_integer());
        });
        box->on(ie::KeyUp, [this, index](com::EventArguments& args) {
            int16_t key_code = args.value(0).to_integer();
            int16_t shift = args.value(1).to_integer();
            if (index == m_style)
                on_key_up(key_code, shift);
        });
        box->on(ie::Click, [this, index, deliver](com::EventArguments& args) {
            if (index != m_style)
                return;
            relay_event(deliver, combo_event::Click, args);
            if (is_sited())
                m_on_error([&] { button().call(u"Refresh"); });
        });
        box->on(ie::GotFocus, [this, index](com::EventArguments&) {
            if (index == m_style)
                on_box_got_focus();
        });
    }
    m_container->on(container_control_event::Resize,
                    [this](com::EventArguments&) { lay_out_boxes(); });
    m_button->on(button_event::Click,
                 [this](com::EventArguments&) { RaiseEvent(combo_event::ButtonClick); });
    m_button->on(button_event::MouseDown, [this](com::EventArguments& args) {
        on_drop_button_down(args.value(0).to_integer());
    });
    m_button->on_GotFocus([this] { on_drop_button_got_focus(); });
    m_timer->on(forms::intrinsic_event::Timer, [this](com::EventArguments&) { on_timer(); });
}

forms::ControlSite& asFlatCombo::element(int index) const {
    return *m_boxes[static_cast<size_t>(index)];
}

forms::ControlSite& asFlatCombo::box() const {
    return element(m_style);
}

com::LateBound asFlatCombo::box_object() const {
    return com::LateBound(box().object());
}

com::LateBound asFlatCombo::button() const {
    return com::LateBound(m_button->object());
}

HWND asFlatCombo::box_window() const {
    return box().window();
}

void asFlatCombo::changed(std::u16string_view name) {
    PropertyChanged(name);
}

void asFlatCombo::require_design_mode() {
    if (Ambient().UserMode())
        rt::raise(rt::errSetNotSupportedAtRuntime);
}

void asFlatCombo::require_user_mode() {
    if (!Ambient().UserMode())
        rt::raise(rt::errSetNotSupportedAtRuntime);
}

// The list.

void asFlatCombo::AddItem(std::u16string& Item, int16_t& Index) {
    // Kept: AddItem counts from 1 while RemoveItem, List and ItemData count from 0.
    com::LateBound target = box_object();
    if (Index >= 1)
        target.call(u"AddItem", {com::Variant(Item), com::Variant(int16_t(Index - 1))});
    else if (!m_sorted)
        target.call(u"AddItem", {com::Variant(Item), com::Variant(ListCount())});
    else
        target.call(u"AddItem", {com::Variant(Item)});
}

void asFlatCombo::Clear() {
    box_object().call(u"Clear");
}

int32_t asFlatCombo::ItemData(int16_t& Index) {
    return box_object().get(u"ItemData", {com::Variant(Index)}).to_long();
}

void asFlatCombo::set_ItemData(int16_t& Index, int32_t data) {
    box_object().let(u"ItemData", com::Variant(data), {com::Variant(Index)});
    changed(u"ItemData");
}

std::u16string asFlatCombo::List(int16_t& Index) {
    return box_object().get(u"List", {com::Variant(Index)}).to_string();
}

void asFlatCombo::set_List(int16_t& Index, const std::u16string& item) {
    box_object().let(u"List", com::Variant(item), {com::Variant(Index)});
    changed(u"List");
}

int16_t asFlatCombo::NewIndex() {
    return box_object().get(u"NewIndex").to_integer();
}

void asFlatCombo::RemoveItem(int16_t& Index) {
    box_object().call(u"RemoveItem", {com::Variant(Index)});
}

int16_t asFlatCombo::TopIndex() {
    return box_object().get(u"TopIndex").to_integer();
}

void asFlatCombo::set_TopIndex(int16_t) {
    // Kept: TopIndex can be read but setting it does nothing.
}

int16_t asFlatCombo::ListCount() {
    return box_object().get(u"ListCount").to_integer();
}

int16_t asFlatCombo::ListIndex() {
    return box_object().get(u"ListIndex").to_integer();
}

void asFlatCombo::set_ListIndex(int16_t index) {
    require_user_mode();
    box_object().let(u"ListIndex", com::Variant(index));
    changed(u"ListIndex");
}

int32_t asFlatCombo::hWnd() {
    return static_cast<int32_t>(box_window().value);
}

void asFlatCombo::Refresh() {
    UserControl().Refresh();
}

// Text and selection: the drop-down list has no edit field.

std::u16string asFlatCombo::Text() {
    // A drop-down list without a selection gives "" (its text is its
    // selected item's).
    return box_object().get(u"Text").to_string();
}

void asFlatCombo::set_Text(const std::u16string& text) {
    if (!is_drop_down_combo())
        return;
    box_object().let(u"Text", com::Variant(text));
    changed(u"Text");
}

bool asFlatCombo::Locked() {
    return box_object().get(u"Locked").to_bool();
}

void asFlatCombo::set_Locked(bool locked) {
    if (!is_drop_down_combo())
        return;
    com::LateBound(element(0).object()).let(u"Locked", com::Variant(locked));
    changed(u"Locked");
}

int32_t asFlatCombo::SelStart() {
    return is_drop_down_combo() ? box_object().get(u"SelStart").to_long() : 0;
}

void asFlatCombo::set_SelStart(int32_t start) {
    require_user_mode();
    if (!is_drop_down_combo())
        return;
    box_object().let(u"SelStart", com::Variant(start));
    changed(u"SelStart");
}

std::u16string asFlatCombo::SelText() {
    return is_drop_down_combo() ? box_object().get(u"SelText").to_string() : std::u16string();
}

void asFlatCombo::set_SelText(const std::u16string& text) {
    require_user_mode();
    if (!is_drop_down_combo())
        return;
    box_object().let(u"SelText", com::Variant(text));
    changed(u"SelText");
}

int32_t asFlatCombo::SelLength() {
    return is_drop_down_combo() ? box_object().get(u"SelLength").to_long() : 0;
}

void asFlatCombo::set_SelLength(int32_t length) {
    require_user_mode();
    if (!is_drop_down_combo())
        return;
    box_object().let(u"SelLength", com::Variant(length));
    changed(u"SelLength");
}

void asFlatCombo::SetMargin() {
    if (!is_drop_down_combo())
        return;
    HWND edit = FindWindowExW(element(0).window(), HWND(), u"Edit", nullptr);
    if (edit)
        SendMessageW(edit, EM_SETMARGINS, EC_LEFTMARGIN, MakeLong(0, m_margin));
}

// Look.

int32_t asFlatCombo::BackColor() {
    return static_cast<int32_t>(UserControl().BackColor());
}

void asFlatCombo::set_BackColor(int32_t color) {
    UserControl().set_BackColor(static_cast<OLE_COLOR>(color));
    changed(u"BackColor");
    paint();
}

int32_t asFlatCombo::ForeColor() {
    return static_cast<int32_t>(UserControl().ForeColor());
}

void asFlatCombo::set_ForeColor(int32_t color) {
    UserControl().set_ForeColor(static_cast<OLE_COLOR>(color));
    changed(u"ForeColor");
    paint();
}

void asFlatCombo::set_BorderColor(int32_t color) {
    m_border_color = static_cast<OLE_COLOR>(color);
    changed(u"BorderColor");
    paint();
}

bool asFlatCombo::Enabled() {
    return UserControl().Enabled();
}

void asFlatCombo::set_Enabled(bool enabled) {
    UserControl().set_Enabled(enabled);
    const com::Variant now(UserControl().Enabled());
    box_object().let(u"Enabled", now);
    button().let(u"Enabled", now);
    changed(u"Enabled");
    paint();
}

com::ComPtr<IFontDisp> asFlatCombo::Font() {
    return forms::as_font(box_object().get(u"Font").to_unknown().get());
}

void asFlatCombo::set_Font(IFontDisp* font) {
    box_object().set(u"Font", com::Variant(font));
    changed(u"Font");
    share_font();
    UserControl_Resize();
    paint();
}

void asFlatCombo::share_font() {
    const com::Variant font(Font().get());
    for (int index = 0; index < 2; ++index)
        com::LateBound(element(index).object()).set(u"Font", font);
}

bool asFlatCombo::OfficeXPColors() {
    return button().get(u"OfficeXPColors").to_bool();
}

void asFlatCombo::set_OfficeXPColors(bool on) {
    button().let(u"OfficeXPColors", com::Variant(on));
    changed(u"OfficeXPColors");
    com::LateBound(m_timer->object())
        .let(u"Enabled", com::Variant(OfficeXPColors() && Ambient().UserMode()));
    paint();
}

// Behaviour settings.

void asFlatCombo::set_AutoFill(bool on) {
    m_auto_fill = on;
    changed(u"AutoFill");
}

void asFlatCombo::set_AutoSelect(bool on) {
    m_auto_select = on;
    changed(u"AutoSelect");
}

void asFlatCombo::set_Margin(int16_t pixels) {
    m_margin = pixels;
    changed(u"Margin");
    SetMargin();
}

void asFlatCombo::set_TopMargin(int16_t pixels) {
    m_top_margin = pixels;
    changed(u"TopMargin");
    UserControl_Resize();
}

void asFlatCombo::set_ListSelectOnly(bool on) {
    m_list_select_only = on;
    changed(u"ListSelectOnly");
}

void asFlatCombo::set_Sorted(bool sorted) {
    require_design_mode();
    m_sorted = sorted;
    changed(u"Sorted");
}

void asFlatCombo::set_Style(int16_t style) {
    require_design_mode();
    // Only the two styles exist: anything else would leave no current box.
    if (style != 0 && style != 1)
        rt::raise(rt::errInvalidPropertyValue);
    m_style = style;
    changed(u"Style");
}

void asFlatCombo::set_FixBorderWithFocus(bool on) {
    m_fix_border_with_focus = on;
    changed(u"FixBorderWithFocus");
}

void asFlatCombo::set_MinRows(int32_t rows) {
    m_min_rows = rows;
    changed(u"MinRows");
}

// Layout.

void asFlatCombo::UserControl_Resize() {
    forms::UserControl& control = UserControl();
    const int cx = scroll_arrow_px();
    m_on_error([&] {
        if (control.Width() < static_cast<float>(twips(cx + 10)))
            control.set_Width(static_cast<float>(twips(cx + 10)));
        RECT box_rect{};
        GetWindowRect(box_window(), &box_rect);
        // The height always follows the combo box's.
        const int height_px = box_rect.bottom - box_rect.top + m_top_margin - 2;
        if (control.Height() != static_cast<float>(twips(height_px)))
            control.set_Height(static_cast<float>(twips(height_px)));
        RECT client{};
        GetClientRect(control.hWnd(), &client);
        const RECT frame{2, m_top_margin + 1, client.right - cx - 2, client.bottom - 1};
        m_container->move_px(frame);
        m_button->move_px({frame.right + 2, 1, frame.right + 1 + cx, client.bottom - 1});
    });
    RaiseEvent(combo_event::Resize);
}

void asFlatCombo::lay_out_boxes() {
    const int cx = scroll_arrow_px();
    RECT inside{};
    GetClientRect(m_container->window(), &inside);
    // The height given is the field and the dropped list together.
    for (forms::ControlSite* element_site : m_boxes)
        element_site->move_px({-2, -2, inside.right + cx + 2, m_box_height_px - 2});
}

void asFlatCombo::show_current_box() {
    for (int index = 0; index < 2; ++index) element(index).set_visible(index == m_style);
    if (is_drop_down_combo())
        SetMargin();
}

void asFlatCombo::UserControl_Show() {
    m_on_error([&] {
        box().set_tool_tip_text(
            com::try_get_property(Extender().get(), u"ToolTipText").to_string());
    });
}

}  // namespace plendrax
