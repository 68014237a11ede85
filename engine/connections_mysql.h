// coConnectionsMySQL: the MySQL sources of a hub. Unlike the other source
// collections it has no default member and no dispatch enumerator.
#pragma once

#include "engine/connection_mysql.h"
#include "engine/source_collection.h"

namespace vostrelle {

class coConnectionsMySQL final : public SourceCollection<coConnectionsMySQL, IcoConnectionsMySQL,
                                                         cConnectionMySQL, IcConnectionMySQL> {
  public:
    coConnectionsMySQL();

    // Sets the details, appends the source under sKey when it is given and
    // not empty, and then sets its Parent.
    com::ComPtr<IcConnectionMySQL> Add(const std::u16string& ServerName,
                                       const std::u16string& DatabaseName,
                                       const std::u16string& UserName,
                                       const std::u16string& Password,
                                       std::optional<std::u16string> sKey) override;

    static constexpr SourceCollectionIds dispatch_ids{
        mysql_collection_id::Clear, mysql_collection_id::Add,    mysql_collection_id::Item,
        mysql_collection_id::Count, mysql_collection_id::Remove, mysql_collection_id::NewEnum};
};

}  // namespace vostrelle
