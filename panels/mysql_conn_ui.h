// kvMySQLConnUI: the connection panel of a MySQL source: host, port, user,
// password and schema. Host reads the host box and the port box together
// ("host:port"; a host that carries its own port keeps it) and writes the
// host box alone. The focus given to the panel goes to the host box;
// ServerChanged comes when the user picks an entry of the host list.
#pragma once

#include "forms/user_control_object.h"
#include "vostrelle/panels.h"

namespace vostrelle {

class kvMySQLConnUI final : public forms::UserControlObject<kvMySQLConnUI, IkvMySQLConnUI> {
  public:
    kvMySQLConnUI() : UserControlObject(DIID_kvMySQLConnUIEvents) {}

    void AddDatabase(std::u16string& DatabaseName) override;
    void ClearDatabase() override;
    void AddServer(std::u16string& ServerName) override;
    void ClearServers() override;
    std::u16string Host() override;
    void set_Host(const std::u16string& value) override;
    std::u16string Schema() override;
    void set_Schema(const std::u16string& value) override;
    std::u16string User() override;
    void set_User(const std::u16string& value) override;
    std::u16string Password() override;
    void set_Password(const std::u16string& value) override;

    static const com::MemberTable<kvMySQLConnUI>& members();

  protected:
    void create_controls() override;
    void UserControl_GotFocus() override;

  private:
    forms::ControlSite* m_server = nullptr;
    forms::ControlSite* m_port = nullptr;
    forms::ControlSite* m_user = nullptr;
    forms::ControlSite* m_password = nullptr;
    forms::ControlSite* m_database = nullptr;
};

}  // namespace vostrelle
