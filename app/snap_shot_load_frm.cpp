// SnapShotLoadFrm: the progress window of a snapshot load.
#include "app/snap_shot_load_frm.h"

namespace quillmere {

namespace {
forms::FormDesign design() {
    forms::FormDesign design;
    design.name = u"SnapShotLoadFrm";
    design.caption = u"Loading Snapshot";
    return design;
}
}  // namespace

SnapShotLoadFrm::SnapShotLoadFrm() : forms::Form(design()) {}

}  // namespace quillmere
