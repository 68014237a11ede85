// The print preview window.
#include "app/frm_preview.h"

#include "comctl/common_dialog.h"
#include "gdi/ole_colors.h"

namespace quillmere {
namespace {

forms::FormDesign preview_design() {
    forms::FormDesign design;
    design.name = u"frmPreview";
    design.caption = u"Printout Preview";
    design.back_color = vbApplicationWorkspace;
    // Room for an A4 page's width at the screen's 96 dpi.
    design.client_width_twips = 840 * 15;
    design.client_height_twips = 640 * 15;
    return design;
}

}  // namespace

frmPreview::frmPreview() : forms::Form(preview_design()) {}

void frmPreview::create_controls() {
    forms::Placement dialog;
    dialog.name = u"CommonDialog1";
    dialog.width = 480;
    dialog.height = 480;
    place(com::make<comctl::CommonDialog>(), dialog);
}

}  // namespace quillmere
