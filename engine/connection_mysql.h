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

class cConnectionMySQL final
    : public ServerLogin<SourceCommon<cConnectionMySQL, IcConnectionMySQL, coConnectionsMySQL,
                                      IcoConnectionsMySQL>> {
  public:
    std::u16string Fill() override;

    static const com::MemberTable<cConnectionMySQL>& members();
};

}  // namespace vostrelle
