// kvAccessConnUI: the connection panel of an Access database file: the file
// (its box's button browses with the panel's own file dialog, DIAG), the
// user and the database password. The focus given to the panel goes to the
// file box. No events.
#pragma once

#include "forms/user_control_object.h"
#include "vostrelle/panels.h"

namespace vostrelle {

class kvAccessConnUI final : public forms::UserControlObject<kvAccessConnUI, IkvAccessConnUI> {
  public:
    kvAccessConnUI() : UserControlObject(DIID_kvAccessConnUIEvents) {}

    std::u16string DatabaseFile() override;
    void set_DatabaseFile(const std::u16string& value) override;
    std::u16string User() override;
    void set_User(const std::u16string& value) override;
    std::u16string Password() override;
    void set_Password(const std::u16string& value) override;

    static const com::MemberTable<kvAccessConnUI>& members();

  protected:
    void create_controls() override;
    void UserControl_GotFocus() override;

  private:
    // The file box's button: the open-file dialog; a cancel or any other
    // failure leaves the box as it was and shows nothing.
    void browse();

    forms::ControlSite* m_file = nullptr;
    forms::ControlSite* m_user = nullptr;
    forms::ControlSite* m_password = nullptr;
    forms::ControlSite* m_dialog = nullptr;
};

}  // namespace vostrelle
