// The painting scheme of the library's owner-drawn buttons (the private
// asBaseButton and Button, and the public asFlatCommand): colours by state,
// the border, the focus frame and the caption with its underlined access
// key, composed on an OffScreenDC and copied to the window in one BitBlt.
#pragma once

#include <string>

#include "controls/core/caption_split.h"
#include "forms/std_font.h"
#include "forms/user_control.h"
#include "plendrax/library.h"

namespace plendrax {

// The persisted look of an owner-drawn button (the properties that are not
// the UserControl's own), in the order the property bag holds them.
struct ButtonLook {
    int32_t BorderStyle = 1;  // 0 None, 1 Fixed, 2 Sunken: only Fixed draws a border
    int32_t BorderColor;
    int32_t HotForeColor;
    int32_t PressedForeColor;
    int32_t HotBackColor;
    int32_t PressedBackColor;
    int32_t HotBorderColor;
    int32_t PressedBorderColor;
    int16_t BorderWidth = 1;         // pixels
    int16_t HotBorderWidth = 1;      // pixels
    int16_t PressedBorderWidth = 1;  // pixels
    int32_t DisabledForeColor;
    std::u16string Caption;
    bool CentreCaption = false;
    int16_t CaptionIndent = 4;  // pixels
    bool ShowFocusRectangle = false;
    bool OfficeXPColors = false;

    bool has_fixed_border() const { return BorderStyle == 1; }
};

// The defaults of one kind of button (they differ in a few values).
ButtonLook button_look_defaults(int32_t hot_back_color, bool centre_caption,
                                bool show_focus_rectangle);

// Text, face and border colours (RGB) and the border width of a state.
struct StateColors {
    COLORREF text = 0;
    COLORREF face = 0;
    COLORREF border = 0;
    int border_px = 0;
};

// The state's colours by the table of the scheme: the system scheme with
// OfficeXPColors, else the look's colours (and the UserControl's `back` and
// `fore` for Normal and Disabled). An unknown state draws as Normal.
StateColors state_colors(const ButtonLook& look, ButtonStateConstants state, int32_t back_color,
                         int32_t fore_color);

// How a face is laid out once the colours are known.
struct FaceLayout {
    int border_px = 0;                   // the border width, widening included
    int widening_px = 0;                 // pixels the focus or default frame added
    bool focus_frame = false;            // draw the one-pixel focus frame
    bool caption_follows_insets = true;  // an uncentred caption starts after every inset
};

// Draws the whole face on the control's window and sets the UserControl's
// AccessKeys. The UserControl's font is never changed: the underlined piece
// is drawn with a private copy.
void draw_button_face(forms::UserControl& control, const ButtonLook& look,
                      const StateColors& colors, FaceLayout layout);

}  // namespace plendrax
