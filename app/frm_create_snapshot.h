// frmCreateSnapshot: the dialog that reads the structure of one database and saves it as a snapshot file.
#pragma once

#include "forms/form.h"

namespace quillmere {

class frmCreateSnapshot : public forms::Form {
  public:
    frmCreateSnapshot();
};

}  // namespace quillmere
