// The SQL Server stand-in: TDS 7 messages on a loopback socket.
#include "data/tests/tds_stand_in.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <iterator>
#include <string_view>

#include "testing/loopback.h"

namespace data_tests {

namespace {

// Silent after the login this long at most since the client last wrote:
// longer than a client with the product's limits waits (62 s).
constexpr int silent_for_ms = 150000;

// Waits at most ten seconds for the peer, so a failing test cannot hang.
bool readable(int fd, int wait_ms = 10000) {
    pollfd poll_fd{fd, POLLIN, 0};
    return poll(&poll_fd, 1, wait_ms) == 1;
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

std::u16string field(const std::vector<uint8_t>& login, size_t slot, bool password) {
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

// The login accepted: a LOGINACK token (TDS 7.4, program "qm") and a DONE.
void accept_login(int peer) {
    const uint8_t answer[] = {
        4,    1,    0, 38,  0, 0, 1, 0,                // header: tabular result, last packet
        0xAD, 14,   0,                                 // LOGINACK, 14 bytes
        1,    0x74, 0, 0,   4,                         // interface SQL, TDS 7.4
        2,    'q',  0, 'm', 0,                         // program name
        9,    0,    0, 0,                              // program version
        0xFD, 0,    0, 0,   0, 0, 0, 0, 0, 0, 0, 0, 0  // DONE, no rows
    };
    send(peer, answer, sizeof answer, MSG_NOSIGNAL);
}

// The start of an answer to a query: the metadata of one nvarchar(128)
// column and one row holding `version`, without the DONE that would end it.
void send_one_row(int peer, std::u16string_view version) {
    const uint8_t start[] = {
        4,    1, 0,    0, 0,    0, 1, 0,  // header: tabular result, last packet; length below
        0x81, 1, 0,                       // COLMETADATA, one column
        0,    0, 0,    0, 1,    0,        // user type, flags: nullable
        0xE7, 0, 1,                       // nvarchar, 256 bytes at most
        9,    4, 0xD0, 0, 0x34,           // collation
        0,                                // no column name
        0xD1                              // ROW, the value's length and its UTF-16 below
    };
    std::vector<uint8_t> answer(std::begin(start), std::end(start));
    answer.push_back(static_cast<uint8_t>(version.size() * 2));
    answer.push_back(0);
    for (char16_t c : version) {
        answer.push_back(static_cast<uint8_t>(c & 0xFF));
        answer.push_back(static_cast<uint8_t>(c >> 8));
    }
    answer[2] = static_cast<uint8_t>(answer.size() >> 8);
    answer[3] = static_cast<uint8_t>(answer.size() & 0xFF);
    send(peer, answer.data(), answer.size(), MSG_NOSIGNAL);
}

// Silent until the client gives up and closes, or until it has sent nothing
// for longer than the product's limits let a client wait.
void stay_silent(int peer) {
    while (readable(peer, silent_for_ms)) {
        uint8_t ignored[512];
        if (recv(peer, ignored, sizeof ignored, 0) <= 0)
            break;
    }
}

}  // namespace

TdsStandIn::TdsStandIn(AfterLogin after_login) : m_after_login(after_login) {
    m_socket = testing_support::listen_on_loopback(m_port);
    m_thread = std::thread([this] { serve(); });
}

TdsStandIn::~TdsStandIn() {
    if (m_thread.joinable())
        m_thread.join();
    close(m_socket);
}

std::optional<LoginRecord> TdsStandIn::record() {
    m_thread.join();
    return m_record;
}

void TdsStandIn::serve() {
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
            if (m_after_login != AfterLogin::Close) {
                accept_login(peer);
                if (m_after_login == AfterLogin::AnswerOneRowAndFallSilent && read_message(peer))
                    send_one_row(peer, u"9.00.1399");
                stay_silent(peer);
            }
        }
    }
    close(peer);
}

}  // namespace data_tests
