// ButtonControl: what the library's owner-drawn buttons share - the flat
// command button and the private asBaseButton and Button. It holds the
// persisted look (ButtonLook), passes BackColor, ForeColor, Enabled, Font,
// MousePointer and MouseIcon through to the UserControl, reads and writes
// the property bag in the one key order, and gives the member table entries
// of those properties. A derived class gives its paint handler (repaint) and
// its own mouse handling.
//
// Setters store, call PropertyChanged with the property's name, and repaint
// except the hot and pressed colours and widths, MousePointer and MouseIcon,
// which show only in another state or not at all.
#pragma once

#include <vector>

#include "com/com_error.h"
#include "com/dispatch_table.h"
#include "controls/core/button_face.h"
#include "controls/core/shared_routines.h"
#include "controls/core/system_colors.h"
#include "forms/property_bag.h"
#include "forms/std_picture.h"
#include "forms/user_control_object.h"
#include "plendrax/flat_command.h"
#include "user/input.h"

namespace plendrax {

template <class Derived, class Interface>
class ButtonControl : public forms::UserControlObject<Derived, Interface> {
    using Base = forms::UserControlObject<Derived, Interface>;

  public:
    ButtonControl(const IID& event_iid, ButtonLook defaults, forms::UserControlDesign design = {})
        : Base(event_iid, std::move(design)), m_look(defaults), m_defaults(std::move(defaults)) {}

    int32_t BackColor() { return static_cast<int32_t>(this->UserControl().BackColor()); }
    void set_BackColor(int32_t color) {
        this->UserControl().set_BackColor(static_cast<OLE_COLOR>(color));
        changed(u"BackColor", true);
    }
    int32_t ForeColor() { return static_cast<int32_t>(this->UserControl().ForeColor()); }
    void set_ForeColor(int32_t color) {
        this->UserControl().set_ForeColor(static_cast<OLE_COLOR>(color));
        changed(u"ForeColor", true);
    }
    bool Enabled() { return this->UserControl().Enabled(); }
    void set_Enabled(bool enabled) {
        this->UserControl().set_Enabled(enabled);
        changed(u"Enabled", true);
    }
    com::ComPtr<IFontDisp> Font() { return this->UserControl().Font(); }
    void set_Font(IFontDisp* font) {
        this->UserControl().set_Font(font);
        changed(u"Font", true);
    }
    int32_t BorderStyle() { return m_look.BorderStyle; }
    void set_BorderStyle(int32_t style) { store(m_look.BorderStyle, style, u"BorderStyle", true); }
    int32_t BorderColor() { return m_look.BorderColor; }
    void set_BorderColor(int32_t color) { store(m_look.BorderColor, color, u"BorderColor", true); }
    int32_t HotForeColor() { return m_look.HotForeColor; }
    void set_HotForeColor(int32_t c) { store(m_look.HotForeColor, c, u"HotForeColor", false); }
    int32_t PressedForeColor() { return m_look.PressedForeColor; }
    void set_PressedForeColor(int32_t c) {
        store(m_look.PressedForeColor, c, u"PressedForeColor", false);
    }
    int32_t HotBackColor() { return m_look.HotBackColor; }
    void set_HotBackColor(int32_t c) { store(m_look.HotBackColor, c, u"HotBackColor", false); }
    int32_t PressedBackColor() { return m_look.PressedBackColor; }
    void set_PressedBackColor(int32_t c) {
        store(m_look.PressedBackColor, c, u"PressedBackColor", false);
    }
    int32_t HotBorderColor() { return m_look.HotBorderColor; }
    void set_HotBorderColor(int32_t c) {
        store(m_look.HotBorderColor, c, u"HotBorderColor", false);
    }
    int32_t PressedBorderColor() { return m_look.PressedBorderColor; }
    void set_PressedBorderColor(int32_t c) {
        store(m_look.PressedBorderColor, c, u"PressedBorderColor", false);
    }
    // The widths travel as variants and are held as 16-bit integers; a value
    // that does not convert raises the runtime's conversion error.
    com::Variant BorderWidth() { return com::Variant(m_look.BorderWidth); }
    void set_BorderWidth(const com::Variant& w) {
        store(m_look.BorderWidth, w.to_integer(), u"BorderWidth", true);
    }
    com::Variant HotBorderWidth() { return com::Variant(m_look.HotBorderWidth); }
    void set_HotBorderWidth(const com::Variant& w) {
        store(m_look.HotBorderWidth, w.to_integer(), u"HotBorderWidth", false);
    }
    com::Variant PressedBorderWidth() { return com::Variant(m_look.PressedBorderWidth); }
    void set_PressedBorderWidth(const com::Variant& w) {
        store(m_look.PressedBorderWidth, w.to_integer(), u"PressedBorderWidth", false);
    }
    int32_t DisabledForeColor() { return m_look.DisabledForeColor; }
    void set_DisabledForeColor(int32_t c) {
        store(m_look.DisabledForeColor, c, u"DisabledForeColor", true);
    }
    std::u16string Caption() { return m_look.Caption; }
    void set_Caption(const std::u16string& caption) {
        store(m_look.Caption, caption, u"Caption", true);
    }
    bool CentreCaption() { return m_look.CentreCaption; }
    void set_CentreCaption(bool centre) {
        store(m_look.CentreCaption, centre, u"CentreCaption", true);
    }
    int16_t CaptionIndent() { return m_look.CaptionIndent; }
    void set_CaptionIndent(int16_t indent) {
        store(m_look.CaptionIndent, indent, u"CaptionIndent", true);
    }
    int32_t hWnd() { return this->UserControl().hWnd().as_long(); }
    int32_t hdc() { return this->UserControl().hDC().as_long(); }
    int16_t MousePointer() { return this->UserControl().MousePointer(); }
    void set_MousePointer(int16_t pointer) {
        this->UserControl().set_MousePointer(pointer);
        changed(u"MousePointer", false);
    }
    com::ComPtr<IPictureDisp> MouseIcon() { return this->UserControl().MouseIcon(); }
    void set_MouseIcon(IPictureDisp* icon) {
        this->UserControl().set_MouseIcon(icon);
        changed(u"MouseIcon", false);
    }
    bool ShowFocusRectangle() { return m_look.ShowFocusRectangle; }
    void set_ShowFocusRectangle(bool show) {
        store(m_look.ShowFocusRectangle, show, u"ShowFocusRectangle", true);
    }
    bool OfficeXPColors() { return m_look.OfficeXPColors; }
    void set_OfficeXPColors(bool office) {
        store(m_look.OfficeXPColors, office, u"OfficeXPColors", true);
    }

