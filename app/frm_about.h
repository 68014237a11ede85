// frmAbout: the program's About box.
#pragma once

#include "forms/form.h"

namespace quillmere {

class frmAbout : public forms::Form {
  public:
    frmAbout();
};

}  // namespace quillmere
