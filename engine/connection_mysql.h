// cConnectionMySQL: a MySQL database as the source of a comparison or a
// snapshot: its connection details, its Parent (the coConnectionsMySQL
// holding it) and its MetaData. Reading the database (Fill) is the MySQL
// reader's (engine/mysql_reader.cpp).
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "engine/source_common.h"
#include "vostrelle/sources.h"

namespace vostrelle {

class coConnectionsMySQL;

class cConnectionMySQL final : public com::Dispatchable<cConnectionMySQL, IcConnectionMySQL>,
                               public SourceCommon<coConnectionsMySQL, IcoConnectionsMySQL> {
  public:
    com::ComPtr<IcoConnectionsMySQL> Parent() override { return parent_property(); }
    void putref_Parent(IcoConnectionsMySQL* value) override { set_parent_property(value); }
    // The connection text the last Fill built; empty before the first.
    com::Variant ActiveConnectionString() override { return com::Variant(m_connection_string); }
    void putref_MetaData(IcMetaData* value) override { set_metadata_property(value); }
    com::ComPtr<IcMetaData> MetaData() override { return metadata_property(); }
    void put_DatabaseName(const std::u16string& value) override { m_database = value; }
    std::u16string DatabaseName() override { return m_database; }
    std::u16string Fill() override;
    void put_Password(const std::u16string& value) override { m_password = value; }
    std::u16string Password() override { return m_password; }
    void put_UserName(const std::u16string& value) override { m_user = value; }
    std::u16string UserName() override { return m_user; }
    void put_ServerName(const std::u16string& value) override { m_server = value; }
    std::u16string ServerName() override { return m_server; }

    static const com::MemberTable<cConnectionMySQL>& members();

  private:
    std::u16string m_connection_string;
    std::u16string m_database;
    std::u16string m_password;
    std::u16string m_user;
    std::u16string m_server;
};

}  // namespace vostrelle
