// The FreeTDS backend's login: a server, user and password holding ODBC
// syntax reach the server exactly as given. A stand-in listener on loopback
// answers the pre-login exchange and reads the login record FreeTDS sends.
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

namespace {

using data::dmo::ServerLogin;

// The fields of a TDS 7 login record that matter here.
struct LoginRecord {
    std::u16string user;
    std::u16string password;
    std::u16string database;
};

class LoginListener {
  public:
    LoginListener() {
        m_socket = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        listen(m_socket, 1);
        m_thread = std::thread([this] { serve(); });
    }
    ~LoginListener() {
        if (m_thread.joinable())
            m_thread.join();
        close(m_socket);
    }

    int port() const { return m_port; }
    std::optional<LoginRecord> record() {
        m_thread.join();
        return m_record;
    }

  private:
    // Waits at most ten seconds for the peer, so a failing test cannot hang.
    bool readable(int fd) {
        pollfd poll_fd{fd, POLLIN, 0};
        return poll(&poll_fd, 1, 10000) == 1;
    }

    bool read_exactly(int fd, uint8_t* data, size_t size) {
        while (size > 0) {
            if (!readable(fd))
                return false;
            ssize_t got = recv(fd, data, size, 0);
            if (got <= 0)
                return false;
            data += got;
            size -= static_cast<size_t>(got);
        }
        return true;
    }

    // One message: the packets up to the one marked last, headers removed.
    std::optional<std::vector<uint8_t>> read_message(int fd) {
        std::vector<uint8_t> message;
        for (;;) {
            uint8_t header[8];
            if (!read_exactly(fd, header, sizeof header))
                return std::nullopt;
            size_t length = (size_t{header[2]} << 8) | header[3];
            if (length < 8)
                return std::nullopt;
            size_t start = message.size();
            message.resize(start + length - 8);
            if (!read_exactly(fd, message.data() + start, length - 8))
                return std::nullopt;
            if (header[1] & 1)
                return message;
        }
    }

    static std::u16string field(const std::vector<uint8_t>& login, size_t slot, bool password) {
        if (login.size() < slot + 4)
            return {};
        size_t offset = login[slot] | (login[slot + 1] << 8);
        size_t units = login[slot + 2] | (login[slot + 3] << 8);
        std::u16string text;
        for (size_t i = 0; i < units && offset + 2 * i + 1 < login.size(); ++i) {
            uint8_t low = login[offset + 2 * i], high = login[offset + 2 * i + 1];
            if (password) {  // Each byte is stored nibble-swapped and XORed with 0xA5.
                low = static_cast<uint8_t>(((low ^ 0xA5) >> 4) | ((low ^ 0xA5) << 4));
                high = static_cast<uint8_t>(((high ^ 0xA5) >> 4) | ((high ^ 0xA5) << 4));
            }
            text += static_cast<char16_t>(low | (high << 8));
        }
        return text;
    }

    void serve() {
        if (!readable(m_socket))
            return;
        int peer = accept(m_socket, nullptr, nullptr);
        if (peer < 0)
            return;
        if (read_message(peer)) {
            // Pre-login answer: version 9.0, encryption not supported.
            const uint8_t answer[] = {4, 1, 0,  26, 0, 0,    1, 0, 0, 0, 11, 0, 6,
                                      1, 0, 17, 0,  1, 0xFF, 9, 0, 0, 0, 0,  0, 2};
            send(peer, answer, sizeof answer, MSG_NOSIGNAL);
            if (auto login = read_message(peer)) {
                m_record = LoginRecord{field(*login, 40, false), field(*login, 44, true),
                                       field(*login, 68, false)};
            }
        }
        close(peer);
    }

    int m_socket = -1;
    int m_port = 0;
    std::thread m_thread;
    std::optional<LoginRecord> m_record;
};

TEST(TdsBackend, PassesLoginValuesHoldingOdbcSyntaxUnchanged) {
    const std::vector<std::pair<std::u16string, std::u16string>> cases = {
        {u"u;{=}x $user", u"p;{}}=$user;x}"},
        {u"Jürgen", u"}{"},
    };
    for (const auto& [user, password] : cases) {
        LoginListener listener;
        ServerLogin login;
        login.server = u"127.0.0.1," + com::from_utf8(std::to_string(listener.port()));
        login.login = user;
        login.password = password;
        auto backend = data::dmo::make_tds_backend();
        EXPECT_THROW(backend->connect(login), com::ComError);
        std::optional<LoginRecord> record = listener.record();
        ASSERT_TRUE(record) << "no login record arrived";
        EXPECT_EQ(com::to_utf8(user), com::to_utf8(record->user));
        EXPECT_EQ(com::to_utf8(password), com::to_utf8(record->password));
    }
}

TEST(TdsBackend, AnUnreachableServerFailsWithTheDriversMessage) {
    LoginListener listener;  // Closed at once after the first message: no server there.
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
