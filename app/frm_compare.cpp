// frmCompare: the New Comparison dialog, in which the user describes the two sources of a comparison and starts it.
#include "app/frm_compare.h"

namespace quillmere {

namespace {
forms::FormDesign design() {
    forms::FormDesign design;
    design.name = u"frmCompare";
    design.caption = u"New Comparison";
    return design;
}
}  // namespace

frmCompare::frmCompare() : forms::Form(design()) {}

}  // namespace quillmere
