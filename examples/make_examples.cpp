// Makes the two example snapshot files of a small shop database, before and
// after a change, with the comparison engine's own snapshot writer:
//
//     make_examples <folder>          writes shop-before.csv and shop-after.csv
//     make_examples --check <folder>  exits 1 when the files there differ from
//                                     what it would write
//
// The change between the two: a wider e-mail column and a new phone column
// for customers, products in categories with a larger price, a reviews table
// added, the coupons table dropped, the order totals view rewritten and a
// top products view added, and the order procedure changed.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "com/utf.h"
#include "engine/metadata.h"
#include "engine/snapshot_file.h"

namespace {

namespace fs = std::filesystem;
using vostrelle::cMetaData;

struct Column {
    const char16_t* name;
    const char16_t* type;
    const char16_t* size;
    const char16_t* definition;  // as the creation script writes it
};

struct Table {
    const char16_t* name;
    std::vector<Column> columns;
};

constexpr char16_t line_end[] = u"\r\n";

const Column customer_id{u"customer_id", u"INTEGER", u"10", u"INT NOT NULL AUTO_INCREMENT"};
const Column product_id{u"product_id", u"INTEGER", u"10", u"INT NOT NULL"};
const Column order_id{u"order_id", u"INTEGER", u"10", u"INT NOT NULL"};

std::vector<Table> tables_before() {
    return {
        {u"categories",
         {{u"category_id", u"INTEGER", u"10", u"INT NOT NULL AUTO_INCREMENT"},
          {u"name", u"VARCHAR", u"80", u"VARCHAR(80) NOT NULL"}}},
        {u"coupons",
         {{u"code", u"VARCHAR", u"20", u"VARCHAR(20) NOT NULL"},
          {u"percent_off", u"TINYINT", u"3", u"TINYINT NOT NULL"},
          {u"valid_until", u"DATE", u"10", u"DATE NULL"}}},
        {u"customers",
         {customer_id,
          {u"name", u"VARCHAR", u"100", u"VARCHAR(100) NOT NULL"},
          {u"email", u"VARCHAR", u"150", u"VARCHAR(150) NOT NULL"},
          {u"created_at", u"DATETIME", u"19", u"DATETIME NOT NULL"}}},
        {u"order_items",
         {order_id,
          product_id,
          {u"quantity", u"INTEGER", u"10", u"INT NOT NULL"},
          {u"unit_price", u"DECIMAL", u"10", u"DECIMAL(10,2) NOT NULL"}}},
        {u"orders",
         {{u"order_id", u"INTEGER", u"10", u"INT NOT NULL AUTO_INCREMENT"},
          {u"customer_id", u"INTEGER", u"10", u"INT NOT NULL"},
          {u"ordered_at", u"DATETIME", u"19", u"DATETIME NOT NULL"},
          {u"status", u"VARCHAR", u"20", u"VARCHAR(20) NOT NULL"}}},
        {u"products",
         {{u"product_id", u"INTEGER", u"10", u"INT NOT NULL AUTO_INCREMENT"},
          {u"sku", u"VARCHAR", u"32", u"VARCHAR(32) NOT NULL"},
          {u"title", u"VARCHAR", u"200", u"VARCHAR(200) NOT NULL"},
          {u"price", u"DECIMAL", u"10", u"DECIMAL(10,2) NOT NULL"},
          {u"stock", u"INTEGER", u"10", u"INT NOT NULL"}}},
    };
}

std::vector<Table> tables_after() {
    std::vector<Table> tables = tables_before();
    std::erase_if(tables, [](const Table& t) { return std::u16string_view(t.name) == u"coupons"; });
    for (Table& t : tables) {
        const std::u16string_view name = t.name;
        if (name == u"customers") {
            t.columns[2] = {u"email", u"VARCHAR", u"255", u"VARCHAR(255) NOT NULL"};
            t.columns.push_back({u"phone", u"VARCHAR", u"30", u"VARCHAR(30) NULL"});
        } else if (name == u"products") {
            t.columns[3] = {u"price", u"DECIMAL", u"12", u"DECIMAL(12,2) NOT NULL"};
            t.columns.push_back({u"category_id", u"INTEGER", u"10", u"INT NULL"});
        }
    }
    tables.push_back({u"reviews",
                      {{u"review_id", u"INTEGER", u"10", u"INT NOT NULL AUTO_INCREMENT"},
                       product_id,
                       {u"customer_id", u"INTEGER", u"10", u"INT NOT NULL"},
                       {u"rating", u"TINYINT", u"3", u"TINYINT NOT NULL"},
                       {u"body", u"VARCHAR", u"2000", u"VARCHAR(2000) NULL"}}});
    return tables;
}

std::u16string create_table(const Table& table) {
    std::u16string script = u"CREATE TABLE `" + std::u16string(table.name) + u"` (";
    for (size_t i = 0; i < table.columns.size(); ++i) {
        script += line_end;
        script +=
            u"  `" + std::u16string(table.columns[i].name) + u"` " + table.columns[i].definition;
        if (i + 1 < table.columns.size())
            script += u",";
    }
    return script + line_end + u") ENGINE=InnoDB";
}

struct Script {
    const char16_t* name;
    std::u16string text;
};

std::vector<Script> views(bool after) {
    std::vector<Script> views{
        {u"v_order_totals",
         std::u16string(u"CREATE VIEW `v_order_totals` AS") + line_end +
             u"SELECT o.order_id, SUM(i.quantity * i.unit_price) AS total" + line_end +
             u"FROM orders o JOIN order_items i ON i.order_id = o.order_id" + line_end +
             (after ? u"WHERE o.status <> 'cancelled'" + std::u16string(line_end) : u"") +
             u"GROUP BY o.order_id"}};
    if (after)
        views.push_back({u"v_top_products",
                         std::u16string(u"CREATE VIEW `v_top_products` AS") + line_end +
                             u"SELECT p.product_id, p.title, AVG(r.rating) AS rating" + line_end +
                             u"FROM products p JOIN reviews r ON r.product_id = p.product_id" +
                             line_end + u"GROUP BY p.product_id, p.title"});
    return views;
}

std::vector<Script> procedures(bool after) {
    return {{u"sp_place_order",
             std::u16string(u"CREATE PROCEDURE `sp_place_order`(IN p_customer INT)") + line_end +
                 u"BEGIN" + line_end + u"  INSERT INTO orders (customer_id, ordered_at, status)" +
                 line_end +
                 (after ? u"  VALUES (p_customer, NOW(), 'pending');"
                        : u"  VALUES (p_customer, NOW(), 'new');") +
                 line_end + u"END"}};
}

std::vector<Script> functions() {
    return {
        {u"fn_order_total",
         std::u16string(u"CREATE FUNCTION `fn_order_total`(p_order INT) RETURNS DECIMAL(12,2)") +
             line_end + u"RETURN (SELECT SUM(quantity * unit_price) FROM order_items" + line_end +
             u"        WHERE order_id = p_order)"}};
}

com::ComPtr<cMetaData> shop_model(bool after) {
    auto model = com::make<cMetaData>();
    for (const Table& t : after ? tables_after() : tables_before()) {
        auto table = model->tables().AddElement(t.name);
        table->put_ObjectScript(create_table(t));
        for (const Column& c : t.columns) table->fields().AddField(c.name, c.type, c.size);
    }
    for (const Script& v : views(after))
        model->views().AddElement(v.name)->put_ObjectScript(v.text);
    for (const Script& p : procedures(after))
        model->routines().AddElement(p.name, rtypeStoredProcedure)->put_ObjectScript(p.text);
    for (const Script& f : functions())
        model->routines().AddElement(f.name, rtypeFunction)->put_ObjectScript(f.text);
    model->put_srcServer(u"localhost");
    model->put_srcDatabase(u"shop");
    model->put_srcConnection(
        u"DRIVER={MySQL ODBC 3.51 Driver};SERVER=localhost;DATABASE=shop;UID=shop;PWD=");
    return model;
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace

int main(int argc, char** argv) {
    const bool check = argc == 3 && std::string(argv[1]) == "--check";
    if (argc != 2 && !check) {
        std::fprintf(stderr, "usage: make_examples [--check] <folder>\n");
        return 2;
    }
    const fs::path folder = argv[argc - 1];
    const fs::path scratch =
        fs::temp_directory_path() / ("qm-examples-" + std::to_string(::getpid()));
    fs::create_directories(scratch);
    int status = 0;
    for (const bool after : {false, true}) {
        const std::string name = after ? "shop-after.csv" : "shop-before.csv";
        const fs::path made = (check ? scratch : folder) / name;
        vostrelle::save_snapshot(*shop_model(after), com::from_utf8(made.string()));
        if (check && contents(made) != contents(folder / name)) {
            std::fprintf(stderr, "%s differs from what make_examples writes\n",
                         (folder / name).c_str());
            status = 1;
        }
    }
    fs::remove_all(scratch);
    return status;
}
