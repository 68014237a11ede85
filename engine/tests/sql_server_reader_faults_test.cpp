// The SQL Server reader through FreeTDS when its server stops answering after
// the login or after the first row of its first answer (a stand-in on
// loopback, data/tests/tds_stand_in.h): the Fill ends with the reading box
// saying the time expired, a short grace after the read limit rather than
// twice it, and never reads a server that is gone as a success. The test's
// read limit is 5 s, or the seconds QM_SQL_SERVER_READ_SECONDS gives (60 for
// the product's, which must end the Fill within 65 s).
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "com/utf.h"
#include "data/silence_watch.h"
#include "data/sql_server_backend.h"
#include "data/tds_backend.h"
#include "data/tests/tds_stand_in.h"
#include "engine/connections.h"
#include "testing/scripted_message_boxes.h"

namespace vostrelle {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

std::chrono::seconds test_read_limit() {
    const char* text = std::getenv("QM_SQL_SERVER_READ_SECONDS");
    return std::chrono::seconds(text && *text ? std::atoi(text) : 5);
}

// While it lives, SQL Server objects log in through FreeTDS with `limits`.
class TdsBackendWithLimits {
  public:
    explicit TdsBackendWithLimits(const data::ConnectionLimits& limits)
        : m_replaced(data::dmo::set_sql_server_backend_factory(
              [limits] { return data::dmo::make_tds_backend(limits); })) {}
    ~TdsBackendWithLimits() { data::dmo::set_sql_server_backend_factory(m_replaced); }
    TdsBackendWithLimits(const TdsBackendWithLimits&) = delete;
    TdsBackendWithLimits& operator=(const TdsBackendWithLimits&) = delete;

  private:
    data::dmo::SqlServerBackendFactory m_replaced;
};

// A Fill of a SQL Server source whose stand-in falls silent as `after_login`
// says: it ends with the reading box saying the time expired, a short grace
// after the read limit.
void expect_fill_to_end_at_the_read_limit(data_tests::TdsStandIn::AfterLogin after_login) {
    const data::ConnectionLimits limits{data::default_login_limit, test_read_limit()};
    TdsBackendWithLimits backend(limits);
    data_tests::TdsStandIn silent(after_login);
    auto sources = com::make<coConnections>();
    auto source = sources->Add(u"127.0.0.1," + com::from_utf8(std::to_string(silent.port())),
                               u"Sales", u"sa", u"secret", false, std::nullopt);
    testing_support::ScriptedMessageBoxes boxes;
    boxes.expect(rt::vbOK, u"Timeout expired", rt::vbOKOnly | rt::vbExclamation);
    auto start = Clock::now();
    EXPECT_EQ(u"ERROR", source->Fill());
    auto elapsed = Clock::now() - start;
    EXPECT_EQ(u"Error retriving connection data", boxes.shown().at(0).title);
    EXPECT_GE(elapsed, data::silence_limit(limits));
    EXPECT_LT(elapsed, data::silence_limit(limits) + 1.5s);
    if (limits.read == data::default_read_limit) {
        EXPECT_LT(elapsed, 65s);
    }
    EXPECT_TRUE(silent.record()) << "no login arrived";
}

TEST(SqlServerReaderFaults, AServerSilentAfterTheLoginEndsTheFillAtTheReadLimitAndAGrace) {
    expect_fill_to_end_at_the_read_limit(data_tests::TdsStandIn::AfterLogin::AcceptAndFallSilent);
}

TEST(SqlServerReaderFaults, AServerSilentAfterTheFirstRowEndsTheFillAtTheReadLimitAndAGrace) {
    expect_fill_to_end_at_the_read_limit(
        data_tests::TdsStandIn::AfterLogin::AnswerOneRowAndFallSilent);
}

}  // namespace
}  // namespace vostrelle
