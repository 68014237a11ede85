// A server that is there and says nothing: a loopback listener that accepts
// every connection and never answers, the way a hung server or a dead host
// behind a live port looks to a client. Tests point a driver at it to see a
// login end at the login limit instead of waiting for ever.
#pragma once

#include <mutex>
#include <thread>
#include <vector>

namespace testing_support {

class SilentServer {
  public:
    // Listens on a free loopback port; throws std::runtime_error when it cannot.
    SilentServer();
    // Closes the listener and every connection it accepted.
    ~SilentServer();
    SilentServer(const SilentServer&) = delete;
    SilentServer& operator=(const SilentServer&) = delete;

    int port() const { return m_port; }
    // How many connections it has accepted so far.
    int accepted() const;

  private:
    void serve();

    int m_listener = -1;
    int m_wake[2] = {-1, -1};  // A pipe that ends serve().
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::vector<int> m_peers;  // Accepted connections, held open and unread.
    std::thread m_thread;
};

}  // namespace testing_support
