#include "full_backlog_listener.h"

#include "loopback_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

FullBacklogListener::FullBacklogListener()
{
    // A backlog of 0 holds one connection that nobody accepts.
    const LoopbackSocket bound = bind_loopback(0, 0);
    listen_fd_ = bound.fd;
    port_ = bound.port;
    sockaddr_in address = loopback_address(bound.port);

    filler_fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    ::connect(filler_fd_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    pollfd entry{filler_fd_, POLLOUT, 0};
    if (::poll(&entry, 1, 5000) != 1 || (entry.revents & POLLERR) != 0)
        throw std::runtime_error("cannot fill the accept queue");
}

FullBacklogListener::~FullBacklogListener()
{
    ::close(filler_fd_);
    ::close(listen_fd_);
}