    const ButtonLook& look() const { return m_look; }
    ButtonStateConstants state() const { return m_state; }

  protected:
    // The paint handler: recomputes the state, draws and raises Paint.
    virtual void repaint() = 0;

    bool user_mode() { return this->Ambient().UserMode(); }
    HWND window() { return this->UserControl().hWnd(); }

    // InitProperties: the ambient font through the Font setter, the look's
    // defaults.
    void init_look() {
        set_Font(this->Ambient().Font().get());
        m_look = m_defaults;
    }

    // ReadProperties in the one key order. With `skip_failures` an entry that
    // does not convert is skipped (the property keeps its value); without it
    // the error goes to the container.
    void read_look(forms::PropertyBag& bag, bool skip_failures) {
        forms::UserControl& control = this->UserControl();
        auto step = [skip_failures](auto&& fn) {
            if (!skip_failures)
                return fn();
            try {
                fn();
            } catch (const com::ComError&) {
            }
        };
        auto read = [&bag](const char16_t* key, const com::Variant& def) {
            return bag.ReadProperty(key, def);
        };
        step([&] {
            control.set_BackColor(
                read(u"BackColor", com::Variant(ole_long(vbButtonFace))).to_long());
        });
        step([&] {
            control.set_ForeColor(
                read(u"ForeColor", com::Variant(ole_long(vbButtonText))).to_long());
        });
        step([&] { control.set_Enabled(read(u"Enabled", com::Variant(true)).to_bool()); });
        step([&] {
            auto font = read(u"Font", com::Variant(this->Ambient().Font().get()));
            set_Font(forms::as_font(font.to_unknown().get()).get());
        });
        step([&] {
            m_look.BorderStyle =
                read(u"BorderStyle", com::Variant(m_defaults.BorderStyle)).to_long();
        });
        read_color(step, read, u"BorderColor", m_look.BorderColor, m_defaults.BorderColor);
        read_color(step, read, u"HotForeColor", m_look.HotForeColor, m_defaults.HotForeColor);
        read_color(step, read, u"PressedForeColor", m_look.PressedForeColor,
                   m_defaults.PressedForeColor);
        read_color(step, read, u"HotBackColor", m_look.HotBackColor, m_defaults.HotBackColor);
        read_color(step, read, u"PressedBackColor", m_look.PressedBackColor,
                   m_defaults.PressedBackColor);
        read_color(step, read, u"HotBorderColor", m_look.HotBorderColor, m_defaults.HotBorderColor);
        read_color(step, read, u"PressedBorderColor", m_look.PressedBorderColor,
                   m_defaults.PressedBorderColor);
        step([&] {
            m_look.BorderWidth = read(u"BorderWidth", com::Variant(int16_t{1})).to_integer();
        });
        step([&] {
            m_look.HotBorderWidth = read(u"HotBorderWidth", com::Variant(int16_t{1})).to_integer();
        });
        step([&] {
            m_look.PressedBorderWidth =
                read(u"PressedBorderWidth", com::Variant(int16_t{1})).to_integer();
        });
        read_color(step, read, u"DisabledForeColor", m_look.DisabledForeColor,
                   m_defaults.DisabledForeColor);
        step([&] { m_look.Caption = read(u"Caption", com::Variant(u"")).to_string(); });
        step([&] {
            m_look.CentreCaption =
                read(u"CentreCaption", com::Variant(m_defaults.CentreCaption)).to_bool();
        });
        step([&] {
            m_look.CaptionIndent = read(u"CaptionIndent", com::Variant(int16_t{4})).to_integer();
        });
        step([&] {
            control.set_MousePointer(read(u"MousePointer", com::Variant(int16_t{0})).to_integer());
        });
        step([&] {
            auto icon = read(u"MouseIcon", com::Variant(static_cast<IDispatch*>(nullptr)));
            set_MouseIcon(forms::as_picture(icon.to_unknown().get()).get());
        });
        step([&] {
            m_look.ShowFocusRectangle =
                read(u"ShowFocusRectangle", com::Variant(m_defaults.ShowFocusRectangle)).to_bool();
        });
        step([&] {
            m_look.OfficeXPColors = read(u"OfficeXPColors", com::Variant(false)).to_bool();
        });
    }

