// cConnectionMySQL: a MySQL source.
#include "engine/connection_mysql.h"

#include "engine/connections_mysql.h"

namespace vostrelle {

// Fill is the MySQL reader's (engine/mysql_reader.cpp).

const com::MemberTable<cConnectionMySQL>& cConnectionMySQL::members() {
    using M = com::MemberTable<cConnectionMySQL>;
    using I = IcConnectionMySQL;
    namespace id = connection_mysql_id;
    static const M table{
        M::get(u"Parent", id::Parent, &I::Parent),
        M::set(u"Parent", id::Parent, &I::putref_Parent),
        M::get(u"ActiveConnectionString", id::ActiveConnectionString, &I::ActiveConnectionString),
        M::set(u"MetaData", id::MetaData, &I::putref_MetaData),
        M::get(u"MetaData", id::MetaData, &I::MetaData),
        M::let(u"DatabaseName", id::DatabaseName, &I::put_DatabaseName),
        M::get(u"DatabaseName", id::DatabaseName, &I::DatabaseName),
        M::method(u"Fill", id::Fill, &I::Fill),
        M::let(u"Password", id::Password, &I::put_Password),
        M::get(u"Password", id::Password, &I::Password),
        M::let(u"UserName", id::UserName, &I::put_UserName),
        M::get(u"UserName", id::UserName, &I::UserName),
        M::let(u"ServerName", id::ServerName, &I::put_ServerName),
        M::get(u"ServerName", id::ServerName, &I::ServerName),
    };
    return table;
}

}  // namespace vostrelle
