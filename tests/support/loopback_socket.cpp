#include "loopback_socket.h"

#include <arpa/inet.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

sockaddr_in loopback_address(std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

LoopbackSocket bind_loopback(std::uint16_t port, int backlog, int flags)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC | flags, 0);
    if (backlog >= 0) {
        // Not for a port kept closed: with it, another socket could share the port.
        const int on = 1;
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    }
    sockaddr_in address = loopback_address(port);
    socklen_t size = sizeof address;
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || (backlog >= 0 && ::listen(fd, backlog) != 0)
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
        if (fd >= 0)
            ::close(fd);
        throw std::runtime_error("cannot bind on 127.0.0.1");
    }
    return {fd, ntohs(address.sin_port)};
}
