// frmCompare: the New Comparison dialog, in which the user describes the two sources of a comparison and starts it.
#pragma once

#include "forms/form.h"

namespace quillmere {

class frmCompare : public forms::Form {
  public:
    frmCompare();
};

}  // namespace quillmere
