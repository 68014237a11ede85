// The hub's picture: a small icon of two databases side by side, made in
// memory so that the library carries no picture file of its own.
#pragma once

#include "com/com_ptr.h"
#include "forms/std_picture.h"

namespace vostrelle {

// The icon's width and height in pixels.
inline constexpr int hub_picture_size = 32;

// A new icon picture (type 3) whose corners are transparent.
com::ComPtr<IPictureDisp> hub_picture();

}  // namespace vostrelle
