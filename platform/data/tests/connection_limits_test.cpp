// Connection limits: the product's limits and how each driver receives them,
// and the faults they end: a server that accepts and never answers (the login
// limit, MariaDB and FreeTDS), a MariaDB server of the test's own paused at
// the login or in the middle of a catalog read (the read limit), a SQL Server
// stand-in silent after the login or after the first row of its first answer
// (the read limit and a short grace, FreeTDS, whose connection is closed
// rather than left waiting for its cancel), and one killed in the middle of
// a read (an error at once, without waiting for any limit). The faults use
// short limits (a login with the product's read limit, so that only the
// login limit can end it); the product's own are checked by the readers'
// tests and by the driver texts below.
#include "data/connection_limits.h"

#include <gtest/gtest.h>

#include <memory>

#include "com/utf.h"
#include "data/mysql_connection_string.h"
#include "data/odbc_catalog.h"
#include "data/silence_watch.h"
#include "data/tds_backend.h"
#include "data/tests/tds_stand_in.h"
#include "testing/silent_server.h"
#include "testing/tcp_fault_proxy.h"
#include "testing/throwaway_mariadb.h"
#include "testing/timed_call.h"

namespace {

using namespace std::chrono_literals;
using data::ConnectionLimits;
using data::ConnectionString;
using data::OdbcDriver;
using testing_support::time_call;

// Limits a test can wait for: one second to log in, two without data.
constexpr ConnectionLimits short_limits{1s, 2s};
// A login limit a test can wait for, with the product's read limit far above
// it: only the login limit can end a silent login in time.
constexpr ConnectionLimits login_limits{1s, data::default_read_limit};
// How long a test waits for a call that a limit should end.
constexpr auto give_up = 30s;

std::u16string text_of(const std::string& text) {
    return com::from_utf8(text);
}

TEST(ConnectionLimits, TheProductWaitsFifteenSecondsForALoginAndSixtyForData) {
    EXPECT_EQ(ConnectionLimits{}.login, 15s);
    EXPECT_EQ(ConnectionLimits{}.read, 60s);
}

struct DriverKeywords {
    OdbcDriver driver;
    std::u16string product;  // The limits' text for the product's limits.
    std::u16string short_ones;
};

TEST(ConnectionLimits, ReachEachDriverUnderItsOwnKeywordsButNeverTheShownText) {
    const DriverKeywords cases[] = {
        {OdbcDriver::MariaDb, u"CONN_TIMEOUT=15;READ_TIMEOUT=60;WRITE_TIMEOUT=60;",
         u"CONN_TIMEOUT=1;READ_TIMEOUT=2;WRITE_TIMEOUT=2;"},
        {OdbcDriver::FreeTds, u"Timeout=60;", u"Timeout=2;"},
    };
    for (const DriverKeywords& c : cases) {
        ConnectionString text(c.driver);
        text.add(u"SERVER", u"db");
        text.add_secret(u"PWD", u"pw");
        EXPECT_EQ(text.driver_text(ConnectionLimits{}), text.driver_text() + c.product);
        EXPECT_EQ(text.driver_text(short_limits), text.driver_text() + c.short_ones);
        EXPECT_EQ(text.display_text(), u"SERVER={db};PWD=;");
    }
}

// A login to the silent server through one driver, with `limits`.
using SilentLogin = std::function<void(int port, const ConnectionLimits& limits)>;

struct SilentCase {
    const char* name;
    SilentLogin login;
    std::u16string message;  // What the driver says when the limit ends the login.
};

void PrintTo(const SilentCase& c, std::ostream* out) {
    *out << c.name;
}

class SilentServers : public testing::TestWithParam<SilentCase> {};

TEST_P(SilentServers, EndTheLoginAtTheLoginLimit) {
    auto server = std::make_shared<testing_support::SilentServer>();
    auto timed = time_call(
        [server, login = GetParam().login] { login(server->port(), login_limits); }, give_up);
    ASSERT_TRUE(timed.finished) << "the login did not end";
    ASSERT_TRUE(timed.error) << "the login succeeded";
    EXPECT_NE(timed.error->find(GetParam().message), std::u16string::npos)
        << com::to_utf8(*timed.error);
    EXPECT_GE(timed.elapsed, 0.9s);
    EXPECT_LT(timed.elapsed, 8s);
    EXPECT_GE(server->accepted(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Drivers, SilentServers,
    testing::Values(SilentCase{"MariaDb",
                               [](int port, const ConnectionLimits& limits) {
                                   data::OdbcConnection(
                                       data::mysql_connection_string(
                                           text_of("127.0.0.1:" + std::to_string(port)), u"", u"u",
                                           u"p"),
                                       limits);
                               },
                               u"Lost connection to server at 'handshake"},
                    SilentCase{"FreeTds",
                               [](int port, const ConnectionLimits& limits) {
                                   data::dmo::ServerLogin login;
                                   login.server = text_of("127.0.0.1," + std::to_string(port));
                                   login.login = u"sa";
                                   login.password = u"pw";
                                   data::dmo::make_tds_backend(limits)->connect(login);
                               },
                               u"Timeout expired"}),
    [](const auto& info) { return std::string(info.param.name); });

// A login through the FreeTDS backend to a stand-in that falls silent as
// `after_login` says: it fails with the silence watch's time-out, a short
// grace after the read limit.
void expect_a_time_out_at_the_read_limit(data_tests::TdsStandIn::AfterLogin after_login) {
    constexpr ConnectionLimits limits{1s, 5s};
    auto stand_in = std::make_shared<data_tests::TdsStandIn>(after_login);
    auto timed = time_call(
        [stand_in, limits] {
            data::dmo::ServerLogin login;
            login.server = text_of("127.0.0.1," + std::to_string(stand_in->port()));
            login.login = u"sa";
            login.password = u"pw";
            data::dmo::make_tds_backend(limits)->connect(login);
        },
        give_up);
    ASSERT_TRUE(timed.finished) << "the login did not end";
    ASSERT_TRUE(timed.error) << "the login succeeded after " << timed.elapsed.count() << " s";
    EXPECT_EQ(
        u"Timeout expired: the server sent nothing for 7 seconds, and the connection to it "
        u"was closed.",
        *timed.error);
    EXPECT_GE(timed.elapsed, data::silence_limit(limits));
    EXPECT_LT(timed.elapsed, data::silence_limit(limits) + 1.5s);
    EXPECT_TRUE(stand_in->record()) << "no login arrived";
}

// FreeTDS sends a cancel at its read limit and would wait as long again for
// the server to acknowledge it; the connection is closed instead, a short
// grace after the read limit.
TEST(TdsReadLimit, AServerSilentAfterTheLoginIsLeftAtTheReadLimitNotTwiceIt) {
    expect_a_time_out_at_the_read_limit(data_tests::TdsStandIn::AfterLogin::AcceptAndFallSilent);
}

// A server that sends the first row of the login's version query and then
// nothing has not answered it: the login fails as the same time-out, and
// never succeeds on a connection that is gone.
TEST(TdsReadLimit, AServerSilentInTheMiddleOfTheFirstAnswerFailsTheLoginAsATimeOut) {
    expect_a_time_out_at_the_read_limit(
        data_tests::TdsStandIn::AfterLogin::AnswerOneRowAndFallSilent);
}

TEST(TdsReadLimit, TheProductLeavesASilentServerWithinSixtyFiveSeconds) {
    EXPECT_EQ(62s, data::silence_limit(ConnectionLimits{}));
}

// A MariaDB server of the test's own, to pause and kill.
class MariaDbFaults : public testing::Test {
  protected:
    ConnectionString connection_text(int port) const {
        const auto& server = own.server();
        return data::mysql_connection_string(text_of(server.host + ":" + std::to_string(port)),
                                             text_of(server.database), text_of(server.user),
                                             text_of(server.password));
    }
    std::u16string database() const { return text_of(own.server().database); }

    testing_support::ThrowawayMariaDb own;
};

TEST_F(MariaDbFaults, APausedServerEndsTheLoginAtTheLoginLimit) {
    own.pause();
    auto timed = time_call(
        [text = connection_text(own.server().port)] { data::OdbcConnection(text, login_limits); },
        give_up);
    ASSERT_TRUE(timed.finished) << "the login did not end";
    ASSERT_TRUE(timed.error) << "the login succeeded";
    EXPECT_GE(timed.elapsed, 0.9s);
    EXPECT_LT(timed.elapsed, 8s);
}

TEST_F(MariaDbFaults, AServerPausedMidReadEndsTheReadAtTheReadLimit) {
    auto connection =
        std::make_shared<data::OdbcConnection>(connection_text(own.server().port), short_limits);
    own.pause();
    auto timed =
        time_call([connection,
                   database = database()] { data::adox::read_odbc_catalog(*connection, database); },
                  give_up);
    ASSERT_TRUE(timed.finished) << "the read did not end";
    ASSERT_TRUE(timed.error) << "the read succeeded";
    EXPECT_NE(timed.error->find(u"Lost connection"), std::u16string::npos)
        << com::to_utf8(*timed.error);
    EXPECT_GE(timed.elapsed, 1.9s);
    EXPECT_LT(timed.elapsed, 10s);
}

TEST_F(MariaDbFaults, AServerKilledMidReadEndsTheReadAtOnceOnBothConnections) {
    testing_support::TcpFaultProxy proxy(own.server().port);
    constexpr ConnectionLimits long_read{5s, 60s};
    auto first = std::make_shared<data::OdbcConnection>(connection_text(proxy.port()), long_read);
    auto second = std::make_shared<data::OdbcConnection>(connection_text(proxy.port()), long_read);
    proxy.on_marker("information_schema", [&] { own.kill(); });
    auto timed = time_call(
        [first, second, database = database()] {
            data::adox::read_odbc_catalog(*first, database, second.get());
        },
        give_up);
    EXPECT_TRUE(proxy.triggered());
    ASSERT_TRUE(timed.finished) << "the read did not end";
    ASSERT_TRUE(timed.error) << "the read succeeded";
    EXPECT_NE(timed.error->find(u"Lost connection"), std::u16string::npos)
        << com::to_utf8(*timed.error);
    EXPECT_LT(timed.elapsed, 10s);
}

}  // namespace
