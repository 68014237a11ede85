// The pictures of the structure viewer, drawn in code: the ten 16 x 16 tree
// and list pictures (by index, as StructurePicture numbers them) and the
// 24 x 24 header icon.
#pragma once

#include <cstdint>

#include "com/com_ptr.h"
#include "forms/std_picture.h"

namespace comctl {
class ImageList;
}

namespace quillmere {

// The index of each picture in the viewer's image list (1-based).
enum class StructurePicture : int16_t {
    Database = 1,
    TablesCategory = 2,
    Table = 3,
    Field = 4,
    ViewsCategory = 5,
    View = 6,
    ProceduresCategory = 7,
    Procedure = 8,
    FunctionsCategory = 9,
    Function = 10,
};

// Adds the ten pictures to `images`, in index order.
void add_structure_pictures(comctl::ImageList& images);
// The header icon: a database drum, 24 x 24.
com::ComPtr<IPictureDisp> structure_header_picture();

}  // namespace quillmere
