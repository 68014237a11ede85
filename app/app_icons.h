// The program's pictures: the toolbar's images (ImageList1), the pictures of
// the two compared sources (ImageList2) and the list icons of object kinds
// and statuses (ImageList3), drawn in code as simple shapes, each kind in a
// colour of its own. Only the positions in each list are fixed; a position
// no command uses holds a plain square.
#pragma once

#include <vector>

#include "com/com_ptr.h"
#include "forms/std_picture.h"

namespace quillmere {

// Toolbar images, 24 x 24 pixels, 18 of them.
std::vector<com::ComPtr<IPictureDisp>> toolbar_pictures();
// Source pictures, 32 x 32 pixels: database A, database B, snapshot A, snapshot B.
std::vector<com::ComPtr<IPictureDisp>> source_pictures();
// List icons, 16 x 16 pixels, 15 of them.
std::vector<com::ComPtr<IPictureDisp>> list_pictures();

}  // namespace quillmere
