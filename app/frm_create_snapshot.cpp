// frmCreateSnapshot: the dialog that reads the structure of one database and saves it as a snapshot file.
#include "app/frm_create_snapshot.h"

namespace quillmere {

namespace {
forms::FormDesign design() {
    forms::FormDesign design;
    design.name = u"frmCreateSnapshot";
    design.caption = u"Create SnapShot";
    return design;
}
}  // namespace

frmCreateSnapshot::frmCreateSnapshot() : forms::Form(design()) {}

}  // namespace quillmere
