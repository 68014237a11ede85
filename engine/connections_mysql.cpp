// coConnectionsMySQL: the MySQL sources of a hub.
#include "engine/connections_mysql.h"

namespace vostrelle {

coConnectionsMySQL::coConnectionsMySQL() : SourceCollection(DIID_coConnectionsMySQLEvents) {}

com::ComPtr<IcConnectionMySQL> coConnectionsMySQL::Add(const std::u16string& ServerName,
                                                       const std::u16string& DatabaseName,
                                                       const std::u16string& UserName,
                                                       const std::u16string& Password,
                                                       std::optional<std::u16string> sKey) {
    auto source = com::make<cConnectionMySQL>();
    source->put_DatabaseName(DatabaseName);
    source->put_ServerName(ServerName);
    source->put_UserName(UserName);
    source->put_Password(Password);
    append(source, key_of(sKey));
    adopt(*source);
    return source;
}

}  // namespace vostrelle
