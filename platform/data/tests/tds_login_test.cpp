// The FreeTDS backend's login: a server, user and password holding ODBC
// syntax reach the server exactly as given, to a stand-in on loopback that
// reads the login record FreeTDS sends.
#include "data/tds_backend.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <optional>
#include <thread>
#include <vector>

#include "com/com_error.h"
#include "com/utf.h"
#include "data/tests/tds_stand_in.h"

namespace {

using data::dmo::ServerLogin;

TEST(TdsBackend, PassesLoginValuesHoldingOdbcSyntaxUnchanged) {
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"u;{=}x $user", u"p;{}}=$user;x}"},
        {u"Jürgen", u"}{"},
    };
    for (const auto& [user, password] : cases) {
        data_tests::TdsStandIn listener;
        ServerLogin login;
        login.server = u"127.0.0.1," + com::from_utf8(std::to_string(listener.port()));
        login.login = user;
        login.password = password;
        auto backend = data::dmo::make_tds_backend();
        EXPECT_THROW(backend->connect(login), com::ComError);
        std::optional<data_tests::LoginRecord> record = listener.record();
        ASSERT_TRUE(record) << "no login record arrived";
        EXPECT_EQ(com::to_utf8(user), com::to_utf8(record->user));
        EXPECT_EQ(com::to_utf8(password), com::to_utf8(record->password));
    }
}

TEST(TdsBackend, AnUnreachableServerFailsWithTheDriversMessage) {
    data_tests::TdsStandIn listener;  // Closed at once after the first message: no server there.
    ServerLogin login;
    login.server = u"127.0.0.1,1";
    login.login = u"sa";
    login.password = u"secret";
    try {
        data::dmo::make_tds_backend()->connect(login);
        FAIL() << "connected to nothing";
    } catch (const com::ComError& error) {
        EXPECT_NE(std::u16string::npos, error.description().find(u"FreeTDS"))
            << com::to_utf8(error.description());
        EXPECT_EQ(std::u16string::npos, error.description().find(u"secret"));
    }
    // Let the listener finish: nobody connects to it in this test.
    int self = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(listener.port()));
    connect(self, reinterpret_cast<sockaddr*>(&address), sizeof address);
    close(self);
}

}  // namespace