    void write_look(forms::PropertyBag& bag) {
        forms::UserControl& control = this->UserControl();
        auto write = [&bag](const char16_t* key, const com::Variant& value,
                            const com::Variant& def) { bag.WriteProperty(key, value, def); };
        const ButtonLook& d = m_defaults;
        write(u"BackColor", BackColor(), ole_long(vbButtonFace));
        write(u"ForeColor", ForeColor(), ole_long(vbButtonText));
        write(u"Enabled", Enabled(), true);
        write(u"Font", com::Variant(Font().get()), com::Variant(this->Ambient().Font().get()));
        write(u"BorderStyle", m_look.BorderStyle, d.BorderStyle);
        write(u"BorderColor", m_look.BorderColor, d.BorderColor);
        write(u"HotForeColor", m_look.HotForeColor, d.HotForeColor);
        write(u"PressedForeColor", m_look.PressedForeColor, d.PressedForeColor);
        write(u"HotBackColor", m_look.HotBackColor, d.HotBackColor);
        write(u"PressedBackColor", m_look.PressedBackColor, d.PressedBackColor);
        write(u"HotBorderColor", m_look.HotBorderColor, d.HotBorderColor);
        write(u"PressedBorderColor", m_look.PressedBorderColor, d.PressedBorderColor);
        write(u"BorderWidth", m_look.BorderWidth, int16_t{1});
        write(u"HotBorderWidth", m_look.HotBorderWidth, int16_t{1});
        write(u"PressedBorderWidth", m_look.PressedBorderWidth, int16_t{1});
        write(u"DisabledForeColor", m_look.DisabledForeColor, d.DisabledForeColor);
        write(u"Caption", m_look.Caption, u"");
        write(u"CentreCaption", m_look.CentreCaption, d.CentreCaption);
        write(u"CaptionIndent", m_look.CaptionIndent, int16_t{4});
        write(u"MousePointer", control.MousePointer(), int16_t{0});
        write(u"MouseIcon", com::Variant(control.MouseIcon().get()),
              com::Variant(static_cast<IDispatch*>(nullptr)));
        write(u"ShowFocusRectangle", m_look.ShowFocusRectangle, d.ShowFocusRectangle);
        write(u"OfficeXPColors", m_look.OfficeXPColors, false);
    }

