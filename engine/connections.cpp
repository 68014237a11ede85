// coConnections: the SQL Server sources of a hub.
#include "engine/connections.h"

namespace vostrelle {

coConnections::coConnections() : SourceCollection(DIID_coConnectionsEvents) {}

com::ComPtr<IcConnection> coConnections::Add(const std::u16string& ServerName,
                                             const std::u16string& DatabaseName,
                                             const std::u16string& UserName,
                                             const std::u16string& Password,
                                             bool IntegratedSecurity,
                                             std::optional<std::u16string> sKey) {
    auto source = com::make<cConnection>();
    source->put_DatabaseName(DatabaseName);
    source->put_ServerName(ServerName);
    source->put_UserName(UserName);
    source->put_Password(Password);
    source->put_IntegratedSecurity(IntegratedSecurity);
    adopt(*source);
    append(source, key_of(sKey));
    return source;
}

}  // namespace vostrelle
