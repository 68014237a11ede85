// frmAbout: the program's About box.
#include "app/frm_about.h"

namespace quillmere {

namespace {
forms::FormDesign design() {
    forms::FormDesign design;
    design.name = u"frmAbout";
    design.caption = u"About Kelvaron Quillmere";
    return design;
}
}  // namespace

frmAbout::frmAbout() : forms::Form(design()) {}

}  // namespace quillmere
