#include "closed_port.h"

#include "loopback_socket.h"

#include <unistd.h>

ClosedPort::ClosedPort()
{
    const LoopbackSocket bound = bind_loopback(0, -1);
    fd_ = bound.fd;
    port_ = bound.port;
}

ClosedPort::~ClosedPort()
{
    ::close(fd_);
}
