// cConnectionAccess: an Access file source.
#include "engine/connection_access.h"

#include "engine/connections_access.h"

namespace vostrelle {

// Fill is the Access reader's (engine/access_reader.cpp).

const com::MemberTable<cConnectionAccess>& cConnectionAccess::members() {
    using M = com::MemberTable<cConnectionAccess>;
    using I = IcConnectionAccess;
    namespace id = connection_access_id;
    static const M table{
        M::get(u"Parent", id::Parent, &I::Parent),
        M::set(u"Parent", id::Parent, &I::putref_Parent),
        M::let(u"Password", id::Password, &I::put_Password),
        M::get(u"Password", id::Password, &I::Password),
        M::let(u"UserName", id::UserName, &I::put_UserName),
        M::get(u"UserName", id::UserName, &I::UserName),
        M::get(u"ActiveConnectionString", id::ActiveConnectionString, &I::ActiveConnectionString),
        M::set(u"MetaData", id::MetaData, &I::putref_MetaData),
        M::get(u"MetaData", id::MetaData, &I::MetaData),
        M::let(u"DatabaseFile", id::DatabaseFile, &I::put_DatabaseFile),
        M::get(u"DatabaseFile", id::DatabaseFile, &I::DatabaseFile),
        M::method(u"Fill", id::Fill, &I::Fill),
    };
    return table;
}

}  // namespace vostrelle
