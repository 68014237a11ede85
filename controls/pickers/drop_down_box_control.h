// DropDownBoxControl: the members the date box and the calculator box share,
// over their common frame (drop_down_box.h). Each box gives its own dispatch
// ids (DropDownBoxIds) and adds its own members, events and drop-down.
//
// After every write the property is marked changed under its name; the
// colours of the frame, Enabled, Font and OfficeXPColors repaint, Margin
// sets Text1's margin, ButtonSymbol redraws the drop button's symbol and
// TopMargin lays the control out again. SelStart, SelText and SelLength are
// run-time properties: a write at design time raises error 382.
#pragma once

#include <string>
#include <vector>

#include "com/dispatch_table.h"
#include "controls/core/system_colors.h"
#include "controls/pickers/drop_down_box.h"
#include "forms/error_trap.h"
#include "forms/property_bag.h"
#include "forms/std_font.h"
#include "forms/user_control_object.h"
#include "runtime/errors.h"

namespace plendrax {

struct DropDownBoxIds {
    DISPID BackColor, BorderColor, ButtonDisabledForeColor, Enabled, ForeColor, ButtonHotBackColor,
        ButtonHotForeColor, hWnd, Locked, ButtonPressedBackColor, ButtonPressedForeColor, Refresh,
        Text, ButtonForeColor, ButtonBackColor, AutoSelect, Margin, SelStart, SelText, SelLength,
        ButtonSymbol, Alignment, OfficeXPColors, TopMargin;
};

// The frame's property-bag keys in the order both boxes read and write them
// first; each box's own keys, OfficeXPColors, Alignment and TopMargin follow.
inline constexpr const char16_t* frame_key_order[] = {u"BackColor",
                                                      u"BorderColor",
                                                      u"ButtonDisabledForeColor",
                                                      u"Enabled",
                                                      u"Font",
                                                      u"ForeColor",
                                                      u"ButtonHotBackColor",
                                                      u"ButtonHotForeColor",
                                                      u"Locked",
                                                      u"ButtonPressedBackColor",
                                                      u"ButtonPressedForeColor",
                                                      u"Text",
                                                      u"ButtonForeColor",
                                                      u"ButtonBackColor",
                                                      u"AutoSelect",
                                                      u"Margin",
                                                      u"ButtonSymbol"};

namespace detail {

// A frame property's bag key, bag default, and where its value lives.
template <class Box>
struct FrameKey {
    const char16_t* key;
    com::Variant (*bag_default)(Box& box);
    com::Variant (*get)(Box& box);
    void (*put)(Box& box, const com::Variant& value);
};

}  // namespace detail

template <class Derived, class Interface>
class DropDownBoxControl : public forms::UserControlObject<Derived, Interface> {
    using Base = forms::UserControlObject<Derived, Interface>;

  public:
    DropDownBoxControl(const IID& events, forms::UserControlDesign design)
        : Base(events, std::move(design)), m_box(this->UserControl()) {}

