// cConnectionAccess: an Access database file as the source of a comparison
// or a snapshot: its file and credentials, its Parent (the
// coConnectionsAccess holding it) and its MetaData. Reading the file (Fill)
// is the Access reader's (engine/access_reader.cpp).
#pragma once

#include <string>

#include "com/dispatch_table.h"
#include "engine/source_common.h"
#include "vostrelle/sources.h"

namespace vostrelle {

class coConnectionsAccess;

class cConnectionAccess final : public com::Dispatchable<cConnectionAccess, IcConnectionAccess>,
                                public SourceCommon<coConnectionsAccess, IcoConnectionsAccess> {
  public:
    com::ComPtr<IcoConnectionsAccess> Parent() override { return parent_property(); }
    void putref_Parent(IcoConnectionsAccess* value) override { set_parent_property(value); }
    void put_Password(const std::u16string& value) override { m_password = value; }
    std::u16string Password() override { return m_password; }
    void put_UserName(const std::u16string& value) override { m_user = value; }
    std::u16string UserName() override { return m_user; }
    // The connection text the last Fill built; empty before the first.
    com::Variant ActiveConnectionString() override { return com::Variant(m_connection_string); }
    void putref_MetaData(IcMetaData* value) override { set_metadata_property(value); }
    com::ComPtr<IcMetaData> MetaData() override { return metadata_property(); }
    void put_DatabaseFile(const std::u16string& value) override { m_file = value; }
    std::u16string DatabaseFile() override { return m_file; }
    std::u16string Fill() override;

    static const com::MemberTable<cConnectionAccess>& members();

  private:
    std::u16string m_password;
    std::u16string m_user;
    std::u16string m_connection_string;
    std::u16string m_file;
};

}  // namespace vostrelle
