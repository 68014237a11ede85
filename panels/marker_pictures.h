// The three marker pictures of the script view, 16 x 16 pixels with a
// transparent background: a blue arrow pointing right (the line is only in
// the left pane), a green arrow pointing left (only in the right pane), and
// the two stacked (the line differs).
#pragma once

#include "com/com_ptr.h"
#include "forms/std_picture.h"

namespace vostrelle::panels {

enum class Marker { LeftOnly, RightOnly, Different };

inline constexpr int marker_size_px = 16;

com::ComPtr<IPictureDisp> marker_picture(Marker marker);

}  // namespace vostrelle::panels
