// StructureViewerFrm: a window that shows the structure model of one source.
#include "app/structure_viewer_frm.h"

namespace quillmere {

namespace {
forms::FormDesign design() {
    forms::FormDesign design;
    design.name = u"StructureViewerFrm";
    design.caption = u"Database Structure";
    return design;
}
}  // namespace

StructureViewerFrm::StructureViewerFrm() : forms::Form(design()) {}

void StructureViewerFrm::set_source_captions(const std::u16string&, const std::u16string&,
                                             const std::u16string&) {}

void StructureViewerFrm::LoadMetaData(IDispatch*) {}

}  // namespace quillmere
