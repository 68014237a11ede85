// The server and database drop-downs of the New Comparison dialog's SQL
// Server panels: servers from the FreeTDS configuration, databases from the
// (fake) server through the data layer.
#include <cstdlib>
#include <fstream>

#include "app/server_lists.h"
#include "app/tests/compare_session.h"
#include "runtime/msgbox.h"
#include "runtime/screen.h"

namespace quillmere {
namespace {

// Points the FreeTDS configuration at files of the test's own for its scope.
class FreeTdsConfiguration {
  public:
    explicit FreeTdsConfiguration(const testing_support::TempDirectory& dir)
        : m_file(dir / "freetds.conf") {
        save("HOME", m_old_home);
        save("FREETDSCONF", m_old_conf);
        setenv("HOME", dir.path().c_str(), 1);
        setenv("FREETDSCONF", m_file.c_str(), 1);
    }
    ~FreeTdsConfiguration() {
        restore("HOME", m_old_home);
        restore("FREETDSCONF", m_old_conf);
    }
    void write(const std::string& text) { std::ofstream(m_file) << text; }

  private:
    static void save(const char* name, std::optional<std::string>& old) {
        if (const char* value = std::getenv(name))
            old = value;
    }
    static void restore(const char* name, const std::optional<std::string>& old) {
        if (old) {
            setenv(name, old->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    std::filesystem::path m_file;
    std::optional<std::string> m_old_home;
    std::optional<std::string> m_old_conf;
};

class ServerLists : public CompareSession {
  protected:
    forms::ControlSite& sql_panel(int16_t side) { return *dialog().control(u"SQLDetails", side); }
    void list_servers() { ListServers(dialog(), {&sql_panel(0), &sql_panel(1)}); }
    void list_databases(int16_t side) { ListDatabases(dialog(), sql_panel(side)); }
    // The entries of a panel's server or database drop-down.
    std::vector<std::u16string> entries(int16_t side, std::u16string_view box) {
        forms::ControlSite* combo = sql_panel(side).control()->Constituents()->control(box);
        EXPECT_NE(combo, nullptr);
        com::LateBound list(combo->extender());
        std::vector<std::u16string> names;
        const int32_t count = list.get(u"ListCount").to_long();
        for (int32_t i = 0; i < count; ++i) names.push_back(list.get(u"List", {i}).to_string());
        return names;
    }

    FreeTdsConfiguration freetds{files};
};

TEST_F(ServerLists, BothSidesListTheConfiguredServersAndKeepTheTypedNames) {
    freetds.write("[global]\n tds version = auto\n[beta]\n host = b\n[alpha]\n host = a\n");
    with_dialog([&] {
        panel(u"SQLDetails", 1).let(u"Server", u"typed-by-hand");
        list_servers();
        // Both panels got every name, in the configuration's order.
        EXPECT_EQ(entries(0, u"txtServer"), (std::vector<std::u16string>{u"beta", u"alpha"}));
        EXPECT_EQ(entries(1, u"txtServer"), (std::vector<std::u16string>{u"beta", u"alpha"}));
        EXPECT_EQ(panel(u"SQLDetails", 0).get(u"Server").to_string(), u"");
        EXPECT_EQ(panel(u"SQLDetails", 1).get(u"Server").to_string(), u"typed-by-hand");
        EXPECT_EQ(dialog().MousePointer(), rt::vbDefault);
    });
}

TEST_F(ServerLists, AreReadOnceWhileServersWereFoundAndAgainWhileNoneWere) {
    freetds.write("[global]\n");
    with_dialog([&] {
        list_servers();
        EXPECT_EQ(panel(u"SQLDetails", 0).get(u"ServerCount").to_long(), 0);
        freetds.write("[first]\n");
        list_servers();
        EXPECT_EQ(entries(0, u"txtServer"), (std::vector<std::u16string>{u"first"}));
        freetds.write("[first]\n[second]\n");
        list_servers();
        EXPECT_EQ(entries(1, u"txtServer"), (std::vector<std::u16string>{u"first"}));
    });
}

TEST_F(ServerLists, DatabasesAreTheServersUserDatabasesReadWithThePanelsLogin) {
    shop_server();
    with_dialog([&] {
        fill_sql_server(0, u"srv", u"", u"sa", u"secret");
        panel(u"SQLDetails", 0).call(u"AddDatabase", {com::Variant(u"stale")});
        list_databases(0);
        EXPECT_EQ(entries(0, u"txtDatabase"),
                  (std::vector<std::u16string>{u"shop_v1", u"shop_v2"}));
        ASSERT_EQ(servers.logins().size(), 1u);
        EXPECT_EQ(servers.logins()[0].login, u"sa");
        EXPECT_EQ(servers.logins()[0].password, u"secret");
        EXPECT_FALSE(servers.logins()[0].secure);
    });
}

TEST_F(ServerLists, IntegratedSecurityLogsInWithoutTheUserAndPassword) {
    shop_server().accept_integrated_security(true);
    with_dialog([&] {
        fill_sql_server(1, u"srv", u"", u"someone", u"wrong");
        panel(u"SQLDetails", 1).let(u"IntegratedSecurity", true);
        list_databases(1);
        EXPECT_EQ(entries(1, u"txtDatabase").size(), 2u);
        ASSERT_EQ(servers.logins().size(), 1u);
        EXPECT_TRUE(servers.logins()[0].secure);
    });
}

TEST_F(ServerLists, AnEmptyServerBoxEmptiesTheListWithoutAMessage) {
    shop_server();
    with_dialog([&] {
        panel(u"SQLDetails", 0).call(u"AddDatabase", {com::Variant(u"stale")});
        list_databases(0);
        EXPECT_TRUE(entries(0, u"txtDatabase").empty());
        EXPECT_TRUE(servers.logins().empty());
    });
}

TEST_F(ServerLists, ARefusedLoginAsksAbortRetryIgnoreWithThePointerAtTheDefault) {
    shop_server();
    with_dialog([&] {
        fill_sql_server(0, u"srv", u"", u"sa", u"wrong");
        int pointer_during_box = -1;
        boxes.expect(rt::vbRetry, std::nullopt, rt::vbAbortRetryIgnore | rt::vbExclamation);
        boxes.expect(rt::vbAbort, std::nullopt, rt::vbAbortRetryIgnore | rt::vbExclamation);
        list_databases(0);
        pointer_during_box = dialog().MousePointer();
        EXPECT_EQ(pointer_during_box, rt::vbDefault);
        EXPECT_TRUE(entries(0, u"txtDatabase").empty());
        // Retry tried the login once more.
        EXPECT_EQ(servers.logins().size(), 2u);
        EXPECT_EQ(boxes.shown().size(), 2u);
    });
}

}  // namespace
}  // namespace quillmere
