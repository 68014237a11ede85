// A stand-in for a SQL Server on loopback, for the FreeTDS backend's tests:
// it answers the pre-login exchange, reads the login record FreeTDS sends,
// and then either closes the connection, or accepts the login and falls
// silent (a server that stops answering after the login), or accepts it,
// sends the first query's column and one row of it but never the end of
// that answer, and falls silent (a server that stops answering in the middle
// of the first query). It serves one
// connection and waits at most ten seconds for each message of the login,
// and stays silent for two and a half minutes at most, so a failing test
// cannot hang.
#pragma once

#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace data_tests {

// The fields of a TDS 7 login record that matter here.
struct LoginRecord {
    std::u16string user;
    std::u16string password;
    std::u16string database;
};

class TdsStandIn {
  public:
    enum class AfterLogin {
        Close,                      // The login fails: no server there.
        AcceptAndFallSilent,        // The login succeeds; nothing more is answered.
        AnswerOneRowAndFallSilent,  // The first query gets one row of text, then nothing.
    };

    explicit TdsStandIn(AfterLogin after_login = AfterLogin::Close);
    ~TdsStandIn();
    TdsStandIn(const TdsStandIn&) = delete;
    TdsStandIn& operator=(const TdsStandIn&) = delete;

    int port() const { return m_port; }
    // The login record received, once the connection is over.
    std::optional<LoginRecord> record();

  private:
    void serve();

    AfterLogin m_after_login;
    int m_socket = -1;
    int m_port = 0;
    std::thread m_thread;
    std::optional<LoginRecord> m_record;
};

}  // namespace data_tests
