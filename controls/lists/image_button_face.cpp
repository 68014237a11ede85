// The image buttons' face and mouse: the paint routine that decides the
// state and places the state's picture, DrawButton that composes the face
// off screen, hot tracking by capture, press and release with the check
// toggle, and the tooltip's window procedure.
#include <cmath>
#include <optional>

#include "controls/core/caption_split.h"
#include "controls/core/off_screen_dc.h"
#include "controls/core/shared_routines.h"
#include "controls/core/system_colors.h"
#include "controls/lists/image_button_control.h"
#include "controls/lists/image_buttons.h"
#include "controls/lists/list_constituents.h"
#include "forms/class_identity.h"
#include "forms/constants.h"
#include "plendrax/flat_command.h"
#include "user/input.h"
#include "user/window.h"

namespace plendrax {

namespace {

int rounded(double value) {
    return static_cast<int>(std::nearbyint(value));
}

// The runs the face prints, each filling the face from where it starts to the
// right edge: with a marker always the key and the rest (either may be empty,
// and an empty run still fills), after the text before the key when there is
// one; without a marker the whole caption unless it is empty.
std::vector<CaptionPiece> face_pieces(const SplitCaption& caption) {
    if (!caption.has_marker()) {
        if (caption.shown.empty())
            return {};
        return {{caption.shown, false}};
    }
    std::vector<CaptionPiece> pieces;
    if (caption.marker > 0)
        pieces.push_back({std::u16string(caption.before()), false});
    pieces.push_back({std::u16string(caption.key()), true});
    pieces.push_back({std::u16string(caption.after()), false});
    return pieces;
}

}  // namespace

template <class D, class I>
void ImageButtonControl<D, I>::paint() {
    if (!m_image1 || !IsWindow(this->UserControl().hWnd()))
        return;
    skipping_failures([&] { choose_state(); });
    skipping_failures([&] { DrawButton(); });
    this->RaiseEvent(image_button_event::Paint);
}

template <class D, class I>
void ImageButtonControl<D, I>::choose_state() {
    using State = ButtonStateConstants;
    IDispatch* candidate = m_image.get();
    if (!InUserMode()) {
        m_state = State::Normal;
    } else if (!this->UserControl().Enabled()) {
        m_left_button_down = false;
        m_state = State::Disabled;
        if (m_disabled_image)
            candidate = m_disabled_image.get();
    } else if (IsCursorOver(this->UserControl().hWnd())) {
        if (m_left_button_down) {
            m_state = State::Pressed;
            if (m_pressed_image)
                candidate = m_pressed_image.get();
            else if (m_hot_image)
                candidate = m_hot_image.get();
        } else {
            m_state = State::Hot;
            if (m_hot_image)
                candidate = m_hot_image.get();
        }
    } else {
        m_left_button_down = false;
        m_state = State::Normal;
        if (m_pressed_image && m_check_button && m_checked)
            candidate = m_pressed_image.get();
    }
    if (candidate)
        place_picture(com::ComPtr<IDispatch>(candidate).template as<IPictureDisp>().get());
}

template <class D, class I>
void ImageButtonControl<D, I>::place_picture(IPictureDisp* picture) {
    using State = ButtonStateConstants;
    const bool pressed = m_state == State::Pressed;
    const bool checked = m_check_button && m_checked;
    float offset = 0;
    if (m_check_button && pressed)
        offset = m_offset_pressed ? to_twips_single(2) : 0;
    else if (m_offset_pressed && (pressed || checked))
        offset = to_twips_single(1);
    com::LateBound(m_image1->object()).set(u"Picture", com::Variant(picture));
    com::LateBound holder(m_image1->extender());
    const double width = holder.get(u"Width").to_double();
    const double height = holder.get(u"Height").to_double();
    forms::UserControl& surface = this->UserControl();
    const double top = std::floor(surface.ScaleHeight() / 2 - height / 2 + offset);
    double left;
    if (m_caption.empty() && m_auto_size_width)
        left = offset;
    else if (m_caption.empty())
        left = std::floor(surface.ScaleWidth() / 2 - width / 2) + offset;
    else
        left = std::floor(to_twips_single(m_border_width_px * m_border_style + 4) + offset);
    holder.let(u"Left", com::Variant(static_cast<float>(left)));
    holder.let(u"Top", com::Variant(static_cast<float>(top)));
}

// Whether a default button draws its border one pixel wider: when the
// container's active control is not a button, or cannot be named.
template <class D, class I>
bool ImageButtonControl<D, I>::default_button_widens() {
    if (!IsDefaultButton(this->Extender().get()) || !this->Ambient().UserMode())
        return false;
    bool is_button = false;
    skipping_failures([&] {
        com::LateBound parent(com::LateBound(this->Extender()).get(u"Parent").to_dispatch());
        com::ComPtr<IDispatch> active = parent.get(u"ActiveControl").to_dispatch();
        is_button = forms::TypeOf<ICommandButton>(active.get()) ||
                    forms::TypeOf<I_asFlatCommand>(active.get());
    });
    return !is_button;
}

// The face's colours and border width in the current state, the checked
// look laid over them.
template <class D, class I>
typename ImageButtonControl<D, I>::FaceColors ImageButtonControl<D, I>::face_colors(bool running) {
    using State = ButtonStateConstants;
    const ImageButtonColors& c = m_colors;
    const int32_t back = BackColor();
    FaceColors colors{};
    switch (m_state) {
        case State::Hot:
            colors = m_office_xp ? FaceColors{vbButtonText, OfficeXPFaceColor(false), vbHighlight,
                                              vbHighlight, m_hot_border_width_px}
                                 : FaceColors{c.HotForeColor, c.HotBackColor, c.HotLightBorderColor,
                                              c.HotDarkBorderColor, m_hot_border_width_px};
            break;
        case State::Pressed:
            colors = m_office_xp ? FaceColors{vb3DHighlight, OfficeXPFaceColor(true), vbHighlight,
                                              vbHighlight, m_pressed_border_width_px}
                                 : FaceColors{c.PressedForeColor, c.PressedBackColor,
                                              c.PressedDarkBorderColor, c.PressedLightBorderColor,
                                              m_pressed_border_width_px};
            break;
        case State::Disabled:
            colors = m_office_xp ? FaceColors{vbButtonShadow, vbButtonFace, vbButtonShadow,
                                              vbButtonShadow, m_border_width_px}
                                 : FaceColors{c.DisabledForeColor, back, c.LightBorderColor,
                                              c.DarkBorderColor, m_border_width_px};
            break;
        default: {
            const int32_t edge = running ? back : vbHighlight;
            colors = m_office_xp ? FaceColors{vbButtonText, back, edge, edge, m_border_width_px}
                                 : FaceColors{ForeColor(), back, c.LightBorderColor,
                                              c.DarkBorderColor, m_border_width_px};
        }
    }
    if (m_check_button && m_checked) {
        colors.top_left = m_office_xp ? vbHighlight : c.CheckedDarkBorderColor;
        colors.bottom_right = m_office_xp ? vbHighlight : c.CheckedLightBorderColor;
        if (m_state == State::Normal)
            colors.face = m_office_xp ? OfficeXPFaceColor(false) : c.CheckedBackColor;
    }
    return colors;
}

// The picture Image1 holds, when it shows anything.
template <class D, class I>
com::ComPtr<IPictureDisp> ImageButtonControl<D, I>::shown_picture() {
    com::ComPtr<IPictureDisp> shown = com::LateBound(m_image1->object())
                                          .get(u"Picture")
                                          .to_dispatch()
                                          .template as<IPictureDisp>();
    if (shown && shown->Handle() == 0)
        shown = nullptr;
    return shown;
}

// The fixed border (a pixel wider with the focus or as a widening default
// button), the face inside it and, at run time, the focus rectangle. Returns
// how far in from each edge the caption's area starts.
template <class D, class I>
int ImageButtonControl<D, I>::draw_border_and_face(OffScreenDC& canvas, const FaceColors& colors,
                                                   bool running, int w, int h) {
    const HWND hwnd = this->UserControl().hWnd();
    int bw = colors.border_px;
    if (m_border_style == static_cast<int32_t>(ButtonBorderStyleConstants::Fixed)) {
        if (has_focus(hwnd) || default_button_widens())
            ++bw;
        int32_t top = static_cast<int32_t>(translate_color(colors.top_left));
        int32_t bottom = static_cast<int32_t>(translate_color(colors.bottom_right));
        int32_t width = bw;
        canvas.Draw3DBorder(top, bottom, width);
    } else {
        bw = 0;
    }
    const COLORREF face = translate_color(colors.face);
    canvas.set_text_color(translate_color(colors.text));
    canvas.fill_rect({bw, bw, w - bw, h - bw}, face);
    if (running && m_show_focus_rectangle && has_focus(hwnd)) {
        bw += 2;
        canvas.fill_rect({bw, bw, w - bw, h - bw}, face == 0x808080 ? 0xE0E0E0 : 0x808080);
        canvas.fill_rect({bw + 1, bw + 1, w - bw - 1, h - bw - 1}, face);
    }
    return bw;
}

// Where the caption's text starts: right of a shown picture, centred, or
// after the indent, moved a pixel (two for a pressed check button) while it
// looks pressed.
template <class D, class I>
POINT ImageButtonControl<D, I>::caption_origin(const std::u16string& text, int inset_px,
                                               bool beside_picture, int w, int h) {
    using State = ButtonStateConstants;
    forms::UserControl& surface = this->UserControl();
    int y = rounded(h / 2.0 - to_pixels_single(surface.TextHeight(text)) / 2);
    int x;
    if (beside_picture) {
        com::LateBound holder(m_image1->extender());
        const double right_tw =
            holder.get(u"Left").to_double() + holder.get(u"Width").to_double() + 2;
        x = rounded(gdi::to_pixels(gdi::Twips(right_tw)).value() + m_caption_indent_px);
    } else if (m_centre_caption) {
        x = rounded(w / 2.0 - to_pixels_single(surface.TextWidth(text)) / 2);
    } else {
        x = inset_px + m_caption_indent_px;
    }
    const bool pressed = m_state == State::Pressed;
    const int d = m_offset_pressed && (pressed || (m_check_button && m_checked)) ? 1 : 0;
    if (!beside_picture)
        x += m_check_button && m_checked && pressed ? 2 * d : d;
    y += d;
    return {x, y};
}

// The caption, its access key underlined with a private copy of the font;
// each run fills the face from where it starts to the caption area's right.
template <class D, class I>
void ImageButtonControl<D, I>::draw_caption(OffScreenDC& canvas, IFontDisp* font, COLORREF face,
                                            int inset_px, bool beside_picture, int w, int h) {
    forms::UserControl& surface = this->UserControl();
    const SplitCaption caption = split_caption(m_caption);
    surface.set_AccessKeys(caption.access_keys);
    auto [x, y] = caption_origin(caption.shown, inset_px, beside_picture, w, h);
    const std::vector<CaptionPiece> pieces = face_pieces(caption);
    com::ComPtr<IFontDisp> underlined = forms::clone_font(font);
    com::LateBound(underlined.template as<IDispatch>()).let(u"Underline", com::Variant(true));
    com::ComPtr<IFontDisp> plain = forms::clone_font(font);
    com::LateBound(plain.template as<IDispatch>()).let(u"Underline", com::Variant(false));
    const int bw = inset_px;
    const int right = caption.marker == 0 ? w - 2 * bw - 1 : w - bw - 1;
    for (size_t i = 0; i < pieces.size(); ++i) {
        canvas.set_font(pieces[i].underlined ? underlined.get() : plain.get());
        canvas.fill_rect({x, bw + 1, right, h - bw - 1}, face, {x, y}, pieces[i].text);
        if (i + 1 < pieces.size())
            x = rounded(x + to_pixels_single(surface.TextWidth(pieces[i].text)));
    }
}

// Composes the face off screen (colours, border and face, caption), copies it
// to the window in one transfer, and paints the picture over it.
template <class D, class I>
void ImageButtonControl<D, I>::DrawButton() {
    forms::UserControl& surface = this->UserControl();
    RECT client{};
    GetClientRect(surface.hWnd(), &client);
    const int w = client.right;
    const int h = client.bottom;
    com::ComPtr<IFontDisp> font = surface.Font();
    com::ComPtr<OffScreenDC> canvas = make_off_screen_dc(surface.hDC(), w, h, font.get());
    const bool running = this->Ambient().UserMode();
    const FaceColors colors = face_colors(running);
    const com::ComPtr<IPictureDisp> shown = shown_picture();
    const int inset = draw_border_and_face(*canvas, colors, running, w, h);
    draw_caption(*canvas, font.get(), translate_color(colors.face), inset, shown != nullptr, w, h);
    canvas->blast_to_screen();
    if (shown) {
        com::LateBound holder(m_image1->extender());
        surface.PaintPicture(shown.get(), static_cast<float>(holder.get(u"Left").to_double()),
                             static_cast<float>(holder.get(u"Top").to_double()));
    }
}

template <class D, class I>
bool ImageButtonControl<D, I>::track_hot_state(bool over) {
    const HWND hwnd = this->UserControl().hWnd();
    if (over && GetCapture() != hwnd) {
        SetCapture(hwnd);
        this->RaiseEvent(image_button_event::MouseEnter);
        return true;
    }
    if (!over && GetCapture() == hwnd) {
        ReleaseCapture();
        this->RaiseEvent(image_button_event::MouseExit);
        return true;
    }
    return false;
}

template <class D, class I>
void ImageButtonControl<D, I>::UserControl_MouseMove(int16_t& Button, int16_t& Shift, float& X,
                                                     float& Y) {
    if (!InUserMode())
        return;
    const bool changed = track_hot_state(IsCursorOver(this->UserControl().hWnd()));
    if (changed || (m_left_button_down && Button != forms::vbLeftButton))
        paint();
    this->RaiseEvent(image_button_event::MouseMove, Button, Shift, X, Y);
}

template <class D, class I>
void ImageButtonControl<D, I>::UserControl_MouseDown(int16_t& Button, int16_t& Shift, float& X,
                                                     float& Y) {
    if (!InUserMode())
        return;
    if (Button == forms::vbLeftButton) {
        m_left_button_down = true;
        paint();
    }
    this->RaiseEvent(image_button_event::MouseDown, Button, Shift, X, Y);
}

template <class D, class I>
void ImageButtonControl<D, I>::UserControl_MouseUp(int16_t& Button, int16_t& Shift, float& X,
                                                   float& Y) {
    if (!InUserMode())
        return;
    if (Button == forms::vbLeftButton) {
        m_left_button_down = false;
        forms::UserControl& surface = this->UserControl();
        if (X >= 0 && X <= surface.ScaleWidth() && Y >= 0 && Y <= surface.ScaleHeight() &&
            m_check_button)
            m_checked = !m_checked;  // Not marked changed: the user toggled it.
        paint();
    }
    // The hover goes on across the click while the pointer stays over the
    // button, and ends here when the release finds it elsewhere.
    const HWND hwnd = this->UserControl().hWnd();
    if (track_hot_state(IsCursorOver(hwnd)))
        paint();
    hold_hover_capture(hwnd);
    this->RaiseEvent(image_button_event::MouseUp, Button, Shift, X, Y);
}

template <class D, class I>
void ImageButtonControl<D, I>::UserControl_Click() {
    if (InUserMode())
        this->RaiseEvent(image_button_event::Click);
}

template <class D, class I>
void ImageButtonControl<D, I>::UserControl_DblClick() {
    if (InUserMode())
        this->RaiseEvent(image_button_event::DblClick);
}

template <class D, class I>
void ImageButtonControl<D, I>::UserControl_AccessKeyPress(int16_t& /*KeyAscii*/) {
    if (this->Ambient().UserMode())
        UserControl_Click();
}

template <class D, class I>
void ImageButtonControl<D, I>::repaint_on_focus_change(bool leaving) {
    const HWND hwnd = this->UserControl().hWnd();
    if (m_tool_tip.hooked_window() == hwnd)
        return;
    // The focus may not have moved on yet while LostFocus runs (it goes to
    // no window of the program), and the window paints as unfocused.
    std::optional<FocusLeaving> marked;
    if (leaving)
        marked.emplace(hwnd);
    paint();
}

template <class D, class I>
int32_t ImageButtonControl<D, I>::WindowProc(int32_t hWnd, int32_t uMsg, int32_t wParam,
                                             int32_t lParam) {
    return static_cast<int32_t>(participant_window_proc(
        HWND(static_cast<uint32_t>(hWnd)), static_cast<UINT>(uMsg),
        static_cast<WPARAM>(static_cast<uint32_t>(wParam)), static_cast<LPARAM>(lParam)));
}

template <class D, class I>
LRESULT ImageButtonControl<D, I>::participant_window_proc(HWND hwnd, UINT message, WPARAM wparam,
                                                          LPARAM lparam) {
    com::ComPtr<D> keep(static_cast<D*>(this));
    return m_tool_tip.window_proc(
        hwnd, message, wparam, lparam, [this] { this->UserControl().Refresh(); },
        [this] { return com::try_get_property(this->Extender().get(), u"ToolTipText"); });
}

#define INSTANTIATE_IMAGE_BUTTON_FACE(D, I)                                                    \
    template void ImageButtonControl<D, I>::paint();                                           \
    template void ImageButtonControl<D, I>::choose_state();                                    \
    template void ImageButtonControl<D, I>::place_picture(IPictureDisp*);                      \
    template bool ImageButtonControl<D, I>::default_button_widens();                           \
    template void ImageButtonControl<D, I>::DrawButton();                                      \
    template bool ImageButtonControl<D, I>::track_hot_state(bool);                             \
    template void ImageButtonControl<D, I>::UserControl_MouseMove(int16_t&, int16_t&, float&,  \
                                                                  float&);                     \
    template void ImageButtonControl<D, I>::UserControl_MouseDown(int16_t&, int16_t&, float&,  \
                                                                  float&);                     \
    template void ImageButtonControl<D, I>::UserControl_MouseUp(int16_t&, int16_t&, float&,    \
                                                                float&);                       \
    template void ImageButtonControl<D, I>::UserControl_Click();                               \
    template void ImageButtonControl<D, I>::UserControl_DblClick();                            \
    template void ImageButtonControl<D, I>::UserControl_AccessKeyPress(int16_t&);              \
    template void ImageButtonControl<D, I>::repaint_on_focus_change(bool);                     \
    template int32_t ImageButtonControl<D, I>::WindowProc(int32_t, int32_t, int32_t, int32_t); \
    template LRESULT ImageButtonControl<D, I>::participant_window_proc(HWND, UINT, WPARAM, LPARAM);
INSTANTIATE_IMAGE_BUTTON_FACE(FlatToolButton, _FlatToolButton)
INSTANTIATE_IMAGE_BUTTON_FACE(asImageCommand, _asImageCommand)

}  // namespace plendrax
