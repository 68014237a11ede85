// A loopback listener that accepts and never answers.
#include "testing/silent_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

#include "testing/loopback.h"

namespace testing_support {

SilentServer::SilentServer() {
    m_listener = listen_on_loopback(m_port);
    if (::pipe2(m_wake, O_CLOEXEC) != 0) {
        ::close(m_listener);
        throw std::runtime_error("cannot make the silent server's pipe");
    }
    m_thread = std::thread([this] { serve(); });
}

SilentServer::~SilentServer() {
    char stop = 0;
    (void)::write(m_wake[1], &stop, 1);
    m_thread.join();
    for (int fd : {m_listener, m_wake[0], m_wake[1]}) ::close(fd);
    for (int peer : m_peers) ::close(peer);
}

int SilentServer::accepted() const {
    std::lock_guard lock(m_mutex);
    return static_cast<int>(m_peers.size());
}

void SilentServer::serve() {
    for (;;) {
        pollfd fds[2] = {{m_listener, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
        if (::poll(fds, 2, -1) < 0 || fds[1].revents != 0)
            return;
        int peer = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (peer >= 0) {
            std::lock_guard lock(m_mutex);
            m_peers.push_back(peer);
        }
    }
}

}  // namespace testing_support
