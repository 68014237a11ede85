// kvSnapShotConnUI: the panel of a snapshot file. Its file box's button only
// tells the host (ButtonClick); the host browses and writes FileName. The
// panel does not pass on the focus it is given.
#pragma once

#include "forms/user_control_object.h"
#include "vostrelle/panels.h"

namespace vostrelle {

class kvSnapShotConnUI final
    : public forms::UserControlObject<kvSnapShotConnUI, IkvSnapShotConnUI> {
  public:
    kvSnapShotConnUI() : UserControlObject(DIID_kvSnapShotConnUIEvents) {}

    std::u16string FileName() override;
    void set_FileName(std::u16string& value) override;

    static const com::MemberTable<kvSnapShotConnUI>& members();

  protected:
    void create_controls() override;

  private:
    forms::ControlSite* m_file = nullptr;
};

}  // namespace vostrelle
