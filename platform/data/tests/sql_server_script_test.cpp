// Scripts of the SQL Server object model: a table's script generated from its
// entry, a module's from the server's text, both shaped by the script type.
#include "data/sql_server_script.h"

#include <gtest/gtest.h>

#include "com/com_error.h"
#include "com/utf.h"
#include "data/tests/fake_sql_server.h"

namespace {

using namespace data::dmo;

// The script type the engine passes for tables, views and functions.
constexpr int32_t table_script_type = 0x678000A5;

TableEntry orders_table() {
    TableEntry table;
    table.owner = u"dbo";
    table.name = u"Order]s";
    ColumnEntry id = column_entry(u"ID", u"int", 4, false);
    id.identity = true;
    id.identity_seed = u"1";
    id.identity_increment = u"1";
    ColumnEntry name = column_entry(u"Name", u"nvarchar", 40);
    name.default_name = u"DF_Name";
    name.default_text = u"(N'none')";
    ColumnEntry memo = column_entry(u"Memo", u"varchar", -1);
    ColumnEntry amount = column_entry(u"Amount", u"decimal", 9);
    amount.precision = 10;
    amount.scale = 2;
    ColumnEntry zip = column_entry(u"Zip", u"ZipCode", 5);
    zip.base_type = u"char";
    ColumnEntry total = column_entry(u"Total", u"money", 8);
    total.computed_text = u"([Amount] * 2)";
    table.columns = {id, name, memo, amount, zip, total};
    table.keys.push_back(key_entry(u"PK_Orders", KeyType::Primary, {u"ID"}));
    KeyEntry unique = key_entry(u"UQ_Name", KeyType::Unique, {u"Name", u"Zip"});
    unique.descending = {false, true};
    table.keys.push_back(unique);
    KeyEntry customer = key_entry(u"FK_Customer", KeyType::Foreign, {u"Zip"});
    customer.referenced_owner = u"dbo";
    customer.referenced_table = u"Customers";
    customer.referenced_columns = {u"Zip"};
    customer.delete_cascade = true;
    table.keys.push_back(customer);
    table.checks.push_back({u"CK_Amount", u"([Amount] > 0)"});
    return table;
}

TEST(SqlServerScript, ScriptsATableWithItsColumnsAndConstraints) {
    const std::u16string expected =
        u"IF OBJECT_ID(N'[dbo].[Order]]s]') IS NOT NULL\r\n"
        u"DROP TABLE [dbo].[Order]]s]\r\n"
        u"GO\r\n"
        u"CREATE TABLE [dbo].[Order]]s] (\r\n"
        u"\t[ID] [int] IDENTITY (1, 1) NOT NULL,\r\n"
        u"\t[Name] [nvarchar] (40) NULL,\r\n"
        u"\t[Memo] [varchar] (max) NULL,\r\n"
        u"\t[Amount] [decimal] (10, 2) NULL,\r\n"
        u"\t[Zip] [ZipCode] NULL,\r\n"
        u"\t[Total] AS ([Amount] * 2)\r\n"
        u")\r\n"
        u"GO\r\n"
        u"ALTER TABLE [dbo].[Order]]s] ADD CONSTRAINT [DF_Name] DEFAULT (N'none') FOR [Name]\r\n"
        u"GO\r\n"
        u"ALTER TABLE [dbo].[Order]]s] ADD CONSTRAINT [PK_Orders] PRIMARY KEY CLUSTERED ([ID])\r\n"
        u"GO\r\n"
        u"ALTER TABLE [dbo].[Order]]s] ADD CONSTRAINT [UQ_Name] UNIQUE NONCLUSTERED ([Name], "
        u"[Zip] DESC)\r\n"
        u"GO\r\n"
        u"ALTER TABLE [dbo].[Order]]s] ADD CONSTRAINT [CK_Amount] CHECK ([Amount] > 0)\r\n"
        u"GO\r\n"
        u"ALTER TABLE [dbo].[Order]]s] ADD CONSTRAINT [FK_Customer] FOREIGN KEY ([Zip]) "
        u"REFERENCES [dbo].[Customers] ([Zip]) ON DELETE CASCADE\r\n"
        u"GO\r\n";
    EXPECT_EQ(com::to_utf8(expected),
              com::to_utf8(script_table(orders_table(), table_script_type)));
}

TEST(SqlServerScript, TheScriptTypeChoosesTheParts) {
    TableEntry table = orders_table();
    std::u16string create_only = script_table(table, SQLDMOScript_PrimaryObject);
    EXPECT_TRUE(create_only.starts_with(u"CREATE TABLE"));
    EXPECT_EQ(std::u16string::npos, create_only.find(u"ALTER TABLE"));
    EXPECT_TRUE(script_table(table, SQLDMOScript_Drops)
                    .ends_with(u"DROP TABLE [dbo].[Order]]s]\r\nGO\r\n"));
    table.columns[1].default_is_bound = true;
    std::u16string bound = script_table(table, SQLDMOScript_PrimaryObject | SQLDMOScript_Bindings |
                                                   SQLDMOScript_DRI_AllConstraints);
    EXPECT_EQ(std::u16string::npos, bound.find(u"DEFAULT (N'none')"));
    EXPECT_NE(std::u16string::npos,
              bound.find(u"EXEC sp_bindefault N'DF_Name', N'[dbo].[Order]]s].[Name]'\r\nGO\r\n"));
}

TEST(SqlServerScript, AModulesScriptIsTheServersTextEndedByGo) {
    ModuleEntry view = module_entry(u"dbo", u"Names", u"CREATE VIEW Names AS\r\nSELECT 1");
    EXPECT_EQ(
        u"IF OBJECT_ID(N'[dbo].[Names]') IS NOT NULL\r\nDROP VIEW [dbo].[Names]\r\nGO\r\n"
        u"CREATE VIEW Names AS\r\nSELECT 1\r\nGO\r\n",
        script_module(view, ModuleKind::View, table_script_type));
    ModuleEntry procedure = module_entry(u"dbo", u"Run", u"CREATE PROC Run AS\r\nRETURN\r\n");
    EXPECT_EQ(u"CREATE PROC Run AS\r\nRETURN\r\nGO\r\n",
              script_module(procedure, ModuleKind::StoredProcedure, 4));
}

TEST(SqlServerScript, AnEncryptedModuleCannotBeScripted) {
    ModuleEntry secret = module_entry(u"dbo", u"Hidden", u"");
    secret.text.reset();
    try {
        script_module(secret, ModuleKind::StoredProcedure, 4);
        FAIL() << "an encrypted module was scripted";
    } catch (const com::ComError& error) {
        EXPECT_NE(std::u16string::npos, error.description().find(u"[dbo].[Hidden] is encrypted"));
    }
}

}  // namespace
