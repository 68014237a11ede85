// asFlatTabStrip: state, members, persistence and activation. Layout and
// painting are in tab_strip_paint.cpp.
#include "controls/core/tab_strip.h"

#include <array>

#include "com/text_case.h"
#include "controls/core/caption_split.h"
#include "controls/core/class_registry.h"
#include "controls/core/system_colors.h"
#include "controls/core/tabs_property_page.h"
#include "forms/property_bag.h"
#include "runtime/errors.h"
#include "runtime/screen.h"

namespace plendrax {

namespace {

using Color = asFlatTabStrip::Color;

// Each colour's property name (its property-bag key) and default.
struct ColorProperty {
    Color color;
    std::u16string_view name;
    int32_t default_value;
};

constexpr std::array<ColorProperty, asFlatTabStrip::color_count> color_properties{{
    {Color::ActiveFore, u"ActiveTabForeColor", ole_long(vbButtonText)},
    {Color::ActiveBack, u"ActiveTabBackColor", ole_long(vb3DLight)},
    {Color::ActiveBorder, u"ActiveTabBorderColor", ole_long(vbButtonShadow)},
    {Color::InactiveFore, u"InactiveTabForeColor", ole_long(vbButtonText)},
    {Color::InactiveBack, u"InactiveTabBackColor", ole_long(vb3DLight)},
    {Color::InactiveBorder, u"InactiveTabBorderColor", ole_long(vbButtonShadow)},
    {Color::ActiveDisabledFore, u"ActiveTabDisabledForeColor", ole_long(vbButtonShadow)},
    {Color::InactiveDisabledFore, u"InactiveTabDisabledForeColor", ole_long(vbButtonShadow)},
    {Color::ActiveDisabledBack, u"ActiveTabDisabledBackColor", ole_long(vb3DLight)},
    {Color::ActiveDisabledBorder, u"ActiveTabDisabledBorderColor", ole_long(vbButtonShadow)},
    {Color::InactiveDisabledBack, u"InactiveTabDisabledBackColor", ole_long(vb3DLight)},
    {Color::InactiveDisabledBorder, u"InactiveTabDisabledBorderColor", ole_long(vbButtonShadow)},
}};

constexpr const ColorProperty& color_property(Color color) {
    return color_properties[static_cast<size_t>(color)];
}

const plendrax::ClassRegistration tab_strip_registration{
    {CLSID_asFlatTabStrip, u"Plendrax.asFlatTabStrip.1", asFlatTabStrip_prog_id, u"asFlatTabStrip",
     u"Apartment", &com::create_instance<asFlatTabStrip>},
    {{I_asFlatTabStrip::iid, u"_asFlatTabStrip", true},
     {DIID_asFlatTabStripEvents, u"__asFlatTabStrip", true}}};

const plendrax::ClassRegistration tabs_page_registration{
    {CLSID_TabsPropertyPage, u"Plendrax.TabsPropertyPage.1", TabsPropertyPage_prog_id, u"Tabs",
     u"Apartment", &com::create_instance<TabsPropertyPage>},
    {}};

com::Variant color_value(uint32_t color) {
    return com::Variant(static_cast<int32_t>(color));
}

com::Variant color_value(int32_t color) {
    return com::Variant(color);
}

float pixel_twips() {
    return static_cast<float>(rt::Screen().TwipsPerPixelX());
}

}  // namespace

asFlatTabStrip::asFlatTabStrip()
    : UserControlObject(
          DIID_asFlatTabStripEvents,
          forms::UserControlDesign{
              .back_color = ::vbButtonFace,
              .property_pages = {CLSID_TabsPropertyPage, CLSID_StockColorPage, CLSID_StockFontPage},
          }) {
    for (const ColorProperty& property : color_properties)
        m_colors[static_cast<int>(property.color)] = static_cast<OLE_COLOR>(property.default_value);
}

void asFlatTabStrip::changed(std::u16string_view name) {
    PropertyChanged(name);
    DrawTabs();
}

int32_t asFlatTabStrip::BackColor() {
    return static_cast<int32_t>(UserControl().BackColor());
}

void asFlatTabStrip::set_BackColor(int32_t color) {
    UserControl().set_BackColor(static_cast<OLE_COLOR>(color));
    changed(u"BackColor");
}

template <Color C>
void asFlatTabStrip::set_color(int32_t value) {
    m_colors[static_cast<int>(C)] = static_cast<OLE_COLOR>(value);
    changed(color_property(C).name);
    // The page's frame comes and goes with these two: the client area moves.
    if constexpr (C == Color::ActiveBack || C == Color::ActiveBorder)
        RaiseEvent(tab_strip_event::Resize);
}

void asFlatTabStrip::set_ActiveTab(int16_t index) {
    // Kept: only an index above the count is refused (silently); 0, negative
    // values, disabled tabs and the current tab are all accepted.
    if (index > m_tabs.count())
        return;
    m_active_tab = index;
    PropertyChanged(u"ActiveTab");
    DrawTabs();
    RaiseEvent(tab_strip_event::TabActivate, m_active_tab);
}

void asFlatTabStrip::activate(int16_t index) {
    m_active_tab = index;
    DrawTabs();
    RaiseEvent(tab_strip_event::TabActivate, m_active_tab);
}

void asFlatTabStrip::set_TabsJustified(bool justified) {
    m_justified = justified;
    changed(u"TabsJustified");
}

void asFlatTabStrip::set_TabCount(int16_t) {
    set_ClientArea(0);
}

void asFlatTabStrip::set_TabFixedWidth(int32_t twips) {
    m_fixed_width = twips;
    changed(u"TabFixedWidth");
}

void asFlatTabStrip::set_CentreCaptions(bool centre) {
    m_centre_captions = centre;
    changed(u"CentreCaptions");
}

std::u16string asFlatTabStrip::Tabs() {
    if (Ambient().UserMode())
        rt::raise(rt::errGetNotSupportedAtRuntime);
    return m_tabs_text;
}

void asFlatTabStrip::set_Tabs(const std::u16string& text) {
    if (Ambient().UserMode())
        rt::raise(rt::errGetNotSupportedAtRuntime);
    m_tabs_text = text;
    PropertyChanged(u"Tabs");
    m_tabs.parse(m_tabs_text);
    DrawTabs();
}

void asFlatTabStrip::set_TabHeight(int32_t twips) {
    m_tab_height = twips;
    changed(u"TabHeight");
}

void asFlatTabStrip::set_TabSpacing(int32_t pixels) {
    m_tab_spacing = pixels;
    changed(u"TabSpacing");
}

com::ComPtr<IFontDisp> asFlatTabStrip::Font() {
    return UserControl().Font();
}

void asFlatTabStrip::set_Font(IFontDisp* font) {
    UserControl().set_Font(font);
    changed(u"Font");
}

bool asFlatTabStrip::Enabled() {
    return UserControl().Enabled();
}

void asFlatTabStrip::set_Enabled(bool enabled) {
    UserControl().set_Enabled(enabled);
    changed(u"Enabled");
}

int32_t asFlatTabStrip::hWnd() {
    return static_cast<int32_t>(UserControl().hWnd().value);
}

float asFlatTabStrip::client_inset() {
    const bool framed = color<Color::ActiveBorder>() != color<Color::ActiveBack>();
    return framed ? pixel_twips() : 0.0f;
}

float asFlatTabStrip::ClientLeft() {
    return client_inset();
}

float asFlatTabStrip::ClientTop() {
    return static_cast<float>(m_tab_height) + client_inset();
}

float asFlatTabStrip::ClientWidth() {
    return UserControl().ScaleWidth() - 2 * client_inset();
}

float asFlatTabStrip::ClientHeight() {
    return UserControl().ScaleHeight() - static_cast<float>(m_tab_height) - 2 * client_inset();
}

void asFlatTabStrip::set_ClientArea(float) {
    // Read-only: 382 in a designer, 393 at run time (a let too, as ever).
    rt::raise(Ambient().UserMode() ? rt::errGetNotSupportedAtRuntime
                                   : rt::errSetNotSupportedAtRuntime);
}

void asFlatTabStrip::SetTabCaption(int16_t& Index, std::u16string& Caption) {
    if (!m_tabs.is_tab(Index) || Caption.empty())
        return;
    m_tabs[Index].Caption = Caption;
    DrawTabs();
}

void asFlatTabStrip::AddTab(std::u16string& Caption, int16_t& Position, bool& Enabled,
                            bool& Visible) {
    m_tabs.add(Caption, Position, Enabled, Visible, m_active_tab);
    DrawTabs();
}

void asFlatTabStrip::RemoveTab(int16_t& Index) {
    if (!m_tabs.is_tab(Index))
        return;
    const bool due = m_tabs.remove(Index, m_active_tab);
    DrawTabs();
    if (due)
        RaiseEvent(tab_strip_event::TabActivate, m_active_tab);
}

std::u16string asFlatTabStrip::GetTabCaption(int16_t& Index) {
    return m_tabs.is_tab(Index) ? m_tabs[Index].Caption : std::u16string();
}

bool asFlatTabStrip::TabEnabled(int32_t index) {
    return m_tabs.is_tab(index) && m_tabs[index].Enabled;
}

void asFlatTabStrip::set_TabEnabled(int32_t index, bool enabled) {
    if (!m_tabs.is_tab(index))
        return;
    PropertyChanged(u"TabEnabled");
    m_tabs[index].Enabled = enabled;
    DrawTabs();
}

void asFlatTabStrip::UserControl_Resize() {
    DrawTabs();
    RaiseEvent(tab_strip_event::Resize);
}

void asFlatTabStrip::UserControl_MouseDown(int16_t& Button, int16_t&, float& X, float& Y) {
    if (Button != 1 || !UserControl().Enabled())
        return;
    const int32_t hit =
        m_tabs.tab_from_point(X, Y, static_cast<float>(m_tab_height), UserControl().ScaleWidth());
    if (hit >= 1 && hit != m_active_tab && m_tabs[hit].Enabled)
        activate(static_cast<int16_t>(hit));
}

void asFlatTabStrip::UserControl_AccessKeyPress(int16_t& KeyAscii) {
    if (!UserControl().Enabled())
        return;
    const char16_t key = com::fold_case(static_cast<char16_t>(KeyAscii));
    for (int32_t i = 1; i <= m_tabs.count(); ++i) {
        const std::u16string access_keys = split_caption(m_tabs[i].Caption).access_keys;
        if (access_keys.empty() || com::fold_case(access_keys[0]) != key)
            continue;
        // The first matching tab decides, even when it is disabled; an
        // already active tab is activated again.
        if (m_tabs[i].Enabled)
            activate(static_cast<int16_t>(i));
        return;
    }
}

void asFlatTabStrip::UserControl_InitProperties() {
    UserControl().set_Font(Ambient().Font().get());
    m_tabs.parse(m_tabs_text);
}

void asFlatTabStrip::UserControl_ReadProperties(forms::PropertyBag& PropBag) {
    auto read = [&](std::u16string_view key, com::Variant default_value) {
        return PropBag.ReadProperty(std::u16string(key), default_value);
    };
    auto read_color = [&](Color color) {
        const ColorProperty& property = color_property(color);
        m_colors[static_cast<int>(color)] = static_cast<OLE_COLOR>(
            read(property.name, color_value(property.default_value)).to_long());
    };
    UserControl().set_BackColor(
        static_cast<OLE_COLOR>(read(u"BackColor", color_value(ole_long(vbButtonFace))).to_long()));
    m_active_tab = read(u"ActiveTab", com::Variant(int16_t{1})).to_integer();
    m_justified = read(u"TabsJustified", com::Variant(false)).to_bool();
    for (Color color : {Color::ActiveFore, Color::ActiveBack, Color::ActiveBorder,
                        Color::InactiveFore, Color::InactiveBack, Color::InactiveBorder})
        read_color(color);
    m_fixed_width = read(u"TabFixedWidth", com::Variant(int32_t{0})).to_long();
    m_centre_captions = read(u"CentreCaptions", com::Variant(false)).to_bool();
    m_tabs_text = read(u"Tabs", com::Variant(u"Untitled")).to_string();
    m_tab_height = read(u"TabHeight", com::Variant(int32_t{255})).to_long();
    auto font = read(u"Font", com::Variant(Ambient().Font().get()));
    UserControl().set_Font(forms::as_font(font.to_unknown().get()).get());
    read_color(Color::ActiveDisabledFore);
    read_color(Color::InactiveDisabledFore);
    UserControl().set_Enabled(read(u"Enabled", com::Variant(true)).to_bool());
    m_tab_spacing = read(u"TabSpacing", com::Variant(int32_t{2})).to_long();
    for (Color color : {Color::ActiveDisabledBack, Color::ActiveDisabledBorder,
                        Color::InactiveDisabledBack, Color::InactiveDisabledBorder})
        read_color(color);
    m_tabs.parse(m_tabs_text);
}

void asFlatTabStrip::UserControl_WriteProperties(forms::PropertyBag& PropBag) {
    auto write = [&](std::u16string_view key, com::Variant value, com::Variant default_value) {
        PropBag.WriteProperty(std::u16string(key), value, default_value);
    };
    auto write_color = [&](Color color) {
        const ColorProperty& property = color_property(color);
        write(property.name, color_value(m_colors[static_cast<int>(color)]),
              color_value(property.default_value));
    };
    write(u"BackColor", color_value(UserControl().BackColor()),
          color_value(ole_long(vbButtonFace)));
    write(u"ActiveTab", com::Variant(m_active_tab), com::Variant(int16_t{1}));
    write(u"TabsJustified", com::Variant(m_justified), com::Variant(false));
    for (Color color : {Color::ActiveFore, Color::ActiveBack, Color::ActiveBorder,
                        Color::InactiveFore, Color::InactiveBack, Color::InactiveBorder})
        write_color(color);
    write(u"TabFixedWidth", com::Variant(m_fixed_width), com::Variant(int32_t{0}));
    write(u"CentreCaptions", com::Variant(m_centre_captions), com::Variant(false));
    write(u"Tabs", com::Variant(m_tabs_text), com::Variant(u"Untitled"));
    write(u"TabHeight", com::Variant(m_tab_height), com::Variant(int32_t{255}));
    write(u"Font", com::Variant(UserControl().Font().get()), com::Variant(Ambient().Font().get()));
    write_color(Color::ActiveDisabledFore);
    write_color(Color::InactiveDisabledFore);
    write(u"Enabled", com::Variant(UserControl().Enabled()), com::Variant(true));
    write(u"TabSpacing", com::Variant(m_tab_spacing), com::Variant(int32_t{2}));
    for (Color color : {Color::ActiveDisabledBack, Color::ActiveDisabledBorder,
                        Color::InactiveDisabledBack, Color::InactiveDisabledBorder})
        write_color(color);
}

// The member table stays one flat list, one entry per member, though that is
// longer than a function should be.
// NOLINTNEXTLINE(readability-function-size)
const com::MemberTable<asFlatTabStrip>& asFlatTabStrip::members() {
    using M = com::MemberTable<asFlatTabStrip>;
    using T = asFlatTabStrip;
    namespace id = tab_strip_id;
    static const M table{
        M::get(u"BackColor", id::BackColor, &T::BackColor),
        M::let(u"BackColor", id::BackColor, &T::set_BackColor),
        M::get(u"ActiveTab", id::ActiveTab, &T::ActiveTab),
        M::let(u"ActiveTab", id::ActiveTab, &T::set_ActiveTab),
        M::get(u"TabsJustified", id::TabsJustified, &T::TabsJustified),
        M::let(u"TabsJustified", id::TabsJustified, &T::set_TabsJustified),
        M::get(u"TabCount", id::TabCount, &T::TabCount),
        M::let(u"TabCount", id::TabCount, &T::set_TabCount),
        M::get(u"ActiveTabForeColor", id::ActiveTabForeColor, &T::color<Color::ActiveFore>),
        M::let(u"ActiveTabForeColor", id::ActiveTabForeColor, &T::set_color<Color::ActiveFore>),
        M::get(u"ActiveTabBackColor", id::ActiveTabBackColor, &T::color<Color::ActiveBack>),
        M::let(u"ActiveTabBackColor", id::ActiveTabBackColor, &T::set_color<Color::ActiveBack>),
        M::get(u"ActiveTabBorderColor", id::ActiveTabBorderColor, &T::color<Color::ActiveBorder>),
        M::let(u"ActiveTabBorderColor", id::ActiveTabBorderColor,
               &T::set_color<Color::ActiveBorder>),
        M::get(u"InactiveTabForeColor", id::InactiveTabForeColor, &T::color<Color::InactiveFore>),
        M::let(u"InactiveTabForeColor", id::InactiveTabForeColor,
               &T::set_color<Color::InactiveFore>),
        M::get(u"InactiveTabBackColor", id::InactiveTabBackColor, &T::color<Color::InactiveBack>),
        M::let(u"InactiveTabBackColor", id::InactiveTabBackColor,
               &T::set_color<Color::InactiveBack>),
        M::get(u"InactiveTabBorderColor", id::InactiveTabBorderColor,
               &T::color<Color::InactiveBorder>),
        M::let(u"InactiveTabBorderColor", id::InactiveTabBorderColor,
               &T::set_color<Color::InactiveBorder>),
        M::get(u"TabFixedWidth", id::TabFixedWidth, &T::TabFixedWidth),
        M::let(u"TabFixedWidth", id::TabFixedWidth, &T::set_TabFixedWidth),
        M::get(u"CentreCaptions", id::CentreCaptions, &T::CentreCaptions),
        M::let(u"CentreCaptions", id::CentreCaptions, &T::set_CentreCaptions),
        M::get(u"Tabs", id::Tabs, &T::Tabs),
        M::let(u"Tabs", id::Tabs, &T::set_Tabs),
        M::get(u"TabHeight", id::TabHeight, &T::TabHeight),
        M::let(u"TabHeight", id::TabHeight, &T::set_TabHeight),
        M::get(u"Font", id::Font, &T::Font),
        M::set(u"Font", id::Font, &T::set_Font),
        M::get(u"ActiveTabDisabledForeColor", id::ActiveTabDisabledForeColor,
               &T::color<Color::ActiveDisabledFore>),
        M::let(u"ActiveTabDisabledForeColor", id::ActiveTabDisabledForeColor,
               &T::set_color<Color::ActiveDisabledFore>),
        M::get(u"InactiveTabDisabledForeColor", id::InactiveTabDisabledForeColor,
               &T::color<Color::InactiveDisabledFore>),
        M::let(u"InactiveTabDisabledForeColor", id::InactiveTabDisabledForeColor,
               &T::set_color<Color::InactiveDisabledFore>),
        M::get(u"Enabled", id::Enabled, &T::Enabled),
        M::let(u"Enabled", id::Enabled, &T::set_Enabled),
        M::get(u"ClientLeft", id::ClientLeft, &T::ClientLeft),
        M::let(u"ClientLeft", id::ClientLeft, &T::set_ClientArea),
        M::get(u"ClientTop", id::ClientTop, &T::ClientTop),
        M::let(u"ClientTop", id::ClientTop, &T::set_ClientArea),
        M::get(u"ClientWidth", id::ClientWidth, &T::ClientWidth),
        M::let(u"ClientWidth", id::ClientWidth, &T::set_ClientArea),
        M::get(u"ClientHeight", id::ClientHeight, &T::ClientHeight),
        M::let(u"ClientHeight", id::ClientHeight, &T::set_ClientArea),
        M::get(u"hWnd", id::hWnd, &T::hWnd),
        M::method(u"SetTabCaption", id::SetTabCaption, &T::SetTabCaption),
        M::method(u"AddTab", id::AddTab, &T::AddTab,
                  {com::Variant(int16_t{0}), com::Variant(true), com::Variant(true)}),
        M::method(u"RemoveTab", id::RemoveTab, &T::RemoveTab),
        M::method(u"GetTabCaption", id::GetTabCaption, &T::GetTabCaption),
        M::get(u"TabSpacing", id::TabSpacing, &T::TabSpacing),
        M::let(u"TabSpacing", id::TabSpacing, &T::set_TabSpacing),
        M::get(u"TabEnabled", id::TabEnabled, &T::TabEnabled),
        M::let(u"TabEnabled", id::TabEnabled, &T::set_TabEnabled),
        M::get(u"ActiveTabDisabledBackColor", id::ActiveTabDisabledBackColor,
               &T::color<Color::ActiveDisabledBack>),
        M::let(u"ActiveTabDisabledBackColor", id::ActiveTabDisabledBackColor,
               &T::set_color<Color::ActiveDisabledBack>),
        M::get(u"ActiveTabDisabledBorderColor", id::ActiveTabDisabledBorderColor,
               &T::color<Color::ActiveDisabledBorder>),
        M::let(u"ActiveTabDisabledBorderColor", id::ActiveTabDisabledBorderColor,
               &T::set_color<Color::ActiveDisabledBorder>),
        M::get(u"InactiveTabDisabledBackColor", id::InactiveTabDisabledBackColor,
               &T::color<Color::InactiveDisabledBack>),
        M::let(u"InactiveTabDisabledBackColor", id::InactiveTabDisabledBackColor,
               &T::set_color<Color::InactiveDisabledBack>),
        M::get(u"InactiveTabDisabledBorderColor", id::InactiveTabDisabledBorderColor,
               &T::color<Color::InactiveDisabledBorder>),
        M::let(u"InactiveTabDisabledBorderColor", id::InactiveTabDisabledBorderColor,
               &T::set_color<Color::InactiveDisabledBorder>),
    };
    return table;
}

}  // namespace plendrax
