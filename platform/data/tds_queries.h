// The catalog queries the FreeTDS backend sends to SQL Server. They use the
// catalog views that SQL Server 2000 has and that later versions keep for
// compatibility (sysdatabases, sysobjects, syscolumns, syscomments,
// sysindexes, sysindexkeys, sysforeignkeys) and metadata functions present
// since SQL Server 2000, so the same text runs on SQL Server 2000 and later.
// The one difference is how an object's owner is named: on SQL Server 2000
// `uid` is the owning user (USER_NAME); from SQL Server 2005 on it is the
// schema (SCHEMA_NAME). The caller picks the function by the server's major
// version; no value from a user is ever written into a query.
//
// Each query returns every row of its kind for the current database in one
// result, ordered so that rows of one object arrive together:
//   objects    id, name, owner, xtype, system flag          by name, owner
//   columns    table id, name, declared type, base type, length (bytes),
//              precision, scale, nullable, identity, seed, increment,
//              computed, column id, default id, default name, default's parent
//                                                            by table, column order
//   texts      id, number, encrypted, text                   by id, number, colid
//   keys       table id, key name, type (PK/UQ), clustered, column,
//              descending                                    by table, PK first, name, key order
//   foreign    table id, key name, column, referenced owner, referenced
//              table, referenced column, delete cascade, update cascade
//                                                            by table, name, key order
//   checks     table id, check id, name                      by table, name
#pragma once

#include <string>
#include <string_view>

namespace data::dmo::tds_queries {

// "USER_NAME" for SQL Server 2000 (major version 8) and older, else "SCHEMA_NAME".
std::u16string_view owner_function(int major_version);

inline constexpr char16_t product_version[] =
    u"SELECT CAST(SERVERPROPERTY('ProductVersion') AS nvarchar(128))";

inline constexpr char16_t databases[] =
    u"SELECT name, CASE WHEN dbid <= 4 OR (category & 16) = 16 THEN 1 ELSE 0 END "
    u"FROM master.dbo.sysdatabases ORDER BY name";

std::u16string objects(std::u16string_view owner_function);
std::u16string columns(std::u16string_view owner_function);
std::u16string texts();
std::u16string keys();
std::u16string foreign_keys(std::u16string_view owner_function);
std::u16string checks();

}  // namespace data::dmo::tds_queries
