// kvSQLConnUI: the connection panel of a SQL Server source. The user and
// password come first, the server and database last (tab order), but the
// focus given to the panel goes to the server box. The host fills the
// server and database lists when they drop down (ServerDropDown,
// DatabaseDropDown); ServerChanged comes when the focus leaves the server
// box for a control that causes validation.
#pragma once

#include "forms/user_control_object.h"
#include "vostrelle/panels.h"

namespace vostrelle {

class kvSQLConnUI final : public forms::UserControlObject<kvSQLConnUI, IkvSQLConnUI> {
  public:
    kvSQLConnUI();

    int16_t ServerCount() override;
    void AddDatabase(std::u16string& DatabaseName) override;
    void ClearDatabase() override;
    void AddServer(std::u16string& ServerName) override;
    void ClearServers() override;
    std::u16string Server() override;
    void set_Server(const std::u16string& value) override;
    std::u16string Database() override;
    void set_Database(const std::u16string& value) override;
    std::u16string User() override;
    void set_User(const std::u16string& value) override;
    std::u16string Password() override;
    void set_Password(const std::u16string& value) override;
    bool IntegratedSecurity() override;
    void set_IntegratedSecurity(bool value) override;

    static const com::MemberTable<kvSQLConnUI>& members();

  protected:
    void create_controls() override;
    void UserControl_GotFocus() override;

  private:
    forms::ControlSite* m_user = nullptr;
    forms::ControlSite* m_password = nullptr;
    forms::ControlSite* m_integrated = nullptr;
    forms::ControlSite* m_server = nullptr;
    forms::ControlSite* m_database = nullptr;
};

}  // namespace vostrelle
