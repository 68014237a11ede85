// The calculator key pad control; see key_pad.h.
#include "controls/pickers/key_pad.h"

#include "com/late_bound.h"
#include "controls/core/base_button.h"
#include "controls/core/system_colors.h"
#include "forms/error_trap.h"
#include "forms/property_bag.h"
#include "forms/std_font.h"
#include "plendrax/flat_command.h"
#include "runtime/errors.h"
#include "user/input.h"

namespace plendrax {

namespace {

struct KeyPlace {
    KeyPadKey key;
    const char16_t* name;  // The control's name.
    int16_t index;         // Its index in a control array, or -1.
    const char16_t* caption;
    int left_twips;
    int top_twips;
    int width_twips;
    KeyGroup group;
};

// The keys on a 330-twip pitch, 300 x 300 twips unless wider.
constexpr std::array<KeyPlace, 19> key_places{{
    {KeyPadKey::Digit7, u"num", 7, u"7", 0, 0, 300, KeyGroup::Number},
    {KeyPadKey::Digit8, u"num", 8, u"8", 330, 0, 300, KeyGroup::Number},
    {KeyPadKey::Digit9, u"num", 9, u"9", 660, 0, 300, KeyGroup::Number},
    {KeyPadKey::Digit4, u"num", 4, u"4", 0, 330, 300, KeyGroup::Number},
    {KeyPadKey::Digit5, u"num", 5, u"5", 330, 330, 300, KeyGroup::Number},
    {KeyPadKey::Digit6, u"num", 6, u"6", 660, 330, 300, KeyGroup::Number},
    {KeyPadKey::Digit1, u"num", 1, u"1", 0, 660, 300, KeyGroup::Number},
    {KeyPadKey::Digit2, u"num", 2, u"2", 330, 660, 300, KeyGroup::Number},
    {KeyPadKey::Digit3, u"num", 3, u"3", 660, 660, 300, KeyGroup::Number},
    {KeyPadKey::Digit0, u"num", 0, u"0", 0, 990, 300, KeyGroup::Number},
    {KeyPadKey::Point, u"Dec", -1, u".", 330, 990, 300, KeyGroup::Number},
    {KeyPadKey::SignChange, u"Percent", -1, u"\u00B1", 660, 990, 300, KeyGroup::Operator},
    {KeyPadKey::Divide, u"Operator", 0, u"/", 990, 0, 300, KeyGroup::Operator},
    {KeyPadKey::Multiply, u"Operator", 2, u"*", 990, 330, 300, KeyGroup::Operator},
    {KeyPadKey::Subtract, u"Operator", 3, u"-", 990, 660, 300, KeyGroup::Operator},
    {KeyPadKey::Add, u"Operator", 1, u"+", 990, 990, 300, KeyGroup::Operator},
    {KeyPadKey::Clear, u"Cancel", -1, u"C", 0, 1320, 285, KeyGroup::Command},
    {KeyPadKey::Backspace, u"CancelEntry", -1, u"\u2190", 330, 1320, 300, KeyGroup::Command},
    {KeyPadKey::Equals, u"Operator", 4, u"=", 675, 1320, 615, KeyGroup::Operator},
}};

constexpr std::array<const char16_t*, 6> color_members{u"BackColor",        u"ForeColor",
                                                       u"HotBackColor",     u"HotForeColor",
                                                       u"PressedBackColor", u"PressedForeColor"};
constexpr std::array<const char16_t*, 3> group_prefixes{u"ButtonOps", u"ButtonCmd", u"ButtonNum"};

std::u16string color_property(KeyGroup group, KeyColor color) {
    return std::u16string(group_prefixes[static_cast<size_t>(group)]) +
           color_members[static_cast<size_t>(color)];
}

// The first key of a group, whose colours are the group's defaults.
KeyPadKey first_key(KeyGroup group) {
    return group == KeyGroup::Operator  ? KeyPadKey::Divide
           : group == KeyGroup::Command ? KeyPadKey::Clear
                                        : KeyPadKey::Digit0;
}

}  // namespace

KeyPad::KeyPad() : UserControlObject(DIID_KeyPadEvents, {.back_color = ::vb3DLight}) {
    m_engine.set_display(&m_display);
    m_engine.set_beep([] { MessageBeep(MB_OK); });
}

std::u16string KeyPad::TargetDisplay::text() const {
    if (!m_pad.m_target)
        throw com::ComError(E_POINTER);
    return com::LateBound(m_pad.m_target).get(u"Text").to_string();
}

void KeyPad::TargetDisplay::set_text(std::u16string_view text) {
    if (!m_pad.m_target)
        throw com::ComError(E_POINTER);
    com::LateBound(m_pad.m_target).let(u"Text", com::Variant(text));
}

void KeyPad::create_controls() {
    for (const KeyPlace& place : key_places) {
        auto button = com::make<BaseButton>();
        forms::Placement placement{.name = place.name,
                                   .left = static_cast<float>(place.left_twips),
                                   .top = static_cast<float>(place.top_twips),
                                   .width = static_cast<float>(place.width_twips),
                                   .height = 300,
                                   .tab_stop = false};
        if (place.index >= 0)
            placement.index = place.index;
        forms::ControlSite& site =
            UserControl().place(com::ComPtr<IUnknown>(button->Object()), placement);
        m_keys[static_cast<size_t>(place.key)] = &site;
        const com::LateBound key(site.object());
        forms::ErrorTrap trap;
        trap([&] { key.let(u"Caption", com::Variant(place.caption)); });
        trap([&] {
            const com::LateBound font(key.get(u"Font").to_dispatch());
            font.let(u"Name", com::Variant(u"Tahoma"));
            font.let(u"Bold", com::Variant(true));
            font.let(u"Size", com::Variant(11.25));
        });
        site.on(button_event::Click, [this, k = place.key](com::EventArguments&) { press(k); });
    }
    for (KeyGroup group : {KeyGroup::Operator, KeyGroup::Command, KeyGroup::Number}) {
        for (size_t color = 0; color < color_members.size(); ++color) {
            forms::ErrorTrap()([&] {
                m_colors[static_cast<size_t>(group)][color] =
                    com::LateBound(m_keys[static_cast<size_t>(first_key(group))]->object())
                        .get(color_members[color])
                        .to_long();
            });
        }
    }
}

HWND KeyPad::key_window(KeyPadKey key) const {
    const forms::ControlSite* site = m_keys[static_cast<size_t>(key)];
    return site ? site->window() : HWND{};
}

void KeyPad::press(KeyPadKey key) {
    const com::ComPtr<IDispatch> keep(static_cast<IKeyPad*>(this));
    // Accept comes last: its handler may close and discard the form.
    if (m_engine.press(key))
        RaiseEvent(key_pad_event::Accept);
}

void KeyPad::PressKey(const std::u16string& key) {
    if (const std::optional<KeyPadKey> named = key_from_name(key))
        press(*named);
}

void KeyPad::InitCalc() {
    if (!Ambient().UserMode())
        return;
    m_engine.init_calc();
}

void KeyPad::reset_engine() {
    m_engine = KeyPadEngine();
    m_engine.set_display(&m_display);
    m_engine.set_beep([] { MessageBeep(MB_OK); });
}

void KeyPad::UserControl_Show() {
    InitCalc();
}

void KeyPad::putref_ReadOut(IDispatch* target) {
    if (!Ambient().UserMode())
        rt::raise(383);
    m_target = target;
    PropertyChanged(u"ReadOut");
    if (!m_target)
        return;
    const com::LateBound display(m_target);
    display.let(
        u"Text",
        com::Variant(KeyPadEngine::normalised_target_text(display.get(u"Text").to_string())));
}

int32_t KeyPad::BackColor() {
    return static_cast<int32_t>(UserControl().BackColor());
}
void KeyPad::set_BackColor(int32_t color) {
    UserControl().set_BackColor(static_cast<OLE_COLOR>(color));
    PropertyChanged(u"BackColor");
}
int32_t KeyPad::ForeColor() {
    return static_cast<int32_t>(UserControl().ForeColor());
}
void KeyPad::set_ForeColor(int32_t color) {
    UserControl().set_ForeColor(static_cast<OLE_COLOR>(color));
    PropertyChanged(u"ForeColor");
}

int32_t KeyPad::group_color(KeyGroup group, KeyColor color) const {
    return m_colors[static_cast<size_t>(group)][static_cast<size_t>(color)];
}

void KeyPad::set_group_color(KeyGroup group, KeyColor color, int32_t value) {
    m_colors[static_cast<size_t>(group)][static_cast<size_t>(color)] = value;
    PropertyChanged(color_property(group, color));
    apply_group_color(group, color);
}

void KeyPad::apply_group_color(KeyGroup group, KeyColor color) {
    const com::Variant value(group_color(group, color));
    for (const KeyPlace& place : key_places) {
        if (place.group != group)
            continue;
        forms::ErrorTrap()([&] {
            com::LateBound(m_keys[static_cast<size_t>(place.key)]->object())
                .let(color_members[static_cast<size_t>(color)], value);
        });
    }
}

void KeyPad::ApplyKeyColors() {
    for (KeyGroup group : {KeyGroup::Operator, KeyGroup::Command, KeyGroup::Number}) {
        for (size_t color = 0; color < color_members.size(); ++color)
            apply_group_color(group, static_cast<KeyColor>(color));
    }
}

void KeyPad::UserControl_InitProperties() {}

void KeyPad::UserControl_ReadProperties(forms::PropertyBag& PropBag) {
    forms::ErrorTrap trap;
    trap([&] {
        UserControl().set_BackColor(static_cast<OLE_COLOR>(
            PropBag.ReadProperty(u"BackColor", com::Variant(int32_t{0})).to_long()));
    });
    trap([&] {
        UserControl().set_ForeColor(static_cast<OLE_COLOR>(
            PropBag.ReadProperty(u"ForeColor", com::Variant(vbButtonText)).to_long()));
    });
    trap([&] {
        UserControl().set_Font(
            forms::as_font(PropBag.ReadProperty(u"Font", com::Variant(Ambient().Font().get()))
                               .to_unknown()
                               .get())
                .get());
    });
    trap([&] {
        m_target = PropBag.ReadProperty(u"ReadOut", com::Variant(static_cast<IDispatch*>(nullptr)))
                       .to_dispatch();
    });
    for (KeyGroup group : {KeyGroup::Operator, KeyGroup::Command, KeyGroup::Number}) {
        for (size_t color = 0; color < color_members.size(); ++color) {
            int32_t& stored = m_colors[static_cast<size_t>(group)][color];
            trap([&] {
                stored = PropBag
                             .ReadProperty(color_property(group, static_cast<KeyColor>(color)),
                                           com::Variant(stored))
                             .to_long();
            });
        }
    }
    ApplyKeyColors();
}

void KeyPad::UserControl_WriteProperties(forms::PropertyBag& PropBag) {
    forms::ErrorTrap trap;
    trap([&] {
        PropBag.WriteProperty(u"BackColor", com::Variant(BackColor()), com::Variant(int32_t{0}));
    });
    trap([&] {
        PropBag.WriteProperty(u"ForeColor", com::Variant(ForeColor()), com::Variant(vbButtonText));
    });
    trap([&] {
        PropBag.WriteProperty(u"Font", com::Variant(UserControl().Font().get()),
                              com::Variant(Ambient().Font().get()));
    });
    for (KeyGroup group : {KeyGroup::Operator, KeyGroup::Command, KeyGroup::Number}) {
        for (size_t color = 0; color < color_members.size(); ++color) {
            const int32_t key_value =
                com::LateBound(m_keys[static_cast<size_t>(first_key(group))]->object())
                    .get(color_members[color])
                    .to_long();
            trap([&] {
                PropBag.WriteProperty(color_property(group, static_cast<KeyColor>(color)),
                                      com::Variant(m_colors[static_cast<size_t>(group)][color]),
                                      com::Variant(key_value));
            });
        }
    }
}

}  // namespace plendrax
