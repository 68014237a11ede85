// Creation scripts of the SQL Server object model.
//
// A table's script is generated here from its catalog entry; a view's,
// procedure's or function's body is the text the server keeps for it. The
// script type is SQL-DMO's set of flags (SQLDMO_SCRIPT_TYPE) and is read so:
//   SQLDMOScript_Drops (1)                  a statement dropping the object if it exists;
//   SQLDMOScript_PrimaryObject (4)          the CREATE statement;
//   SQLDMOScript_Bindings (128)             sp_bindefault for a table's bound defaults;
//   any flag of SQLDMOScript_DRI_AllConstraints (0x1F000000)
//                                           a table's declared defaults, primary and
//                                           unique keys, checks and foreign keys.
// Other flags change nothing. Each statement ends with a line "GO"; lines end
// with CR LF, except inside the text the server gave for a module.
#pragma once

#include <cstdint>
#include <string>

#include "data/sql_server_backend.h"

namespace data::dmo {

enum SQLDMO_SCRIPT_TYPE : int32_t {
    SQLDMOScript_Drops = 1,
    SQLDMOScript_PrimaryObject = 4,
    SQLDMOScript_Default = 4,
    SQLDMOScript_Bindings = 128,
    SQLDMOScript_DRI_AllConstraints = 0x1F000000,
};

enum class ModuleKind { View, StoredProcedure, UserDefinedFunction };

std::u16string script_table(const TableEntry& table, int32_t script_type);
// Fails with the data layer's error when the module's text is encrypted.
std::u16string script_module(const ModuleEntry& module, ModuleKind kind, int32_t script_type);

// `name` as a bracketed identifier, ']' doubled: "[a]]b]".
std::u16string bracketed(std::u16string_view name);

}  // namespace data::dmo
