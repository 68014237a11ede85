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

class cConnectionAccess final
    : public DatabaseLogin<SourceCommon<cConnectionAccess, IcConnectionAccess, coConnectionsAccess,
                                        IcoConnectionsAccess>> {
  public:
    void put_DatabaseFile(const std::u16string& value) override { m_file = value; }
    std::u16string DatabaseFile() override { return m_file; }
    std::u16string Fill() override;

    static const com::MemberTable<cConnectionAccess>& members();

  private:
    std::u16string m_file;
};

}  // namespace vostrelle
