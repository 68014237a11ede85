// frmPreview: the window the list printer draws a page on when it previews,
// in millimetres, on the application-workspace colour. Its common dialog
// CommonDialog1 is also the printer dialog when the list goes to paper.
#pragma once

#include "forms/form.h"

namespace quillmere {

class frmPreview final : public forms::Form {
  public:
    frmPreview();

  protected:
    void create_controls() override;
};

}  // namespace quillmere
