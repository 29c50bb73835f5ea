#include "loopback_listener.h"

#include "loopback_socket.h"

#include <unistd.h>

#include <stdexcept>

LoopbackListener::LoopbackListener(std::uint16_t port)
{
    try {
        const LoopbackSocket bound = bind_loopback(port, 64);
        fd_ = bound.fd;
        port_ = bound.port;
    } catch (const std::runtime_error&) {
        // The port is taken: listening() says so.
    }
}

LoopbackListener::~LoopbackListener()
{
    if (fd_ >= 0)
        ::close(fd_);
}
