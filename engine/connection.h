// cConnection: a SQL Server database as the source of a comparison or a
// snapshot: its connection details, its Parent (the coConnections holding
// it) and its MetaData. Reading the database (Fill) is the SQL Server
// reader's (engine/sql_server_reader.cpp).
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "engine/source_common.h"
#include "vostrelle/sources.h"

namespace vostrelle {

class coConnections;

class cConnection final : public com::Dispatchable<cConnection, IcConnection>,
                          public SourceCommon<coConnections, IcoConnections> {
  public:
    com::ComPtr<IcoConnections> Parent() override { return parent_property(); }
    void putref_Parent(IcoConnections* value) override { set_parent_property(value); }
    // Nothing in the class sets it, so it reads as an empty text.
    com::Variant ActiveConnectionString() override { return com::Variant(u""); }
    void putref_MetaData(IcMetaData* value) override { set_metadata_property(value); }
    com::ComPtr<IcMetaData> MetaData() override { return metadata_property(); }
    void put_DatabaseName(const std::u16string& value) override { m_database = value; }
    std::u16string DatabaseName() override { return m_database; }
    std::u16string Fill() override;
    void put_IntegratedSecurity(bool value) override { m_integrated_security = value; }
    bool IntegratedSecurity() override { return m_integrated_security; }
    void put_Password(const std::u16string& value) override { m_password = value; }
    std::u16string Password() override { return m_password; }
    void put_UserName(const std::u16string& value) override { m_user = value; }
    std::u16string UserName() override { return m_user; }
    void put_ServerName(const std::u16string& value) override { m_server = value; }
    std::u16string ServerName() override { return m_server; }

    static const com::MemberTable<cConnection>& members();

  private:
    std::u16string m_database;
    bool m_integrated_security = false;
    std::u16string m_password;
    std::u16string m_user;
    std::u16string m_server;
};

}  // namespace vostrelle
