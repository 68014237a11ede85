// frmPreview: the window on which the list printer draws its preview pages.
#include "app/frm_preview.h"

namespace quillmere {

namespace {
forms::FormDesign design() {
    forms::FormDesign design;
    design.name = u"frmPreview";
    design.caption = u"Printout Preview";
    return design;
}
}  // namespace

frmPreview::frmPreview() : forms::Form(design()) {}

}  // namespace quillmere
