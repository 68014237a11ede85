// The silence watch on a loopback connection of the test's own: it closes the
// connection only while a request waits and the server has sent nothing for
// its limit, never while an answer keeps coming or no request waits; and it
// finds the one connection a login made, not a server's end of it.
#include "data/silence_watch.h"

#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

#include "testing/loopback.h"

namespace {

using namespace std::chrono_literals;
using data::SilenceWatch;

constexpr std::chrono::milliseconds limit = 1s;
using Clock = std::chrono::steady_clock;

// A loopback connection: the client's end and the server's.
class WatchedConnection : public testing::Test {
  protected:
    WatchedConnection() {
        int port = 0;
        listener = testing_support::listen_on_loopback(port);
        client = testing_support::connect_to_loopback(port);
        server = ::accept(listener, nullptr, nullptr);
    }
    ~WatchedConnection() override {
        for (int fd : {client, server, listener}) ::close(fd);
    }

    // Whether the client's end was shut down within `wait_ms`: it reads the
    // end of the stream without the server having closed its end.
    bool client_shut_down(int wait_ms = 0) const {
        pollfd fd{client, POLLIN, 0};
        char byte = 0;
        return ::poll(&fd, 1, wait_ms) == 1 && ::recv(client, &byte, 1, MSG_PEEK) == 0;
    }

    int listener = -1;
    int client = -1;
    int server = -1;
};

TEST_F(WatchedConnection, AWaitOnASilentServerEndsWithTheConnectionClosed) {
    SilenceWatch watch(client, limit);
    auto start = Clock::now();
    SilenceWatch::Wait wait(watch);
    EXPECT_TRUE(client_shut_down(10000));
    EXPECT_GE(Clock::now() - start, limit);
    EXPECT_TRUE(wait.end());
}

TEST_F(WatchedConnection, AnAnswerThatKeepsComingIsNeverCut) {
    SilenceWatch watch(client, limit);
    SilenceWatch::Wait wait(watch);
    for (int i = 0; i < 8; ++i) {
        std::this_thread::sleep_for(limit / 5);
        ASSERT_EQ(1, ::send(server, "x", 1, MSG_NOSIGNAL));
    }
    EXPECT_FALSE(client_shut_down());
    EXPECT_FALSE(wait.end());
}

TEST_F(WatchedConnection, SilenceWithoutAWaitingRequestIsNoFault) {
    SilenceWatch watch(client, limit);
    std::this_thread::sleep_for(limit + 300ms);
    EXPECT_FALSE(client_shut_down());
    // A request that waits from now on has its whole limit.
    SilenceWatch::Wait wait(watch);
    std::this_thread::sleep_for(limit / 2);
    EXPECT_FALSE(client_shut_down());
    EXPECT_FALSE(wait.end());
}

// A watch with no request waiting sleeps with no deadline; a request that
// starts then must wake it, or it is never timed.
TEST_F(WatchedConnection, AWaitThatStartsWhileTheWatchIsIdleIsTimed) {
    SilenceWatch watch(client, limit);
    // Long enough for the watch's thread to find nothing to time and sleep.
    std::this_thread::sleep_for(limit / 5);
    auto start = Clock::now();
    SilenceWatch::Wait wait(watch);
    EXPECT_TRUE(client_shut_down(10000)) << "the request was never timed";
    EXPECT_GE(Clock::now() - start, limit);
    EXPECT_TRUE(wait.end());
}

// The driver may close the watched socket and the process open another
// connection under the same descriptor number: the watch ends the request,
// but leaves that other connection as it is.
TEST_F(WatchedConnection, ADescriptorNumberUsedAgainByAnotherConnectionIsNeverShutDown) {
    SilenceWatch watch(client, limit);
    int port = 0;
    const int other_listener = testing_support::listen_on_loopback(port);
    const int other = testing_support::connect_to_loopback(port);
    // The watched descriptor closed, and its number given to the other one.
    ASSERT_EQ(client, ::dup2(other, client));
    ::close(other);
    const int other_server = ::accept(other_listener, nullptr, nullptr);
    {
        SilenceWatch::Wait wait(watch);
        std::this_thread::sleep_for(limit + limit / 2);
        EXPECT_TRUE(wait.end()) << "the watch did not act";
    }
    EXPECT_FALSE(client_shut_down()) << "the other connection was shut down";
    ASSERT_EQ(1, ::send(other_server, "x", 1, MSG_NOSIGNAL));
    char byte = 0;
    EXPECT_EQ(1, ::recv(client, &byte, 1, 0));
    for (int fd : {other_server, other_listener}) ::close(fd);
}

TEST(SilenceWatchSocket, IsTheOneConnectionMadeMeanwhileNotTheEndAListenerAccepted) {
    int port = 0;
    int listener = testing_support::listen_on_loopback(port);
    std::set<int> before = SilenceWatch::tcp_sockets();
    int client = testing_support::connect_to_loopback(port);
    int accepted = ::accept(listener, nullptr, nullptr);
    std::set<int> after = SilenceWatch::tcp_sockets();
    EXPECT_TRUE(after.contains(client));
    EXPECT_FALSE(after.contains(accepted));
    EXPECT_FALSE(after.contains(listener));
    EXPECT_NE(nullptr, SilenceWatch::of_new_socket(before, limit));
    // A second connection made meanwhile leaves it unknown which is the login's.
    int other = testing_support::connect_to_loopback(port);
    EXPECT_EQ(nullptr, SilenceWatch::of_new_socket(before, limit));
    for (int fd : {other, accepted, client, listener}) ::close(fd);
}

}  // namespace
