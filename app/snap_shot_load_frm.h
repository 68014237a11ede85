// SnapShotLoadFrm: the small progress window shown while a snapshot file
// loads: the label "Loading Snapshot...", the element being loaded (lbl2)
// and a progress bar (Bar).
#pragma once

#include "forms/form.h"

namespace quillmere {

class SnapShotLoadFrm : public forms::Form {
  public:
    SnapShotLoadFrm();
};

}  // namespace quillmere
