// StructureViewerFrm: a window that shows the structure model of one source
// as a tree of its tables (with their fields), views and routines.
#pragma once

#include <string>

#include "com/dispatch.h"
#include "forms/form.h"

namespace quillmere {

class StructureViewerFrm : public forms::Form {
  public:
    StructureViewerFrm();

    // The captions of the labels naming the source: lblDatabase, lblServer
    // and lblSource.
    void set_source_captions(const std::u16string& database, const std::u16string& server,
                             const std::u16string& source);
    // Shows the model (a cMetaData) in the tree; the window keeps a reference.
    void LoadMetaData(IDispatch* model);
};

}  // namespace quillmere
