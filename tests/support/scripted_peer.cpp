#include "scripted_peer.h"

#include "loopback_socket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <limits>
#include <stdexcept>
#include <utility>

namespace {

constexpr int stop_check_interval_ms = 20;

}  // namespace

ScriptedPeer::Step ScriptedPeer::receive(std::size_t total) { return {Step::Kind::Receive, {}, total}; }
ScriptedPeer::Step ScriptedPeer::send(std::string bytes) { return {Step::Kind::Send, std::move(bytes), 0}; }
ScriptedPeer::Step ScriptedPeer::await_client_close() { return {Step::Kind::AwaitClientClose, {}, 0}; }
ScriptedPeer::Step ScriptedPeer::await_next_connection() { return {Step::Kind::AwaitNextConnection, {}, 0}; }
ScriptedPeer::Step ScriptedPeer::await_release() { return {Step::Kind::AwaitRelease, {}, 0}; }
ScriptedPeer::Step ScriptedPeer::stream() { return {Step::Kind::Stream, {}, 0}; }
ScriptedPeer::Step ScriptedPeer::reset() { return {Step::Kind::Reset, {}, 0}; }

ScriptedPeer::ScriptedPeer(std::vector<Script> scripts)
    : scripts_(std::move(scripts)), received_(scripts_.size())
{
    const LoopbackSocket bound = bind_loopback(0, 8, SOCK_NONBLOCK);
    listen_fd_ = bound.fd;
    port_ = bound.port;
    thread_ = std::thread(&ScriptedPeer::run, this);
}

ScriptedPeer::~ScriptedPeer()
{
    stop_ = true;
    thread_.join();
    ::close(listen_fd_);
}

std::string ScriptedPeer::received(std::size_t connection) const
{
    const std::lock_guard lock(mutex_);
    return received_.at(connection);
}

void ScriptedPeer::run()
{
    for (std::size_t connection = 0; connection < scripts_.size(); ++connection) {
        if (!wait_for(listen_fd_, POLLIN))
            return;
        const int connection_fd = ::accept4(listen_fd_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        if (connection_fd < 0)
            return;
        play(connection_fd, scripts_[connection], connection);
    }
    finished_ = true;
}

// Records what arrives until `total` bytes have come in all, or the client
// closes or fails.
void ScriptedPeer::receive_until(int connection_fd, std::size_t connection, std::size_t total)
{
    char buffer[65536];
    while (received(connection).size() < total && wait_for(connection_fd, POLLIN)) {
        const ssize_t got = ::recv(connection_fd, buffer, sizeof buffer, 0);
        if (got <= 0 && !(got < 0 && errno == EAGAIN))
            break;
        if (got > 0)
            record(connection, buffer, static_cast<std::size_t>(got));
    }
}

void ScriptedPeer::play(int connection_fd, const Script& script, std::size_t connection)
{
    for (const Step& step : script) {
        switch (step.kind) {
        case Step::Kind::Receive:
            receive_until(connection_fd, connection, step.total);
            break;
        case Step::Kind::Send: {
            std::size_t sent = 0;
            while (sent < step.bytes.size() && wait_for(connection_fd, POLLOUT)) {
                const ssize_t put =
                    ::send(connection_fd, step.bytes.data() + sent, step.bytes.size() - sent, MSG_NOSIGNAL);
                if (put < 0 && errno != EAGAIN)
                    break;
                if (put > 0)
                    sent += static_cast<std::size_t>(put);
            }
            break;
        }
        case Step::Kind::AwaitClientClose:
            receive_until(connection_fd, connection, std::numeric_limits<std::size_t>::max());
            break;
        case Step::Kind::AwaitNextConnection:
            wait_for(listen_fd_, POLLIN);
            break;
        case Step::Kind::AwaitRelease:
            while (!released_ && !stop_)
                std::this_thread::sleep_for(std::chrono::milliseconds(stop_check_interval_ms));
            break;
        case Step::Kind::Stream: {
            const std::string chunk(65536, 's');
            while (wait_for(connection_fd, POLLOUT)) {
                const ssize_t put = ::send(connection_fd, chunk.data(), chunk.size(), MSG_NOSIGNAL);
                if (put < 0 && errno != EAGAIN)
                    break;
                if (put > 0)
                    streamed_ += static_cast<std::uint64_t>(put);
            }
            break;
        }
        case Step::Kind::Reset: {
            const linger abort_on_close{1, 0};
            ::setsockopt(connection_fd, SOL_SOCKET, SO_LINGER, &abort_on_close, sizeof abort_on_close);
            break;
        }
        }
        if (stop_)
            break;
    }
    ::close(connection_fd);
}

// Waits until fd is ready; false when the peer is being stopped first.
bool ScriptedPeer::wait_for(int fd, short events) const
{
    pollfd entry{fd, events, 0};
    while (!stop_) {
        if (::poll(&entry, 1, stop_check_interval_ms) > 0)
            return true;
    }
    return false;
}

void ScriptedPeer::record(std::size_t connection, const char* data, std::size_t size)
{
    const std::lock_guard lock(mutex_);
    received_[connection].append(data, size);
}
