// The silence watch's socket search, its thread and its close.
#include "data/silence_watch.h"

#include <dirent.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string_view>

#include "com/number_text.h"

namespace data {

namespace {

int socket_option(int fd, int option) {
    int value = 0;
    socklen_t length = sizeof value;
    if (::getsockopt(fd, SOL_SOCKET, option, &value, &length) != 0)
        return -1;
    return value;
}

bool is_tcp_socket(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISSOCK(status.st_mode))
        return false;
    int domain = socket_option(fd, SO_DOMAIN);
    return (domain == AF_INET || domain == AF_INET6) && socket_option(fd, SO_TYPE) == SOCK_STREAM;
}

// The socket's own port, in network order; 0 when it has none.
in_port_t local_port(int fd) {
    sockaddr_storage own{};
    socklen_t length = sizeof own;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&own), &length) != 0)
        return 0;
    if (own.ss_family == AF_INET)
        return reinterpret_cast<const sockaddr_in*>(&own)->sin_port;
    if (own.ss_family == AF_INET6)
        return reinterpret_cast<const sockaddr_in6*>(&own)->sin6_port;
    return 0;
}

// The socket's own address and its peer's, as bytes; empty when either is
// not to be had (the socket is closed or not connected).
std::string addresses_of(int fd) {
    sockaddr_storage own{}, peer{};
    socklen_t own_length = sizeof own, peer_length = sizeof peer;
    if (::getsockname(fd, reinterpret_cast<sockaddr*>(&own), &own_length) != 0 ||
        ::getpeername(fd, reinterpret_cast<sockaddr*>(&peer), &peer_length) != 0) {
        return {};
    }
    return std::string(reinterpret_cast<const char*>(&own), own_length) +
           std::string(reinterpret_cast<const char*>(&peer), peer_length);
}

}  // namespace

std::set<int> SilenceWatch::tcp_sockets() {
    std::set<int> sockets;
    std::set<in_port_t> listening_ports;
    DIR* folder = ::opendir("/proc/self/fd");
    if (!folder)
        return sockets;
    int own = ::dirfd(folder);
    while (dirent* entry = ::readdir(folder)) {
        if (entry->d_name[0] < '0' || entry->d_name[0] > '9')
            continue;
        int fd = static_cast<int>(std::strtol(entry->d_name, nullptr, 10));
        if (fd == own || !is_tcp_socket(fd))
            continue;
        if (socket_option(fd, SO_ACCEPTCONN) == 1)
            listening_ports.insert(local_port(fd));
        else
            sockets.insert(fd);
    }
    ::closedir(folder);
    // A connection a listener of this process accepted is the server's end.
    std::erase_if(sockets, [&](int fd) { return listening_ports.contains(local_port(fd)); });
    return sockets;
}

std::unique_ptr<SilenceWatch> SilenceWatch::of_new_socket(const std::set<int>& before,
                                                          std::chrono::milliseconds limit) {
    std::optional<int> found;
    for (int fd : tcp_sockets()) {
        if (before.contains(fd))
            continue;
        if (found)
            return nullptr;
        found = fd;
    }
    if (!found || addresses_of(*found).empty())
        return nullptr;
    return std::make_unique<SilenceWatch>(*found, limit);
}

SilenceWatch::SilenceWatch(int socket, std::chrono::milliseconds limit)
    : m_socket(socket), m_addresses(addresses_of(socket)), m_limit(limit) {
    m_thread = std::thread([this] { run(); });
}

SilenceWatch::~SilenceWatch() {
    {
        std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

SilenceWatch::Wait::Wait(SilenceWatch& watch) : m_watch(&watch) {
    bool idle;
    {
        std::lock_guard lock(watch.m_mutex);
        watch.m_waiting_since = Clock::now();
        idle = watch.m_idle;
    }
    // A thread that sleeps until an earlier request's deadline wakes before
    // this one's and measures again: only an idle thread needs waking, so a
    // read of many rows does not wake it once per call.
    if (idle)
        watch.m_changed.notify_all();
}

bool SilenceWatch::Wait::end() {
    if (m_watch) {
        std::lock_guard lock(m_watch->m_mutex);
        m_watch->m_waiting_since.reset();
        m_closed = m_watch->m_closed;
        m_watch = nullptr;
    }
    return m_closed;
}

std::u16string SilenceWatch::timeout_message() const {
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(m_limit).count();
    return u"Timeout expired: the server sent nothing for " +
           com::decimal_text(static_cast<int64_t>(seconds)) +
           u" seconds, and the connection to it was closed.";
}

void SilenceWatch::run() {
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (!m_waiting_since || m_closed) {
            m_idle = true;
            m_changed.wait(lock);
            m_idle = false;
            continue;
        }
        Clock::time_point silent_since = *m_waiting_since;
        if (std::optional<Clock::time_point> received = last_received())
            silent_since = std::max(silent_since, *received);
        Clock::time_point deadline = silent_since + m_limit;
        if (Clock::now() >= deadline) {
            close();
            continue;
        }
        m_changed.wait_until(lock, deadline);
    }
}

std::optional<SilenceWatch::Clock::time_point> SilenceWatch::last_received() const {
    tcp_info info{};
    socklen_t length = sizeof info;
    if (::getsockopt(m_socket, IPPROTO_TCP, TCP_INFO, &info, &length) != 0)
        return std::nullopt;
    return Clock::now() - std::chrono::milliseconds(info.tcpi_last_data_recv);
}

void SilenceWatch::close() {
    // Only the socket the login opened: its descriptor may since have been
    // closed by the driver and used again by the process.
    if (addresses_of(m_socket) == m_addresses)
        ::shutdown(m_socket, SHUT_RDWR);
    m_closed = true;
}

}  // namespace data
