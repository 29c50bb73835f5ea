#include "loopback_listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace {

[[noreturn]] void throw_errno(int socket, const char* what)
{
    const int error = errno;
    if (socket >= 0)
        close(socket);
    throw std::system_error(error, std::generic_category(), what);
}

} // namespace

LoopbackListener::LoopbackListener()
{
    socket_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0)
        throw_errno(socket_, "socket");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    // A deep backlog: a burst of probes may all connect before one is accepted.
    if (bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 || listen(socket_, 1024) != 0)
        throw_errno(socket_, "bind/listen");
    socklen_t length = sizeof address;
    if (getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw_errno(socket_, "getsockname");
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { serve(); });
}

LoopbackListener::~LoopbackListener()
{
    stopping_ = true;
    thread_.join();
    close(socket_);
}

void LoopbackListener::serve()
{
    // Wakes up now and then to notice that it should stop.
    pollfd waiting{socket_, POLLIN, 0};
    while (!stopping_) {
        if (poll(&waiting, 1, 100) <= 0)
            continue;
        const int connection = accept4(socket_, nullptr, nullptr, SOCK_CLOEXEC);
        if (connection >= 0)
            close(connection);
    }
}
