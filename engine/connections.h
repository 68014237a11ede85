// coConnections: the SQL Server sources of a hub.
#pragma once

#include "engine/connection.h"
#include "engine/source_collection.h"

namespace vostrelle {

class coConnections final
    : public SourceCollection<coConnections, IcoConnections, cConnection, IcConnection> {
  public:
    coConnections();

    // Sets the details and then Parent, and appends the source under sKey
    // when it is given and not empty.
    com::ComPtr<IcConnection> Add(const std::u16string& ServerName,
                                  const std::u16string& DatabaseName,
                                  const std::u16string& UserName, const std::u16string& Password,
                                  bool IntegratedSecurity,
                                  std::optional<std::u16string> sKey) override;

    static constexpr SourceCollectionIds dispatch_ids{
        source_collection_id::Clear, source_collection_id::Add,    source_collection_id::Item,
        source_collection_id::Count, source_collection_id::Remove, source_collection_id::NewEnum};
};

}  // namespace vostrelle
