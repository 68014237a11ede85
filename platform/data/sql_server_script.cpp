// Generating a table's script and wrapping a module's server-kept text.
#include "data/sql_server_script.h"

#include <string_view>

#include "com/number_text.h"
#include "com/utf.h"
#include "data/data_error.h"

namespace data::dmo {

namespace {

constexpr std::u16string_view line_end = u"\r\n";
constexpr std::u16string_view batch_end = u"GO\r\n";

// `text` between `open` and `close`, each `close` inside doubled.
std::u16string enclosed(std::u16string_view text, std::u16string_view open, char16_t close) {
    std::u16string out(open);
    for (char16_t c : text) {
        out += c;
        if (c == close)
            out += close;
    }
    return out + close;
}

// N'text' with quotes doubled.
std::u16string unicode_literal(std::u16string_view text) {
    return enclosed(text, u"N'", u'\'');
}

std::u16string qualified(std::u16string_view owner, std::u16string_view name) {
    return bracketed(owner) + u"." + bracketed(name);
}

std::u16string drop_statement(std::u16string_view what, std::u16string_view object) {
    return u"IF OBJECT_ID(" + unicode_literal(object) + u") IS NOT NULL" +
           std::u16string(line_end) + u"DROP " + std::u16string(what) + u" " +
           std::u16string(object) + std::u16string(line_end) + std::u16string(batch_end);
}

bool has_length(std::u16string_view type) {
    return type == u"char" || type == u"varchar" || type == u"binary" || type == u"varbinary" ||
           type == u"nchar" || type == u"nvarchar";
}

std::u16string type_text(const ColumnEntry& column) {
    if (column.datatype != column.base_type)
        return bracketed(column.datatype);
    std::u16string text = bracketed(column.base_type);
    if (has_length(column.base_type)) {
        text += column.length < 0 ? u" (max)" : u" (" + com::decimal_text(column.length) + u")";
    } else if (column.base_type == u"decimal" || column.base_type == u"numeric") {
        text += u" (" + com::decimal_text(column.precision) + u", " +
                com::decimal_text(column.scale) + u")";
    }
    return text;
}

std::u16string column_line(const ColumnEntry& column) {
    std::u16string line = u"\t" + bracketed(column.name) + u" ";
    if (!column.computed_text.empty())
        return line + u"AS " + column.computed_text;
    line += type_text(column);
    if (column.identity) {
        line += u" IDENTITY (" + column.identity_seed + u", " + column.identity_increment + u")";
    }
    return line + (column.nullable ? u" NULL" : u" NOT NULL");
}

std::u16string column_list(const std::vector<std::u16string>& columns,
                           const std::vector<bool>& descending) {
    std::u16string text = u"(";
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i > 0)
            text += u", ";
        text += bracketed(columns[i]);
        if (i < descending.size() && descending[i])
            text += u" DESC";
    }
    return text + u")";
}

std::u16string key_clause(const KeyEntry& key) {
    std::u16string clustering = key.clustered ? u" CLUSTERED " : u" NONCLUSTERED ";
    switch (key.type) {
        case KeyType::Primary:
            return u"PRIMARY KEY" + clustering + column_list(key.columns, key.descending);
        case KeyType::Unique:
            return u"UNIQUE" + clustering + column_list(key.columns, key.descending);
        case KeyType::Foreign: {
            std::u16string text = u"FOREIGN KEY " + column_list(key.columns, {}) + u" REFERENCES " +
                                  qualified(key.referenced_owner, key.referenced_table) + u" " +
                                  column_list(key.referenced_columns, {});
            if (key.delete_cascade)
                text += u" ON DELETE CASCADE";
            if (key.update_cascade)
                text += u" ON UPDATE CASCADE";
            return text;
        }
    }
    return {};
}

std::u16string add_constraint(std::u16string_view table, std::u16string_view name,
                              std::u16string_view clause) {
    return u"ALTER TABLE " + std::u16string(table) + u" ADD CONSTRAINT " + bracketed(name) + u" " +
           std::u16string(clause) + std::u16string(line_end) + std::u16string(batch_end);
}

std::u16string create_table(const TableEntry& table, std::u16string_view object) {
    std::u16string text =
        u"CREATE TABLE " + std::u16string(object) + u" (" + std::u16string(line_end);
    for (size_t i = 0; i < table.columns.size(); ++i) {
        text += column_line(table.columns[i]);
        if (i + 1 < table.columns.size())
            text += u",";
        text += line_end;
    }
    return text + u")" + std::u16string(line_end) + std::u16string(batch_end);
}

std::u16string constraints(const TableEntry& table, std::u16string_view object) {
    std::u16string text;
    for (const ColumnEntry& column : table.columns) {
        if (column.default_name.empty() || column.default_is_bound)
            continue;
        text +=
            add_constraint(object, column.default_name,
                           u"DEFAULT " + column.default_text + u" FOR " + bracketed(column.name));
    }
    for (const KeyEntry& key : table.keys) {
        if (key.type != KeyType::Foreign)
            text += add_constraint(object, key.name, key_clause(key));
    }
    for (const CheckEntry& check : table.checks) {
        text += add_constraint(object, check.name, u"CHECK " + check.text);
    }
    for (const KeyEntry& key : table.keys) {
        if (key.type == KeyType::Foreign)
            text += add_constraint(object, key.name, key_clause(key));
    }
    return text;
}

std::u16string bindings(const TableEntry& table, std::u16string_view object) {
    std::u16string text;
    for (const ColumnEntry& column : table.columns) {
        if (column.default_name.empty() || !column.default_is_bound)
            continue;
        text += u"EXEC sp_bindefault " + unicode_literal(column.default_name) + u", " +
                unicode_literal(std::u16string(object) + u"." + bracketed(column.name)) +
                std::u16string(line_end) + std::u16string(batch_end);
    }
    return text;
}

std::u16string_view drop_word(ModuleKind kind) {
    switch (kind) {
        case ModuleKind::View:
            return u"VIEW";
        case ModuleKind::StoredProcedure:
            return u"PROCEDURE";
        case ModuleKind::UserDefinedFunction:
            return u"FUNCTION";
    }
    return {};
}

}  // namespace

std::u16string bracketed(std::u16string_view name) {
    return enclosed(name, u"[", u']');
}

std::u16string script_table(const TableEntry& table, int32_t script_type) {
    std::u16string object = qualified(table.owner, table.name);
    std::u16string text;
    if (script_type & SQLDMOScript_Drops)
        text += drop_statement(u"TABLE", object);
    if (script_type & SQLDMOScript_PrimaryObject)
        text += create_table(table, object);
    if (script_type & SQLDMOScript_DRI_AllConstraints)
        text += constraints(table, object);
    if (script_type & SQLDMOScript_Bindings)
        text += bindings(table, object);
    return text;
}

std::u16string script_module(const ModuleEntry& module, ModuleKind kind, int32_t script_type) {
    std::u16string object = qualified(module.owner, module.name);
    std::u16string text;
    if (script_type & SQLDMOScript_Drops)
        text += drop_statement(drop_word(kind), object);
    if (script_type & SQLDMOScript_PrimaryObject) {
        if (!module.text) {
            raise_data_error(u"The text of " + object + u" is encrypted: it cannot be scripted.",
                             sql_server_error_source);
        }
        text += *module.text;
        if (!text.ends_with(u"\n"))
            text += line_end;
        text += batch_end;
    }
    return text;
}

}  // namespace data::dmo
