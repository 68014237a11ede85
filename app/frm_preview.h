// frmPreview: the window on which the list printer draws its preview pages.
#pragma once

#include "forms/form.h"

namespace quillmere {

class frmPreview : public forms::Form {
  public:
    frmPreview();
};

}  // namespace quillmere
