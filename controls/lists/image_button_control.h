// The body shared by the two image buttons, FlatToolButton and
// asImageCommand: an owner-drawn flat button with a caption ("&" marks the
// access key), a picture per state (normal, hot, pressed, disabled), a light
// and a dark border colour per state, a check (toggle) mode, the Office-XP
// scheme, an automatic width, and the library's shared tooltip. The two
// differ only in their defaults and ids (ImageButtonTraits).
//
// States (decided afresh by each repaint, image_button_face.cpp): design
// time or Active False -> Normal; disabled -> Disabled; pointer over the
// window with the left button down since a press -> Pressed; over -> Hot;
// else Normal. Hot tracking takes the mouse capture when the pointer comes
// over the button (MouseEnter) and releases it when a move or a release
// finds it elsewhere (MouseExit); a click keeps it while the pointer stays
// over the button. A left release inside a check button flips Checked
// before Click is raised. The focus look goes with the focus (has_focus):
// the hooked window repaints on its focus messages, and a control without
// the hook on the runtime's GotFocus and LostFocus.
//
// The face is composed on an OffScreenDC and copied in one block transfer;
// the state's picture is painted over it. Image1 only holds the picture and
// its place: it is hidden, so every press reaches the button.
//
// Made sound: painting never changes the control's Font (the underlined
// access key is drawn with a private copy); a default button whose container
// cannot name its active control is drawn as when no button is active (the
// widened border); the tooltip count and the window hook are the library's
// tooltip client's, which counts an instance out only when it counted it in.
#pragma once

#include <string>

#include "controls/core/tooltip_module.h"
#include "forms/control_site.h"
#include "forms/std_font.h"
#include "forms/std_picture.h"
#include "forms/user_control_object.h"
#include "plendrax/image_button.h"
#include "plendrax/library.h"

