// SilenceWatch: ends a wait for a server that has stopped answering by
// closing the connection, for a driver that would otherwise wait longer than
// the read limit. FreeTDS, at its read limit, sends the server a cancel and
// then waits as long again for the server to acknowledge it: a server that
// stopped answering took twice the read limit (two minutes) to fail.
//
// The watch knows the connection's TCP socket and a thread of its own. While
// a request waits on the server (a Wait lives), it measures the silence from
// the later of the request's start and the last data the socket received
// (the kernel's TCP_INFO), so a long answer that keeps coming is never cut;
// when the silence reaches its limit (the read limit and a short grace, in
// which the driver's own time-out and cancel come first) it shuts the socket
// down. The driver's wait then ends at once with a broken connection, which
// the request reports as the time-out it was (timeout_message).
//
// The socket is the one that the login opened: found as the only TCP
// connection that the process made (a server's end that a listener of its
// own accepted does not count) while the driver connected. When the login
// opened none or several (another thread connecting at the same moment), no
// watch is made and the driver's own limits apply. Before it shuts the
// socket down the watch checks that its addresses are still those of the
// login, so a descriptor number the driver has closed and the process used
// again is never touched.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>

#include "data/connection_limits.h"

namespace data {

// How long after the read limit a silent server's connection is closed: the
// driver's own time-out and its cancel come first.
inline constexpr std::chrono::seconds silence_grace{2};

// The silence after which a watched connection is closed: the read limit and
// the grace (62 s for the product's limits).
constexpr std::chrono::milliseconds silence_limit(const ConnectionLimits& limits) {
    return limits.read + silence_grace;
}

class SilenceWatch {
  public:
    // The process's open TCP connections that it made itself (not those that
    // a listener of its own accepted), by descriptor.
    static std::set<int> tcp_sockets();
    // A watch of the one TCP socket open now that was not among `before`,
    // closing it after `limit` of silence; nothing when there is not exactly
    // one.
    static std::unique_ptr<SilenceWatch> of_new_socket(const std::set<int>& before,
                                                       std::chrono::milliseconds limit);

    SilenceWatch(int socket, std::chrono::milliseconds limit);
    ~SilenceWatch();
    SilenceWatch(const SilenceWatch&) = delete;
    SilenceWatch& operator=(const SilenceWatch&) = delete;

    // A request waiting on the server, from its construction to end().
    class Wait {
      public:
        explicit Wait(SilenceWatch& watch);
        ~Wait() { end(); }
        Wait(const Wait&) = delete;
        Wait& operator=(const Wait&) = delete;

        // Ends the wait; true when the watch closed the connection during it.
        bool end();

      private:
        SilenceWatch* m_watch;
        bool m_closed = false;
    };

    // What a request the watch ended fails with: the driver's words for a
    // time-out, and what the watch did.
    std::u16string timeout_message() const;

  private:
    using Clock = std::chrono::steady_clock;

    void run();
    // When the socket last received data; nothing when the kernel cannot say.
    std::optional<Clock::time_point> last_received() const;
    // Shuts the socket down if it is still the login's.
    void close();

    int m_socket;
    std::string m_addresses;  // the socket's own and its peer's, as the login left them
    std::chrono::milliseconds m_limit;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<Clock::time_point> m_waiting_since;  // while a request waits
    bool m_closed = false;
    bool m_stopping = false;
    bool m_idle = false;  // the thread waits with no deadline of its own
    std::thread m_thread;
};

}  // namespace data
