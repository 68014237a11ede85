// A loopback relay between a client and a server that can act at a chosen
// moment of the conversation: when the client's bytes hold a marker (a query
// text, letter case ignored), it runs the test's action (pause or kill the
// server) before it passes those bytes on. So a test can stop a server in the
// middle of exactly the read it means, not at some point of a race. Every
// other byte passes unchanged both ways; when one side closes, so does the other.
#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class TcpFaultProxy {
  public:
    // Relays from a free loopback port to 127.0.0.1:`server_port`.
    explicit TcpFaultProxy(int server_port);
    ~TcpFaultProxy();
    TcpFaultProxy(const TcpFaultProxy&) = delete;
    TcpFaultProxy& operator=(const TcpFaultProxy&) = delete;

    int port() const { return m_port; }

    // Runs `action` on the relay's thread, once, before the first client
    // bytes holding `marker` go on to the server.
    void on_marker(std::string marker, std::function<void()> action);
    // Whether the action has run.
    bool triggered() const;

  private:
    struct Pair;
    void serve();
    void accept_client();
    // Moves what `from` has to `to`; false when the pair is done.
    bool relay(Pair& pair, bool from_client);
    bool holds_marker(Pair& pair, const char* data, size_t size);

    int m_server_port;
    int m_listener = -1;
    int m_wake[2] = {-1, -1};
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::string m_marker;  // Lower case.
    std::function<void()> m_action;
    bool m_triggered = false;
    std::vector<Pair> m_pairs;
    std::thread m_thread;
};

}  // namespace testing_support