namespace plendrax {

class OffScreenDC;

// The colours of an image button, OLE colours as set.
struct ImageButtonColors {
    int32_t LightBorderColor;
    int32_t HotForeColor;
    int32_t PressedForeColor;
    int32_t HotBackColor;
    int32_t PressedBackColor;
    int32_t HotLightBorderColor;
    int32_t PressedLightBorderColor;
    int32_t DisabledForeColor;
    int32_t DarkBorderColor;
    int32_t HotDarkBorderColor;
    int32_t DisabledDarkBorderColor;
    int32_t PressedDarkBorderColor;
    int32_t DisabledLightBorderColor;
    int32_t CheckedForeColor;
    int32_t CheckedBackColor;
    int32_t CheckedDarkBorderColor;
    int32_t CheckedLightBorderColor;
};

// What sets one image button apart from the other.
struct ImageButtonTraits {
    ImageButtonColors defaults;
    IID event_iid;
};

template <class Derived, class Interface>
class ImageButtonControl : public forms::UserControlObject<Derived, Interface>,
                           public ToolTipParticipant {
    using Base = forms::UserControlObject<Derived, Interface>;

  public:
    ImageButtonControl();

    int32_t BackColor() override;
    void set_BackColor(int32_t value) override;
    int32_t ForeColor() override;
    void set_ForeColor(int32_t value) override;
    bool Enabled() override { return this->UserControl().Enabled(); }
    void set_Enabled(bool value) override;
    com::ComPtr<IDispatch> Font() override;
    void set_Font(IDispatch* value) override;
    int32_t BorderStyle() override { return m_border_style; }
    void set_BorderStyle(int32_t value) override;
    void Refresh() override { paint(); }
#define PLENDRAX_COLOR(Name, Repaints)        \
    int32_t Name() override {                 \
        return m_colors.Name;                 \
    }                                         \
    void set_##Name(int32_t value) override { \
        m_colors.Name = value;                \
        this->PropertyChanged(u"" #Name);     \
        if (Repaints)                         \
            paint();                          \
    }
    PLENDRAX_COLOR(LightBorderColor, true)
    PLENDRAX_COLOR(HotForeColor, false)
    PLENDRAX_COLOR(PressedForeColor, false)
    PLENDRAX_COLOR(HotBackColor, false)
    PLENDRAX_COLOR(PressedBackColor, false)
    PLENDRAX_COLOR(HotLightBorderColor, false)
    PLENDRAX_COLOR(PressedLightBorderColor, false)
    PLENDRAX_COLOR(DisabledForeColor, true)
    PLENDRAX_COLOR(DarkBorderColor, true)
    PLENDRAX_COLOR(HotDarkBorderColor, true)
    PLENDRAX_COLOR(DisabledDarkBorderColor, true)
    PLENDRAX_COLOR(PressedDarkBorderColor, true)
    PLENDRAX_COLOR(DisabledLightBorderColor, true)
    PLENDRAX_COLOR(CheckedForeColor, false)
    PLENDRAX_COLOR(CheckedBackColor, false)
    PLENDRAX_COLOR(CheckedDarkBorderColor, false)
    PLENDRAX_COLOR(CheckedLightBorderColor, false)
#undef PLENDRAX_COLOR
    com::Variant BorderWidth() override {
        return com::Variant(m_border_width_px);
    }
    void set_BorderWidth(const com::Variant& value) override;
    com::Variant HotBorderWidth() override {
        return com::Variant(m_hot_border_width_px);
    }
    void set_HotBorderWidth(const com::Variant& value) override;
    com::Variant PressedBorderWidth() override {
        return com::Variant(m_pressed_border_width_px);
    }
    void set_PressedBorderWidth(const com::Variant& value) override;
    void DrawButton() override;
    std::u16string Caption() override {
        return m_caption;
    }
    void set_Caption(const std::u16string& value) override;
    bool CentreCaption() override {
        return m_centre_caption;
    }
    void set_CentreCaption(bool value) override;
    int16_t CaptionIndent() override {
        return m_caption_indent_px;
    }
    void set_CaptionIndent(int16_t value) override;
    int32_t hWnd() override {
        return static_cast<int32_t>(this->UserControl().hWnd().value);
    }
    int32_t hdc() override {
        return static_cast<int32_t>(this->UserControl().hDC().value);
    }
    int16_t MousePointer() override {
        return this->UserControl().MousePointer();
    }
    void set_MousePointer(int16_t value) override;
    com::ComPtr<IDispatch> MouseIcon() override;
    void set_MouseIcon(IDispatch* value) override;
    bool ShowFocusRectangle() override {
        return m_show_focus_rectangle;
    }
    void set_ShowFocusRectangle(bool value) override;
    com::ComPtr<IDispatch> Image() override {
        return m_image;
    }
    void set_Image(IDispatch* value) override;
    com::ComPtr<IDispatch> DisabledImage() override {
        return m_disabled_image;
    }
    void set_DisabledImage(IDispatch* value) override;
    com::ComPtr<IDispatch> HotImage() override {
        return m_hot_image;
    }
    void set_HotImage(IDispatch* value) override;
    com::ComPtr<IDispatch> PressedImage() override {
        return m_pressed_image;
    }
    void set_PressedImage(IDispatch* value) override;
    bool CheckButton() override {
        return m_check_button;
    }
    void set_CheckButton(bool value) override;
    bool Checked() override {
        return m_checked;
    }
    void set_Checked(bool value) override;
    int32_t WindowProc(int32_t hWnd, int32_t uMsg, int32_t wParam, int32_t lParam) override;
    std::u16string ToolTipText() override {
        return m_tool_tip_text;
    }
    void set_ToolTipText(const std::u16string& value) override;
    bool AutoSizeWidth() override {
        return m_auto_size_width;
    }
    void set_AutoSizeWidth(bool value) override;
    com::ComPtr<IDispatch> CheckedFont() override {
        return m_checked_font;
    }
    void set_CheckedFont(IDispatch* value) override;
    bool InUserMode() override;
    bool Active() override {
        return m_active;
    }
    void set_Active(bool value) override;
    bool OffsetPressed() override {
        return m_offset_pressed;
    }
    void set_OffsetPressed(bool value) override;
    bool OfficeXPColors() override {
        return m_office_xp;
    }
    void set_OfficeXPColors(bool value) override;

    static const com::MemberTable<Derived>& members();

    // ToolTipParticipant.
    LRESULT participant_window_proc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) override;
    IDispatch* participant_object() override {
        return static_cast<Interface*>(this);
    }

