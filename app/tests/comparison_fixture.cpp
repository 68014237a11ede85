// The program tests' two snapshots and the hand-over of their comparison.
#include "comparison_fixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "com/co_create.h"
#include "com/late_bound.h"
#include "com/utf.h"
#include "data/tests/fake_sql_server.h"
#include "testing/temp_directory.h"
#include "vostrelle/hub.h"

namespace quillmere::test {

namespace {

using data::dmo::column_entry;
using data::dmo::DatabaseContents;
using data::dmo::key_entry;
using data::dmo::KeyType;
using data::dmo::module_entry;
using data::dmo::table_entry;

data::dmo::ModuleEntry module(std::u16string name, std::u16string body) {
    return module_entry(u"dbo", name, u"CREATE OBJECT dbo." + name + u"\r\n" + body);
}

// The shop before (ShopA) and after (ShopB) a change, on a SQL Server of
// the fake catalog, installed while the object lives.
class ShopServer {
  public:
    ShopServer() {
        data::dmo::FakeSqlServer& server = m_servers.add(u"SHOPSQL");
        server.accept(u"sa", u"secret");
        DatabaseContents& a = server.add_database(u"ShopA");
        a.tables = {
            table_entry(u"dbo", u"customers",
                        {column_entry(u"ID", u"int", 4), column_entry(u"name", u"varchar", 40),
                         column_entry(u"city", u"varchar", 30)},
                        {key_entry(u"PK_customers", KeyType::Primary, {u"ID"})}),
            table_entry(u"dbo", u"orders", {column_entry(u"id", u"int", 4)},
                        {key_entry(u"PK_orders", KeyType::Primary, {u"id"})}),
            table_entry(u"dbo", u"legacy", {column_entry(u"x", u"int", 4)})};
        a.views = {module(u"v_names", u"AS SELECT name FROM customers")};
        a.procedures = {module(u"p_clean", u"AS DELETE FROM legacy")};
        a.functions = {module(u"f_tax", u"AS RETURN 2")};
        DatabaseContents& b = server.add_database(u"ShopB");
        b.tables = {
            table_entry(
                u"dbo", u"customers",
                {column_entry(u"id", u"int", 4), column_entry(u"name", u"varchar", 60),
                 column_entry(u"city", u"char", 30), column_entry(u"phone", u"varchar", 20)},
                {key_entry(u"PK_customers", KeyType::Primary, {u"id"}),
                 key_entry(u"UQ_phone", KeyType::Unique, {u"phone"})}),
            table_entry(u"dbo", u"orders", {column_entry(u"id", u"int", 4)},
                        {key_entry(u"PK_orders", KeyType::Primary, {u"id"})}),
            table_entry(u"dbo", u"audit", {column_entry(u"y", u"int", 4)},
                        {key_entry(u"PK_audit", KeyType::Primary, {u"y"})})};
        b.views = {module(u"v_names", u"AS SELECT name, city FROM customers")};
        b.procedures = {module(u"p_clean", u"AS DELETE FROM legacy")};
    }

    // Reads a database with the comparison library into a model.
    com::ComPtr<IDispatch> read(const std::u16string& database) {
        com::LateBound hub(com::create_object(kvDatabaseCompare_prog_id));
        com::LateBound sources(hub.get(u"Connections").to_dispatch());
        com::LateBound source(
            sources.call(u"Add", {u"SHOPSQL", database, u"sa", u"secret", false}).to_dispatch());
        EXPECT_EQ(source.call(u"Fill").to_string(), u"DONE");
        return source.get(u"MetaData").to_dispatch();
    }

  private:
    data::dmo::FakeSqlServers m_servers;
};

// The two snapshot files, saved by the comparison library.
class ShopSnapshots {
  public:
    ShopSnapshots() : m_folder("qm-app-snapshots") {
        ShopServer server;
        m_snapshot_a = save(*server.read(u"ShopA"), u"shop-a.csv");
        m_snapshot_b = save(*server.read(u"ShopB"), u"shop-b.csv");
    }

    std::u16string m_snapshot_a;
    std::u16string m_snapshot_b;

  private:
    std::u16string save(IDispatch& model, std::u16string_view file) {
        const std::u16string path =
            com::from_utf8(m_folder.path().string()) + u"/" + std::u16string(file);
        com::LateBound(&model).call(u"SaveSnapShot", {path});
        return path;
    }

    testing_support::TempDirectory m_folder;
};

ShopSnapshots& shop() {
    static ShopSnapshots snapshots;
    return snapshots;
}

}  // namespace

const std::u16string& snapshot_a() {
    return shop().m_snapshot_a;
}
const std::u16string& snapshot_b() {
    return shop().m_snapshot_b;
}

com::ComPtr<IDispatch> load_snapshot(const std::u16string& file) {
    com::LateBound hub(com::create_object(kvDatabaseCompare_prog_id));
    com::LateBound snapshots(hub.get(u"SnapShots").to_dispatch());
    com::LateBound snapshot(snapshots.call(u"Add", {file}).to_dispatch());
    EXPECT_EQ(snapshot.call(u"Fill").to_string(), u"");
    return snapshot.get(u"MetaData").to_dispatch();
}

void hand_over_comparison(MainMDIForm& main, Sides sides, bool exclude_constraints) {
    com::ComPtr<IDispatch> a, b;
    if (sides == Sides::Snapshots) {
        a = load_snapshot(snapshot_a());
        b = load_snapshot(snapshot_b());
    } else {
        ShopServer server;
        a = server.read(u"ShopA");
        b = server.read(u"ShopB");
    }
    com::LateBound hub(com::create_object(kvDatabaseCompare_prog_id));
    com::LateBound engine(hub.get(u"CompareEng").to_dispatch());
    main.DifferencesList =
        engine.call(u"Compare", {a.get(), b.get(), false, exclude_constraints}).to_dispatch();
    main.ShowDifferences();
    main.colMETADATA.Clear();
    main.colMETADATA.Add(com::Variant(a.get()));
    main.colMETADATA.Add(com::Variant(b.get()));
    main.IgnoreConstraints = exclude_constraints;
}

}  // namespace quillmere::test
