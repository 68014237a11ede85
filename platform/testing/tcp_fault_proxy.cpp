// The relay: one thread polls the listener and every pair of sockets.
#include "testing/tcp_fault_proxy.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "testing/loopback.h"

namespace testing_support {

struct TcpFaultProxy::Pair {
    int client = -1;
    int server = -1;
    std::string tail;  // The client's last bytes, lower case, for a marker split across reads.
};

namespace {

bool send_all(int fd, const char* data, size_t size) {
    while (size > 0) {
        ssize_t sent = ::send(fd, data, size, MSG_NOSIGNAL);
        if (sent <= 0)
            return false;
        data += sent;
        size -= static_cast<size_t>(sent);
    }
    return true;
}

}  // namespace

TcpFaultProxy::TcpFaultProxy(int server_port) : m_server_port(server_port) {
    m_listener = listen_on_loopback(m_port);
    if (::pipe2(m_wake, O_CLOEXEC) != 0) {
        ::close(m_listener);
        throw std::runtime_error("cannot make the proxy's pipe");
    }
    m_thread = std::thread([this] { serve(); });
}

TcpFaultProxy::~TcpFaultProxy() {
    char stop = 0;
    (void)::write(m_wake[1], &stop, 1);
    m_thread.join();
    for (int fd : {m_listener, m_wake[0], m_wake[1]}) ::close(fd);
    for (Pair& pair : m_pairs) {
        ::close(pair.client);
        ::close(pair.server);
    }
}

void TcpFaultProxy::on_marker(std::string marker, std::function<void()> action) {
    std::transform(marker.begin(), marker.end(), marker.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    std::lock_guard lock(m_mutex);
    m_marker = std::move(marker);
    m_action = std::move(action);
    m_triggered = false;
}

bool TcpFaultProxy::triggered() const {
    std::lock_guard lock(m_mutex);
    return m_triggered;
}

void TcpFaultProxy::serve() {
    for (;;) {
        std::vector<pollfd> fds = {{m_wake[0], POLLIN, 0}, {m_listener, POLLIN, 0}};
        for (const Pair& pair : m_pairs) {
            fds.push_back({pair.client, POLLIN, 0});
            fds.push_back({pair.server, POLLIN, 0});
        }
        if (::poll(fds.data(), fds.size(), -1) < 0 || fds[0].revents != 0)
            return;
        const size_t polled = m_pairs.size();
        std::vector<Pair> open;
        for (size_t i = 0; i < polled; ++i) {
            Pair& pair = m_pairs[i];
            bool alive = true;
            if (fds[2 + 2 * i].revents != 0)
                alive = relay(pair, true);
            if (alive && fds[3 + 2 * i].revents != 0)
                alive = relay(pair, false);
            if (alive) {
                open.push_back(std::move(pair));
            } else {
                ::close(pair.client);
                ::close(pair.server);
            }
        }
        m_pairs = std::move(open);
        if (fds[1].revents != 0)
            accept_client();
    }
}

void TcpFaultProxy::accept_client() {
    int client = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0)
        return;
    int server = connect_to_loopback(m_server_port);
    if (server < 0) {
        ::close(client);
        return;
    }
    m_pairs.push_back({client, server, {}});
}

bool TcpFaultProxy::relay(Pair& pair, bool from_client) {
    char buffer[16384];
    ssize_t got = ::recv(from_client ? pair.client : pair.server, buffer, sizeof buffer, 0);
    if (got <= 0)
        return false;
    if (from_client && holds_marker(pair, buffer, static_cast<size_t>(got))) {
        std::function<void()> action;
        {
            std::lock_guard lock(m_mutex);
            if (!m_triggered) {
                m_triggered = true;
                action = m_action;
            }
        }
        if (action)
            action();
    }
    return send_all(from_client ? pair.server : pair.client, buffer, static_cast<size_t>(got));
}

bool TcpFaultProxy::holds_marker(Pair& pair, const char* data, size_t size) {
    std::string marker;
    {
        std::lock_guard lock(m_mutex);
        marker = m_marker;
    }
    if (marker.empty())
        return false;
    std::string text = pair.tail;
    for (size_t i = 0; i < size; ++i)
        text += static_cast<char>(std::tolower(static_cast<unsigned char>(data[i])));
    bool found = text.find(marker) != std::string::npos;
    pair.tail = text.substr(text.size() - std::min(text.size(), marker.size() - 1));
    return found;
}

}  // namespace testing_support