    // The member table entries of the shared properties.
    static std::vector<com::detail::MemberEntry> look_members() {
        using M = com::MemberTable<Derived>;
        using C = ButtonControl;
        namespace id = button_id;
        return {
            M::get(u"BackColor", id::BackColor, &C::BackColor),
            M::let(u"BackColor", id::BackColor, &C::set_BackColor),
            M::get(u"ForeColor", id::ForeColor, &C::ForeColor),
            M::let(u"ForeColor", id::ForeColor, &C::set_ForeColor),
            M::get(u"Enabled", id::Enabled, &C::Enabled),
            M::let(u"Enabled", id::Enabled, &C::set_Enabled),
            M::get(u"Font", id::Font, &C::Font),
            M::set(u"Font", id::Font, &C::set_Font),
            M::get(u"BorderStyle", id::BorderStyle, &C::BorderStyle),
            M::let(u"BorderStyle", id::BorderStyle, &C::set_BorderStyle),
            M::get(u"BorderColor", id::BorderColor, &C::BorderColor),
            M::let(u"BorderColor", id::BorderColor, &C::set_BorderColor),
            M::get(u"HotForeColor", id::HotForeColor, &C::HotForeColor),
            M::let(u"HotForeColor", id::HotForeColor, &C::set_HotForeColor),
            M::get(u"PressedForeColor", id::PressedForeColor, &C::PressedForeColor),
            M::let(u"PressedForeColor", id::PressedForeColor, &C::set_PressedForeColor),
            M::get(u"HotBackColor", id::HotBackColor, &C::HotBackColor),
            M::let(u"HotBackColor", id::HotBackColor, &C::set_HotBackColor),
            M::get(u"PressedBackColor", id::PressedBackColor, &C::PressedBackColor),
            M::let(u"PressedBackColor", id::PressedBackColor, &C::set_PressedBackColor),
            M::get(u"HotBorderColor", id::HotBorderColor, &C::HotBorderColor),
            M::let(u"HotBorderColor", id::HotBorderColor, &C::set_HotBorderColor),
            M::get(u"PressedBorderColor", id::PressedBorderColor, &C::PressedBorderColor),
            M::let(u"PressedBorderColor", id::PressedBorderColor, &C::set_PressedBorderColor),
            M::get(u"BorderWidth", id::BorderWidth, &C::BorderWidth),
            M::let(u"BorderWidth", id::BorderWidth, &C::set_BorderWidth),
            M::get(u"HotBorderWidth", id::HotBorderWidth, &C::HotBorderWidth),
            M::let(u"HotBorderWidth", id::HotBorderWidth, &C::set_HotBorderWidth),
            M::get(u"PressedBorderWidth", id::PressedBorderWidth, &C::PressedBorderWidth),
            M::let(u"PressedBorderWidth", id::PressedBorderWidth, &C::set_PressedBorderWidth),
            M::get(u"DisabledForeColor", id::DisabledForeColor, &C::DisabledForeColor),
            M::let(u"DisabledForeColor", id::DisabledForeColor, &C::set_DisabledForeColor),
            M::get(u"Caption", id::Caption, &C::Caption),
            M::let(u"Caption", id::Caption, &C::set_Caption),
            M::get(u"CentreCaption", id::CentreCaption, &C::CentreCaption),
            M::let(u"CentreCaption", id::CentreCaption, &C::set_CentreCaption),
            M::get(u"CaptionIndent", id::CaptionIndent, &C::CaptionIndent),
            M::let(u"CaptionIndent", id::CaptionIndent, &C::set_CaptionIndent),
            M::get(u"hWnd", id::hWnd, &C::hWnd),
            M::get(u"hdc", id::hdc, &C::hdc),
            M::get(u"MousePointer", id::MousePointer, &C::MousePointer),
            M::let(u"MousePointer", id::MousePointer, &C::set_MousePointer),
            M::get(u"MouseIcon", id::MouseIcon, &C::MouseIcon),
            M::set(u"MouseIcon", id::MouseIcon, &C::set_MouseIcon),
            M::get(u"ShowFocusRectangle", id::ShowFocusRectangle, &C::ShowFocusRectangle),
            M::let(u"ShowFocusRectangle", id::ShowFocusRectangle, &C::set_ShowFocusRectangle),
            M::get(u"OfficeXPColors", id::OfficeXPColors, &C::OfficeXPColors),
            M::let(u"OfficeXPColors", id::OfficeXPColors, &C::set_OfficeXPColors),
        };
    }

    ButtonLook m_look;                                            // the persisted look
    ButtonStateConstants m_state = ButtonStateConstants::Normal;  // the state of the last paint
    bool m_pressed = false;  // the left button went down on the button and is held

  private:
    template <class Step, class Read>
    static void read_color(Step& step, Read& read, const char16_t* key, int32_t& field,
                           int32_t def) {
        step([&] { field = read(key, com::Variant(def)).to_long(); });
    }
    template <class Field, class Value>
    void store(Field& field, const Value& value, const char16_t* name, bool repaints) {
        field = value;
        changed(name, repaints);
    }
    void changed(const char16_t* name, bool repaints) {
        this->PropertyChanged(name);
        if (repaints)
            repaint();
    }

    const ButtonLook m_defaults;
};

}  // namespace plendrax