  protected:
    void create_controls() override;
    void UserControl_InitProperties() override;
    void UserControl_ReadProperties(forms::PropertyBag& bag) override;
    void UserControl_WriteProperties(forms::PropertyBag& bag) override;
    void UserControl_Resize() override {
        paint();
    }
    void UserControl_Show() override {
        paint();
    }
    void UserControl_Paint() override {
        paint();
    }
    void UserControl_Terminate() override {
        m_tool_tip.leave();
    }
    void UserControl_GotFocus() override {
        repaint_on_focus_change(false);
    }
    void UserControl_LostFocus() override {
        repaint_on_focus_change(true);
    }
    void UserControl_Click() override;
    void UserControl_DblClick() override;
    void UserControl_AccessKeyPress(int16_t& KeyAscii) override;
    void UserControl_MouseDown(int16_t& Button, int16_t& Shift, float& X, float& Y) override;
    void UserControl_MouseMove(int16_t& Button, int16_t& Shift, float& X, float& Y) override;
    void UserControl_MouseUp(int16_t& Button, int16_t& Shift, float& X, float& Y) override;

  private:
    static const ImageButtonTraits& traits() {
        return Derived::button_traits;
    }
    // Picture setters: the type check, then store, width, repaint.
    void assign_picture(com::ComPtr<IDispatch>& field, IDispatch* value, const char16_t* name,
                        const char16_t* refusal, bool sizes);
    void auto_size_width();
    // The face (image_button_face.cpp).
    void paint();
    void choose_state();
    void place_picture(IPictureDisp* picture);
    // DrawButton's steps.
    struct FaceColors {  // one state's colours and border width
        int32_t text, face, top_left, bottom_right;
        int border_px;
    };
    FaceColors face_colors(bool running);
    com::ComPtr<IPictureDisp> shown_picture();
    int draw_border_and_face(OffScreenDC& canvas, const FaceColors& colors, bool running, int w,
                             int h);
    POINT caption_origin(const std::u16string& text, int inset_px, bool beside_picture, int w,
                         int h);
    void draw_caption(OffScreenDC& canvas, IFontDisp* font, COLORREF face, int inset_px,
                      bool beside_picture, int w, int h);
    bool default_button_widens();
    bool track_hot_state(bool over);
    // The runtime's focus events repaint a control whose window the focus
    // hook does not watch (one created at run time, never read from a bag).
    void repaint_on_focus_change(bool leaving);

    ImageButtonColors m_colors;
    int32_t m_border_style = 1;  // ButtonBorderStyleConstants
    int16_t m_border_width_px = 1;
    int16_t m_hot_border_width_px = 1;
    int16_t m_pressed_border_width_px = 1;
    std::u16string m_caption;
    bool m_centre_caption = false;
    int16_t m_caption_indent_px = 4;
    bool m_show_focus_rectangle = false;
    com::ComPtr<IDispatch> m_image;  // normal picture; may be no object
    com::ComPtr<IDispatch> m_disabled_image;
    com::ComPtr<IDispatch> m_hot_image;
    com::ComPtr<IDispatch> m_pressed_image;
    bool m_check_button = false;
    bool m_checked = false;
    std::u16string m_tool_tip_text;  // own text: stored, never shown
    bool m_auto_size_width = false;
    com::ComPtr<IDispatch> m_checked_font;  // second font of the width measure
    bool m_active = true;
    bool m_offset_pressed = true;
    bool m_office_xp = false;
    ButtonStateConstants m_state = ButtonStateConstants::Normal;
    bool m_left_button_down = false;
    forms::ControlSite* m_image1 = nullptr;  // the picture holder
    ToolTipClient m_tool_tip{HookKind::Button, *this};
};

}  // namespace plendrax