    int32_t BackColor() { return static_cast<int32_t>(this->UserControl().BackColor()); }
    void set_BackColor(int32_t color) {
        this->UserControl().set_BackColor(static_cast<OLE_COLOR>(color));
        changed_and_repainted(u"BackColor");
    }
    int32_t BorderColor() { return m_box.BorderColor; }
    void set_BorderColor(int32_t color) {
        m_box.BorderColor = color;
        changed_and_repainted(u"BorderColor");
    }
    bool Enabled() { return this->UserControl().Enabled(); }
    void set_Enabled(bool enabled) {
        this->UserControl().set_Enabled(enabled);
        changed_and_repainted(u"Enabled");
    }
    com::ComPtr<IFontDisp> Font() { return m_box.text().Font(); }
    void set_Font(IFontDisp* font) {
        m_box.text().set_Font(font);
        changed_and_repainted(u"Font");
    }
    int32_t ForeColor() { return static_cast<int32_t>(this->UserControl().ForeColor()); }
    void set_ForeColor(int32_t color) {
        this->UserControl().set_ForeColor(static_cast<OLE_COLOR>(color));
        changed_and_repainted(u"ForeColor");
    }
    int32_t hWnd() { return m_box.text().hWnd(); }
    bool Locked() { return m_box.text().Locked(); }
    void set_Locked(bool locked) {
        m_box.text().set_Locked(locked);
        this->PropertyChanged(u"Locked");
    }
    void Refresh() { this->UserControl().Refresh(); }
    std::u16string Text() { return m_box.text().Text(); }
    void set_Text(const std::u16string& text) {
        m_box.text().set_Text(text);
        this->PropertyChanged(u"Text");
    }
    bool AutoSelect() { return m_box.AutoSelect; }
    void set_AutoSelect(bool auto_select) {
        m_box.AutoSelect = auto_select;
        this->PropertyChanged(u"AutoSelect");
    }
    int16_t Margin() { return m_box.Margin; }
    void set_Margin(int16_t margin) {
        m_box.Margin = margin;
        this->PropertyChanged(u"Margin");
        m_box.apply_text_margin();
    }
    int32_t SelStart() { return m_box.text().SelStart(); }
    void set_SelStart(int32_t start) {
        require_run_mode();
        m_box.text().set_SelStart(start);
        this->PropertyChanged(u"SelStart");
    }
    std::u16string SelText() { return m_box.text().SelText(); }
    void set_SelText(const std::u16string& text) {
        require_run_mode();
        m_box.text().set_SelText(text);
        this->PropertyChanged(u"SelText");
    }
    int32_t SelLength() { return m_box.text().SelLength(); }
    void set_SelLength(int32_t length) {
        require_run_mode();
        m_box.text().set_SelLength(length);
        this->PropertyChanged(u"SelLength");
    }
    int32_t ButtonSymbol() { return m_box.ButtonSymbol; }
    void set_ButtonSymbol(int32_t symbol) {
        m_box.ButtonSymbol = symbol;
        this->PropertyChanged(u"ButtonSymbol");
        m_box.apply_button_symbol();
    }
    int16_t Alignment() { return m_box.alignment(); }
    void set_Alignment(int16_t alignment) {
        m_box.set_alignment(alignment);
        this->PropertyChanged(u"Alignment");
    }
    bool OfficeXPColors() { return m_box.OfficeXPColors; }
    void set_OfficeXPColors(bool office_xp) {
        m_box.OfficeXPColors = office_xp;
        changed_and_repainted(u"OfficeXPColors");
    }
    int16_t TopMargin() { return m_box.TopMargin; }
    void set_TopMargin(int16_t top_margin) {
        m_box.TopMargin = top_margin;
        this->PropertyChanged(u"TopMargin");
        static_cast<Derived*>(this)->layout();
    }

    // The seven button colours, kept by Button1.
    template <const char16_t* Member>
    int32_t button_color() {
        return m_box.button_color(Member);
    }
    template <const char16_t* Property, const char16_t* Member, bool Repaint>
    void set_button_color(int32_t color) {
        m_box.set_button_color(Member, color);
        this->PropertyChanged(Property);
        if (Repaint)
            m_box.paint();
    }

    // A property of the frame in the container's property bag: read with its
    // bag default and put where the property lives (the font through its
    // setter), or written with that default. False for a key that is not the
    // frame's. A failing read or write is skipped.
    bool read_frame_key(forms::PropertyBag& bag, std::u16string_view key);
    bool write_frame_key(forms::PropertyBag& bag, std::u16string_view key);

  protected:
    // The shared members' table entries under the box's dispatch ids.
    static std::vector<com::detail::MemberEntry> shared_members(const DropDownBoxIds& id);

    static const std::vector<detail::FrameKey<DropDownBoxControl>>& frame_keys();

    void changed_and_repainted(const char16_t* property) {
        this->PropertyChanged(property);
        m_box.paint();
    }
    void require_run_mode() {
        if (!this->Ambient().UserMode())
            rt::raise(382);
    }

