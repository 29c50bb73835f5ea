#include "full_backlog_listener.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

FullBacklogListener::FullBacklogListener()
{
    listen_fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t size = sizeof address;
    // A backlog of 0 holds one connection that nobody accepts.
    if (listen_fd_ < 0 || ::bind(listen_fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::listen(listen_fd_, 0) != 0
        || ::getsockname(listen_fd_, reinterpret_cast<sockaddr*>(&address), &size) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    port_ = ntohs(address.sin_port);

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
