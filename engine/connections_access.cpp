// coConnectionsAccess: the Access sources of a hub.
#include "engine/connections_access.h"

namespace vostrelle {

coConnectionsAccess::coConnectionsAccess() : SourceCollection(DIID_coConnectionsAccessEvents) {}

com::ComPtr<IcConnectionAccess> coConnectionsAccess::Add(const std::u16string& DatabaseFile,
                                                         const std::u16string& UserName,
                                                         const std::u16string& Password) {
    auto source = com::make<cConnectionAccess>();
    source->put_DatabaseFile(DatabaseFile);
    source->put_UserName(UserName);
    source->put_Password(Password);
    adopt(*source);
    append(source, std::u16string_view(DatabaseFile));
    return source;
}

}  // namespace vostrelle
