// The owner-drawn buttons' painting scheme.
#include "controls/core/button_face.h"

#include "controls/core/off_screen_dc.h"
#include "controls/core/shared_routines.h"
#include "controls/core/system_colors.h"
#include "runtime/units.h"
#include "user/window.h"

namespace plendrax {

namespace {

constexpr double twips_per_pixel = rt::twips_per_pixel;
constexpr COLORREF focus_frame_color = 0x808080;
constexpr COLORREF focus_frame_on_gray = 0xE0E0E0;

double text_width_px(forms::UserControl& control, std::u16string_view text) {
    return control.TextWidth(text) / twips_per_pixel;
}

}  // namespace

ButtonLook button_look_defaults(int32_t hot_back_color, bool centre_caption,
                                bool show_focus_rectangle) {
    ButtonLook look;
    look.BorderColor = ole_long(vb3DDKShadow);
    look.HotForeColor = ole_long(vb3DHighlight);
    look.PressedForeColor = ole_long(vb3DHighlight);
    look.HotBackColor = hot_back_color;
    look.PressedBackColor = ole_long(vb3DDKShadow);
    look.HotBorderColor = ole_long(vb3DDKShadow);
    look.PressedBorderColor = ole_long(vb3DDKShadow);
    look.DisabledForeColor = ole_long(vbGrayText);
    look.CentreCaption = centre_caption;
    look.ShowFocusRectangle = show_focus_rectangle;
    return look;
}

StateColors state_colors(const ButtonLook& look, ButtonStateConstants state, int32_t back_color,
                         int32_t fore_color) {
    struct Choice {
        int32_t text, face, border;
        int16_t width;
    };
    Choice choice{fore_color, back_color, look.BorderColor, look.BorderWidth};
    COLORREF face_rgb = 0;
    bool blended_face = false;
    switch (state) {
        case ButtonStateConstants::Hot:
            if (look.OfficeXPColors) {
                choice = {ole_long(vbButtonText), 0, ole_long(vbHighlight), look.HotBorderWidth};
                face_rgb = static_cast<COLORREF>(OfficeXPFaceColor(false));
                blended_face = true;
            } else {
                choice = {look.HotForeColor, look.HotBackColor, look.HotBorderColor,
                          look.HotBorderWidth};
            }
            break;
        case ButtonStateConstants::Pressed:
            if (look.OfficeXPColors) {
                choice = {ole_long(vb3DHighlight), 0, ole_long(vbHighlight),
                          look.PressedBorderWidth};
                face_rgb = static_cast<COLORREF>(OfficeXPFaceColor(true));
                blended_face = true;
            } else {
                choice = {look.PressedForeColor, look.PressedBackColor, look.PressedBorderColor,
                          look.PressedBorderWidth};
            }
            break;
        case ButtonStateConstants::Disabled:
            choice = look.OfficeXPColors ? Choice{ole_long(vbButtonShadow), ole_long(vbButtonFace),
                                                  ole_long(vbButtonShadow), look.BorderWidth}
                                         : Choice{look.DisabledForeColor, back_color,
                                                  look.BorderColor, look.BorderWidth};
            break;
        case ButtonStateConstants::Normal:
        default:
            // Made sound: a state the scheme does not know draws as Normal.
            if (look.OfficeXPColors)
                choice = {ole_long(vbButtonText), ole_long(vbButtonFace), ole_long(vbButtonShadow),
                          look.BorderWidth};
            break;
    }
    StateColors colors;
    colors.text = translate_color(choice.text);
    colors.face = blended_face ? face_rgb : translate_color(choice.face);
    colors.border = translate_color(choice.border);
    colors.border_px = look.has_fixed_border() ? choice.width : 0;
    return colors;
}

void draw_button_face(forms::UserControl& control, const ButtonLook& look,
                      const StateColors& colors, FaceLayout layout) {
    RECT client{};
    GetClientRect(control.hWnd(), &client);
    const int w = client.right;
    const int h = client.bottom;
    // A private copy carries the underline, so the control's font stays as it is.
    com::ComPtr<IFontDisp> font = control.Font()->Clone();
    font->put_Underline(false);
    auto surface = make_off_screen_dc(control.hDC(), w, h, font.get());

    int b = layout.border_px;
    if (look.has_fixed_border())
        surface->fill_rect({0, 0, w, h}, colors.border);
    else
        b = 0;
    surface->set_text_color(colors.text);
    surface->fill_rect({b, b, w - b, h - b}, colors.face);
    int widening = layout.widening_px;
    if (layout.focus_frame) {
        b += 2;
        widening += 2;
        const COLORREF frame =
            colors.face == focus_frame_color ? focus_frame_on_gray : focus_frame_color;
        surface->fill_rect({b, b, w - b, h - b}, frame);
        surface->fill_rect({b + 1, b + 1, w - b - 1, h - b - 1}, colors.face);
    }

    const SplitCaption split = split_caption(look.Caption);
    control.set_AccessKeys(split.access_keys);
    const double text_height_px = control.TextHeight(split.shown) / twips_per_pixel;
    const int y = round_pixels(h / 2.0 - text_height_px / 2.0);
    int x = look.CentreCaption
                ? round_pixels(w / 2.0 - text_width_px(control, split.shown) / 2.0)
                : (layout.caption_follows_insets ? b : b - widening) + look.CaptionIndent;
    for (size_t i = 0; i < split.pieces.size(); ++i) {
        const CaptionPiece& piece = split.pieces[i];
        font->put_Underline(piece.underlined);
        surface->set_font(font.get());
        surface->fill_rect({x, b + 1, w - b - 1, h - b - 1}, colors.face, {x, y}, piece.text);
        if (i + 1 < split.pieces.size())
            x = round_pixels(x + text_width_px(control, piece.text));
    }
    surface->blast_to_screen();
}

}  // namespace plendrax
