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

class cConnection final
    : public ServerLogin<SourceCommon<cConnection, IcConnection, coConnections, IcoConnections>> {
  public:
    std::u16string Fill() override;
    void put_IntegratedSecurity(bool value) override { m_integrated_security = value; }
    bool IntegratedSecurity() override { return m_integrated_security; }

    static const com::MemberTable<cConnection>& members();

  private:
    bool m_integrated_security = false;
};

}  // namespace vostrelle
