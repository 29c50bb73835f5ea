#include "closed_port.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

ClosedPort::ClosedPort()
{
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    if (fd_ < 0 || ::bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::getsockname(fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("cannot bind on 127.0.0.1");
    port_ = ntohs(address.sin_port);
}

ClosedPort::~ClosedPort()
{
    ::close(fd_);
}
