#pragma once

#include <netinet/in.h>

#include <cstdint>

struct LoopbackSocket {
    int fd = -1;
    std::uint16_t port = 0;
};

// A TCP socket bound to 127.0.0.1 at `port` (0: any free one), listening with
// `backlog` unless it is negative. `flags` go to socket(), such as
// SOCK_NONBLOCK. Throws std::runtime_error when the system refuses.
LoopbackSocket bind_loopback(std::uint16_t port, int backlog, int flags = 0);

// The address of a loopback port, for connect().
sockaddr_in loopback_address(std::uint16_t port);
