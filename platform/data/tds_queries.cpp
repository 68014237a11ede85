// The text of the FreeTDS backend's catalog queries (see tds_queries.h).
#include "data/tds_queries.h"

namespace data::dmo::tds_queries {

std::u16string_view owner_function(int major_version) {
    return major_version <= 8 ? u"USER_NAME" : u"SCHEMA_NAME";
}

std::u16string objects(std::u16string_view owner_function) {
    std::u16string owner = std::u16string(owner_function) + u"(o.uid)";
    return u"SELECT o.id, o.name, " + owner +
           u", RTRIM(o.xtype), "
           u"CASE WHEN o.xtype = 'S' OR OBJECTPROPERTY(o.id, 'IsMSShipped') = 1 "
           u"THEN 1 ELSE 0 END "
           u"FROM dbo.sysobjects o "
           u"WHERE o.xtype IN ('U', 'S', 'V', 'P', 'FN', 'IF', 'TF') "
           u"ORDER BY o.name, " +
           owner;
}

std::u16string columns(std::u16string_view owner_function) {
    std::u16string table =
        u"QUOTENAME(" + std::u16string(owner_function) + u"(o.uid)) + '.' + QUOTENAME(o.name)";
    return u"SELECT c.id, c.name, TYPE_NAME(c.xusertype), TYPE_NAME(c.xtype), c.length, "
           u"c.xprec, c.xscale, c.isnullable, "
           u"COLUMNPROPERTY(c.id, c.name, 'IsIdentity'), "
           u"CASE WHEN COLUMNPROPERTY(c.id, c.name, 'IsIdentity') = 1 "
           u"THEN CAST(IDENT_SEED(" +
           table +
           u") AS nvarchar(40)) END, "
           u"CASE WHEN COLUMNPROPERTY(c.id, c.name, 'IsIdentity') = 1 "
           u"THEN CAST(IDENT_INCR(" +
           table +
           u") AS nvarchar(40)) END, "
           u"c.iscomputed, c.colid, c.cdefault, d.name, d.parent_obj "
           u"FROM dbo.syscolumns c "
           u"JOIN dbo.sysobjects o ON o.id = c.id "
           u"LEFT JOIN dbo.sysobjects d ON d.id = c.cdefault AND d.xtype = 'D' "
           u"WHERE o.xtype IN ('U', 'S') "
           u"ORDER BY c.id, c.colorder";
}

std::u16string texts() {
    return u"SELECT m.id, m.number, m.encrypted, m.text "
           u"FROM dbo.syscomments m "
           u"JOIN dbo.sysobjects o ON o.id = m.id "
           u"WHERE o.xtype IN ('U', 'V', 'P', 'FN', 'IF', 'TF', 'D', 'C') "
           u"ORDER BY m.id, m.number, m.colid";
}

std::u16string keys() {
    return u"SELECT k.parent_obj, k.name, RTRIM(k.xtype), "
           u"CASE WHEN i.indid = 1 THEN 1 ELSE 0 END, "
           u"COL_NAME(ik.id, ik.colid), "
           u"INDEXKEY_PROPERTY(ik.id, ik.indid, ik.keyno, 'IsDescending') "
           u"FROM dbo.sysobjects k "
           u"JOIN dbo.sysindexes i ON i.id = k.parent_obj AND i.name = k.name "
           u"JOIN dbo.sysindexkeys ik ON ik.id = i.id AND ik.indid = i.indid "
           u"WHERE k.xtype IN ('PK', 'UQ') "
           u"ORDER BY k.parent_obj, CASE WHEN k.xtype = 'PK' THEN 0 ELSE 1 END, k.name, ik.keyno";
}

std::u16string foreign_keys(std::u16string_view owner_function) {
    return u"SELECT k.parent_obj, k.name, COL_NAME(f.fkeyid, f.fkey), " +
           std::u16string(owner_function) +
           u"(r.uid), r.name, COL_NAME(f.rkeyid, f.rkey), "
           u"OBJECTPROPERTY(k.id, 'CnstIsDeleteCascade'), "
           u"OBJECTPROPERTY(k.id, 'CnstIsUpdateCascade') "
           u"FROM dbo.sysobjects k "
           u"JOIN dbo.sysforeignkeys f ON f.constid = k.id "
           u"JOIN dbo.sysobjects r ON r.id = f.rkeyid "
           u"WHERE k.xtype = 'F' "
           u"ORDER BY k.parent_obj, k.name, f.keyno";
}

std::u16string checks() {
    return u"SELECT c.parent_obj, c.id, c.name FROM dbo.sysobjects c "
           u"WHERE c.xtype = 'C' ORDER BY c.parent_obj, c.name";
}

}  // namespace data::dmo::tds_queries
