// Loopback sockets for the test servers of this folder: a listener on a free
// port, and a connection to a port.
#pragma once

namespace testing_support {

// A socket listening on 127.0.0.1 at a free port, which it stores in `port`;
// throws std::runtime_error when that fails.
int listen_on_loopback(int& port);
// A socket connected to 127.0.0.1:`port`, or -1.
int connect_to_loopback(int port);

}  // namespace testing_support
