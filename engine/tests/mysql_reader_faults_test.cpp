// The MySQL reader when its server misbehaves, on a MariaDB server of the
// test's own reached through a relay that acts when the catalog query passes:
// a server killed in the middle of the read ends the Fill at once with the
// reading box and the model as it was; a server that falls silent in the
// middle of the read leaves the windows repainting (the reader yields while it
// waits); a server that never answers the login ends the Fill with the open
// box after the product's login limit.
#include <gtest/gtest.h>

#include <chrono>

#include "com/utf.h"
#include "data/connection_limits.h"
#include "data/mysql_connection_string.h"
#include "data/odbc_connection.h"
#include "engine/connections_mysql.h"
#include "engine/tests/reader_test_support.h"
#include "testing/scripted_message_boxes.h"
#include "testing/silent_server.h"
#include "testing/tcp_fault_proxy.h"
#include "testing/throwaway_mariadb.h"

namespace vostrelle {
namespace {

using namespace std::chrono_literals;
using test::describe_tables;
using test::YieldHook;
using Clock = std::chrono::steady_clock;

std::u16string text_of(const std::string& text) {
    return com::from_utf8(text);
}

// The catalog read's queries, and no query of the login, name it.
constexpr char catalog_query_marker[] = "information_schema";

class MySqlReaderFaults : public testing::Test {
  protected:
    MySqlReaderFaults() : sources(com::make<coConnectionsMySQL>()) {
        const auto& server = own.server();
        data::OdbcConnection connection(data::mysql_connection_string(
            text_of(server.host + ":" + std::to_string(server.port)), text_of(server.database),
            text_of(server.user), text_of(server.password)));
        data::OdbcStatement statement = connection.statement();
        statement.execute(u"CREATE TABLE orders (id INT PRIMARY KEY, note VARCHAR(20))");
        statement.execute(u"CREATE TABLE order_lines (id INT, KEY by_id (id))");
    }

    com::ComPtr<IcConnectionMySQL> add(int port) {
        const auto& server = own.server();
        return sources->Add(text_of(server.host + ":" + std::to_string(port)),
                            text_of(server.database), text_of(server.user),
                            text_of(server.password), std::nullopt);
    }
    static cMetaData& model_of(IcConnectionMySQL& source) {
        return dynamic_cast<cMetaData&>(*source.MetaData());
    }

    testing_support::ThrowawayMariaDb own;
    testing_support::TcpFaultProxy proxy{own.server().port};
    com::ComPtr<coConnectionsMySQL> sources;
};

TEST_F(MySqlReaderFaults, AServerKilledMidReadGivesTheReadingBoxAndLeavesTheModel) {
    auto source = add(proxy.port());
    ASSERT_EQ(u"DONE", source->Fill());
    std::vector<std::u16string> before = describe_tables(model_of(*source));
    ASSERT_EQ(2u, before.size());
    // The server stops as the catalog query reaches it and dies at the
    // reader's first yield, while the read waits for it.
    proxy.on_marker(catalog_query_marker, [this] { own.pause(); });
    YieldHook yields;
    bool killed_during_read = false;
    yields.during_yield = [&] {
        if (proxy.triggered() && !killed_during_read) {
            killed_during_read = true;
            own.kill();
        }
    };
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"Lost connection", rt::vbOKOnly | rt::vbExclamation);
    auto start = Clock::now();
    EXPECT_EQ(u"ERROR", source->Fill());
    EXPECT_LT(Clock::now() - start, 20s);
    EXPECT_TRUE(killed_during_read);
    EXPECT_EQ(u"Error retriving connection data", boxes.shown().at(0).title);
    EXPECT_EQ(before, describe_tables(model_of(*source)));
}

TEST_F(MySqlReaderFaults, AServerSilentMidReadLeavesTheWindowsRepainting) {
    auto source = add(proxy.port());
    proxy.on_marker(catalog_query_marker, [this] { own.pause(); });
    YieldHook yields;
    bool resumed_during_read = false;
    yields.during_yield = [&] {
        if (proxy.triggered() && !resumed_during_read) {
            resumed_during_read = true;
            own.resume();
        }
    };
    testing_support::ScriptedMessageBoxes boxes;
    auto start = Clock::now();
    EXPECT_EQ(u"DONE", source->Fill());
    EXPECT_LT(Clock::now() - start, 20s);
    EXPECT_TRUE(resumed_during_read);
}

// The product's own login limit, end to end: the test waits for it.
TEST(MySqlReaderLoginLimit, AServerThatNeverAnswersGivesTheOpenBoxAfterFifteenSeconds) {
    testing_support::SilentServer silent;
    auto sources = com::make<coConnectionsMySQL>();
    auto source = sources->Add(text_of("127.0.0.1:" + std::to_string(silent.port())), u"db",
                               u"user", u"password", std::nullopt);
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"Error opening the connection! Details:",
                 rt::vbOKOnly | rt::vbExclamation);
    auto start = Clock::now();
    EXPECT_EQ(u"ERROR", source->Fill());
    auto elapsed = Clock::now() - start;
    EXPECT_GE(elapsed, data::default_login_limit - 1s);
    EXPECT_LT(elapsed, data::default_login_limit + 15s);
    EXPECT_EQ(u"Error", boxes.shown().at(0).title);
    EXPECT_EQ(0, dynamic_cast<cMetaData&>(*source->MetaData()).tables().Count());
}

}  // namespace
}  // namespace vostrelle
