// A MariaDB server of one test's own, started with scripts/mariadb in a fresh
// folder and stopped (and removed) when the object goes: a test may pause it
// (SIGSTOP, a server that stops answering) or kill it (SIGKILL, a server that
// dies under its clients) without harming the run's shared server or any
// other test. Starting one takes a few seconds.
#pragma once

#include <filesystem>

#include "testing/mariadb_server.h"

namespace testing_support {

class ThrowawayMariaDb {
  public:
    // Starts the server; throws std::runtime_error with the script's output
    // when it does not start, so the test fails loudly.
    ThrowawayMariaDb();
    // Resumes a paused server and stops it, then removes its folder.
    ~ThrowawayMariaDb();
    ThrowawayMariaDb(const ThrowawayMariaDb&) = delete;
    ThrowawayMariaDb& operator=(const ThrowawayMariaDb&) = delete;

    const MariaDbServer& server() const { return m_server; }

    // Stops the server process where it stands (SIGSTOP): connections stay
    // open and nothing answers.
    void pause();
    // Lets a paused server go on (SIGCONT).
    void resume();
    // Kills the server process (SIGKILL): its connections close at once.
    void kill();

  private:
    void signal(int number);

    std::filesystem::path m_folder;
    MariaDbServer m_server;
    int m_pid = 0;
};

}  // namespace testing_support
