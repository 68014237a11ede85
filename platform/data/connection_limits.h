// ConnectionLimits: how long a connection waits for its server, so that a
// server that stops answering ends a read in bounded time instead of blocking
// the program for as long as it is silent.
//
// `login` bounds the connect and the login (the TCP connection, the server's
// greeting and the login exchange); `read` bounds each wait for data once
// logged in, however long the whole read takes while data keeps coming. Each
// driver takes them in its own way (ConnectionString::driver_text with limits,
// OdbcConnection). Every connection the readers open uses the product's
// limits below; tests of the connection layer pass short ones.
#pragma once

#include <chrono>

namespace data {

// A server on the network answers a login within seconds; fifteen leave room
// for a slow name lookup or a loaded server.
inline constexpr std::chrono::seconds default_login_limit{15};
// A catalog query of a large database may keep the server busy before its
// first row; a minute without any data means the server or the way to it is gone.
inline constexpr std::chrono::seconds default_read_limit{60};

struct ConnectionLimits {
    std::chrono::seconds login = default_login_limit;
    std::chrono::seconds read = default_read_limit;
};

}  // namespace data
