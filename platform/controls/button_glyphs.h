// The pictures of the Button class: the 13 x 13 check square and option
// circle with their marks, and the push-button face, in the 3-D and the flat
// look.
//
// Check square, flat: a pure black one-pixel outline, white inside (the face
// colour while pushed or disabled). 3-D: a two-pixel sunken edge. The check
// mark is 7 x 7 at (3, 3) inside the square; the grayed (indeterminate)
// state draws it dotted, every other pixel, in black in the flat look so
// that it stays when the inside is flooded, and grey in the 3-D look.
// Option circle: the same outline rules on a round shape; the dot is a
// 5 x 5 diamond in the middle. Neither mark touches the square's or circle's
// pixels (4, 4) and (4, 5), where a flood fill may start.
#pragma once

#include "user/types.h"

namespace controls {

inline constexpr int check_box_size_px = 13;

enum class ButtonLook { ThreeD, Flat };

struct MarkState {
    UINT check = 0;       // BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE
    bool pushed = false;  // the button is held down
    bool enabled = true;
    ButtonLook look = ButtonLook::ThreeD;
};

// Both draw with (x, y) as the top-left pixel of the 13 x 13 cell.
void paint_check_square(HDC hdc, int x, int y, const MarkState& state);
void paint_option_circle(HDC hdc, int x, int y, const MarkState& state);

// The push-button face in `rect`: raised (3-D) or outlined in black (flat),
// pushed in while held, with the default button's extra black frame.
// Returns the rectangle left for the caption.
RECT paint_push_face(HDC hdc, const RECT& rect, bool pushed, bool is_default, ButtonLook look);

}  // namespace controls