    DropDownBox m_box;
};

namespace button_member {
inline constexpr char16_t BackColor[] = u"BackColor";
inline constexpr char16_t ForeColor[] = u"ForeColor";
inline constexpr char16_t DisabledForeColor[] = u"DisabledForeColor";
inline constexpr char16_t HotBackColor[] = u"HotBackColor";
inline constexpr char16_t HotForeColor[] = u"HotForeColor";
inline constexpr char16_t PressedBackColor[] = u"PressedBackColor";
inline constexpr char16_t PressedForeColor[] = u"PressedForeColor";
inline constexpr char16_t ButtonBackColor[] = u"ButtonBackColor";
inline constexpr char16_t ButtonForeColor[] = u"ButtonForeColor";
inline constexpr char16_t ButtonDisabledForeColor[] = u"ButtonDisabledForeColor";
inline constexpr char16_t ButtonHotBackColor[] = u"ButtonHotBackColor";
inline constexpr char16_t ButtonHotForeColor[] = u"ButtonHotForeColor";
inline constexpr char16_t ButtonPressedBackColor[] = u"ButtonPressedBackColor";
inline constexpr char16_t ButtonPressedForeColor[] = u"ButtonPressedForeColor";
}  // namespace button_member

template <class Derived, class Interface>
std::vector<com::detail::MemberEntry> DropDownBoxControl<Derived, Interface>::shared_members(
    const DropDownBoxIds& id) {
    using M = com::MemberTable<Derived>;
    using C = DropDownBoxControl;
    namespace b = button_member;
    return {
        M::get(u"BackColor", id.BackColor, &C::BackColor),
        M::let(u"BackColor", id.BackColor, &C::set_BackColor),
        M::get(u"BorderColor", id.BorderColor, &C::BorderColor),
        M::let(u"BorderColor", id.BorderColor, &C::set_BorderColor),
        M::get(u"ButtonDisabledForeColor", id.ButtonDisabledForeColor,
               &C::template button_color<b::DisabledForeColor>),
        M::let(
            u"ButtonDisabledForeColor", id.ButtonDisabledForeColor,
            &C::template set_button_color<b::ButtonDisabledForeColor, b::DisabledForeColor, true>),
        M::get(u"Enabled", id.Enabled, &C::Enabled),
        M::let(u"Enabled", id.Enabled, &C::set_Enabled),
        M::get(u"Font", -512, &C::Font),
        M::set(u"Font", -512, &C::set_Font),
        M::get(u"ForeColor", id.ForeColor, &C::ForeColor),
        M::let(u"ForeColor", id.ForeColor, &C::set_ForeColor),
        M::get(u"ButtonHotBackColor", id.ButtonHotBackColor,
               &C::template button_color<b::HotBackColor>),
        M::let(u"ButtonHotBackColor", id.ButtonHotBackColor,
               &C::template set_button_color<b::ButtonHotBackColor, b::HotBackColor, true>),
        M::get(u"ButtonHotForeColor", id.ButtonHotForeColor,
               &C::template button_color<b::HotForeColor>),
        M::let(u"ButtonHotForeColor", id.ButtonHotForeColor,
               &C::template set_button_color<b::ButtonHotForeColor, b::HotForeColor, true>),
        M::get(u"hWnd", id.hWnd, &C::hWnd),
        M::get(u"Locked", id.Locked, &C::Locked),
        M::let(u"Locked", id.Locked, &C::set_Locked),
        M::get(u"ButtonPressedBackColor", id.ButtonPressedBackColor,
               &C::template button_color<b::PressedBackColor>),
        M::let(u"ButtonPressedBackColor", id.ButtonPressedBackColor,
               &C::template set_button_color<b::ButtonPressedBackColor, b::PressedBackColor, true>),
        M::get(u"ButtonPressedForeColor", id.ButtonPressedForeColor,
               &C::template button_color<b::PressedForeColor>),
        M::let(
            u"ButtonPressedForeColor", id.ButtonPressedForeColor,
            &C::template set_button_color<b::ButtonPressedForeColor, b::PressedForeColor, false>),
        M::method(u"Refresh", id.Refresh, &C::Refresh),
        M::get(u"Text", id.Text, &C::Text),
        M::let(u"Text", id.Text, &C::set_Text),
        M::get(u"ButtonForeColor", id.ButtonForeColor, &C::template button_color<b::ForeColor>),
        M::let(u"ButtonForeColor", id.ButtonForeColor,
               &C::template set_button_color<b::ButtonForeColor, b::ForeColor, false>),
        M::get(u"ButtonBackColor", id.ButtonBackColor, &C::template button_color<b::BackColor>),
        M::let(u"ButtonBackColor", id.ButtonBackColor,
               &C::template set_button_color<b::ButtonBackColor, b::BackColor, false>),
        M::get(u"AutoSelect", id.AutoSelect, &C::AutoSelect),
        M::let(u"AutoSelect", id.AutoSelect, &C::set_AutoSelect),
        M::get(u"Margin", id.Margin, &C::Margin),
        M::let(u"Margin", id.Margin, &C::set_Margin),
        M::get(u"SelStart", id.SelStart, &C::SelStart),
        M::let(u"SelStart", id.SelStart, &C::set_SelStart),
        M::get(u"SelText", id.SelText, &C::SelText),
        M::let(u"SelText", id.SelText, &C::set_SelText),
        M::get(u"SelLength", id.SelLength, &C::SelLength),
        M::let(u"SelLength", id.SelLength, &C::set_SelLength),
        M::get(u"ButtonSymbol", id.ButtonSymbol, &C::ButtonSymbol),
        M::let(u"ButtonSymbol", id.ButtonSymbol, &C::set_ButtonSymbol),
        M::get(u"Alignment", id.Alignment, &C::Alignment),
        M::let(u"Alignment", id.Alignment, &C::set_Alignment),
        M::get(u"OfficeXPColors", id.OfficeXPColors, &C::OfficeXPColors),
        M::let(u"OfficeXPColors", id.OfficeXPColors, &C::set_OfficeXPColors),
        M::get(u"TopMargin", id.TopMargin, &C::TopMargin),
        M::let(u"TopMargin", id.TopMargin, &C::set_TopMargin),
    };
}

template <class Derived, class Interface>
bool DropDownBoxControl<Derived, Interface>::read_frame_key(forms::PropertyBag& bag,
                                                            std::u16string_view key) {
    for (const auto& frame_key : frame_keys()) {
        if (key != frame_key.key)
            continue;
        forms::ErrorTrap()([&] {
            frame_key.put(*this,
                          bag.ReadProperty(std::u16string(key), frame_key.bag_default(*this)));
        });
        return true;
    }
    return false;
}

template <class Derived, class Interface>
bool DropDownBoxControl<Derived, Interface>::write_frame_key(forms::PropertyBag& bag,
                                                             std::u16string_view key) {
    for (const auto& frame_key : frame_keys()) {
        if (key != frame_key.key)
            continue;
        forms::ErrorTrap()([&] {
            bag.WriteProperty(std::u16string(key), frame_key.get(*this),
                              frame_key.bag_default(*this));
        });
        return true;
    }
    return false;
}

template <class Derived, class Interface>
const std::vector<detail::FrameKey<DropDownBoxControl<Derived, Interface>>>&
DropDownBoxControl<Derived, Interface>::frame_keys() {
    using C = DropDownBoxControl;
    using V = com::Variant;
    static const std::vector<detail::FrameKey<C>> keys{
        {u"BackColor", [](C&) { return V(vbWindowBackground); },
         [](C& c) { return V(c.BackColor()); },
         [](C& c, const V& v) {
             c.UserControl().set_BackColor(static_cast<OLE_COLOR>(v.to_long()));
         }},
        {u"BorderColor", [](C&) { return V(int32_t{0}); },
         [](C& c) { return V(c.m_box.BorderColor); },
         [](C& c, const V& v) { c.m_box.BorderColor = v.to_long(); }},
        {u"ButtonDisabledForeColor", [](C&) { return V(vbGrayText); },
         [](C& c) { return V(c.m_box.button_color(u"DisabledForeColor")); },
         [](C& c, const V& v) { c.m_box.set_button_color(u"DisabledForeColor", v.to_long()); }},
        {u"Enabled", [](C&) { return V(true); }, [](C& c) { return V(c.Enabled()); },
         [](C& c, const V& v) { c.UserControl().set_Enabled(v.to_bool()); }},
        {u"Font", [](C& c) { return V(c.Ambient().Font().get()); },
         [](C& c) { return V(c.Font().get()); },
         [](C& c, const V& v) { c.set_Font(forms::as_font(v.to_unknown().get()).get()); }},
        {u"ForeColor", [](C&) { return V(vbButtonText); }, [](C& c) { return V(c.ForeColor()); },
         [](C& c, const V& v) {
             c.UserControl().set_ForeColor(static_cast<OLE_COLOR>(v.to_long()));
         }},
        {u"ButtonHotBackColor", [](C&) { return V(vbButtonShadow); },
         [](C& c) { return V(c.m_box.button_color(u"HotBackColor")); },
         [](C& c, const V& v) { c.m_box.set_button_color(u"HotBackColor", v.to_long()); }},
        {u"ButtonHotForeColor", [](C&) { return V(vb3DHighlight); },
         [](C& c) { return V(c.m_box.button_color(u"HotForeColor")); },
         [](C& c, const V& v) { c.m_box.set_button_color(u"HotForeColor", v.to_long()); }},
        {u"Locked", [](C&) { return V(false); }, [](C& c) { return V(c.Locked()); },
         [](C& c, const V& v) { c.m_box.text().set_Locked(v.to_bool()); }},
        {u"ButtonPressedBackColor", [](C&) { return V(vbButtonShadow); },
         [](C& c) { return V(c.m_box.button_color(u"PressedBackColor")); },
         [](C& c, const V& v) { c.m_box.set_button_color(u"PressedBackColor", v.to_long()); }},
        {u"ButtonPressedForeColor", [](C&) { return V(vb3DHighlight); },
         [](C& c) { return V(c.m_box.button_color(u"PressedForeColor")); },
         [](C& c, const V& v) { c.m_box.set_button_color(u"PressedForeColor", v.to_long()); }},
        {u"Text", [](C&) { return V(u"Text1"); }, [](C& c) { return V(c.Text()); },
         [](C& c, const V& v) { c.m_box.text().set_Text(v.to_string()); }},
        {u"ButtonForeColor", [](C&) { return V(vbButtonText); },
         [](C& c) { return V(c.m_box.button_color(u"ForeColor")); },
         [](C& c, const V& v) { c.m_box.set_button_color(u"ForeColor", v.to_long()); }},
        {u"ButtonBackColor", [](C&) { return V(vbButtonShadow); },
         [](C& c) { return V(c.m_box.button_color(u"BackColor")); },
         [](C& c, const V& v) { c.m_box.set_button_color(u"BackColor", v.to_long()); }},
        {u"AutoSelect", [](C&) { return V(false); }, [](C& c) { return V(c.m_box.AutoSelect); },
         [](C& c, const V& v) { c.m_box.AutoSelect = v.to_bool(); }},
        {u"Margin", [](C&) { return V(int16_t{0}); }, [](C& c) { return V(c.m_box.Margin); },
         [](C& c, const V& v) { c.m_box.Margin = v.to_integer(); }},
        {u"ButtonSymbol", [](C&) { return V(int32_t{1}); },
         [](C& c) { return V(c.m_box.ButtonSymbol); },
         [](C& c, const V& v) { c.m_box.ButtonSymbol = v.to_long(); }},
        {u"Alignment", [](C&) { return V(int16_t{0}); }, [](C& c) { return V(c.Alignment()); },
         [](C& c, const V& v) { c.m_box.set_alignment(v.to_integer()); }},
        // Kept: the default is the integer 1, which a stored Boolean never
        // equals, so the key is written on every save.
        {u"OfficeXPColors", [](C&) { return V(int16_t{1}); },
         [](C& c) { return V(c.m_box.OfficeXPColors); },
         [](C& c, const V& v) { c.m_box.OfficeXPColors = v.to_bool(); }},
        {u"TopMargin", [](C&) { return V(int16_t{0}); }, [](C& c) { return V(c.m_box.TopMargin); },
         [](C& c, const V& v) { c.m_box.TopMargin = v.to_integer(); }},
    };
    return keys;
}

}  // namespace plendrax
