#include "sitecheck/site_client.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QSocketNotifier>

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

// One client_connect that is still waiting. It lives on that call's stack, so
// it outlives the client when the client is destroyed during the wait.
struct SiteClient::ConnectWait {
    ConnectWait* outer = nullptr;  // an earlier connect, already abandoned
    QEventLoop* loop = nullptr;    // the loop the wait runs in right now
    bool abandoned = false;
    bool client_destroyed = false;

    void abandon()
    {
        abandoned = true;
        if (loop)
            loop->quit();
    }
};

namespace {

constexpr std::size_t read_piece_size = 1024;
constexpr int send_stall_limit_ms = 10'000;

// Closes a descriptor unless it has been handed on.
class SocketHandle {
public:
    explicit SocketHandle(int fd) : fd_(fd) {}
    ~SocketHandle()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    SocketHandle(const SocketHandle&) = delete;
    SocketHandle& operator=(const SocketHandle&) = delete;

    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// A name lookup on its own thread. The thread may outlive the connect that
// started it, so everything it touches is shared and guarded.
struct HostLookup {
    std::mutex mutex;
    QEventLoop* waiter = nullptr;  // cleared before the loop goes away
    bool done = false;
    std::optional<in_addr> address;
};

void run_host_lookup(const std::shared_ptr<HostLookup>& lookup, const std::string& host)
{
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    std::optional<in_addr> address;
    if (::getaddrinfo(host.c_str(), nullptr, &hints, &found) == 0 && found != nullptr) {
        sockaddr_in first{};
        std::memcpy(&first, found->ai_addr, std::min<std::size_t>(sizeof first, found->ai_addrlen));
        address = first.sin_addr;
    }
    if (found != nullptr)
        ::freeaddrinfo(found);

    const std::lock_guard lock(lookup->mutex);
    lookup->done = true;
    lookup->address = address;
    if (lookup->waiter != nullptr)
        QCoreApplication::postEvent(lookup->waiter, new QEvent(QEvent::Quit));
}

// Reads what the socket holds now, without waiting: first what it reports
// available, then pieces until a read yields nothing or the bound is reached.
std::string read_available(int fd, bool& peer_closed)
{
    int available = 0;
    if (::ioctl(fd, FIONREAD, &available) < 0)
        available = 0;
    std::size_t piece = static_cast<std::size_t>(std::max(available, 1));
    std::string data;
    while (data.size() < SiteClient::max_read_per_notification) {
        piece = std::min(piece, SiteClient::max_read_per_notification - data.size());
        const std::size_t old_size = data.size();
        data.resize(old_size + piece);
        const ssize_t got = ::recv(fd, data.data() + old_size, piece, 0);
        data.resize(old_size + static_cast<std::size_t>(std::max<ssize_t>(got, 0)));
        if (got > 0) {
            piece = read_piece_size;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        // EOF, or a reset: either way the peer has gone.
        if (got == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
            peer_closed = true;
        break;
    }
    return data;
}

bool wait_until_writable(int fd)
{
    pollfd entry{fd, POLLOUT, 0};
    for (;;) {
        const int ready = ::poll(&entry, 1, send_stall_limit_ms);
        if (ready > 0)
            return true;  // writable, or an error that the next send reports
        if (ready < 0 && errno == EINTR)
            continue;
        return false;
    }
}

}  // namespace

SiteClient::SiteClient(QObject* parent) : QObject(parent) {}

SiteClient::~SiteClient()
{
    for (ConnectWait* wait = connect_wait_; wait != nullptr; wait = wait->outer) {
        wait->client_destroyed = true;
        wait->abandon();
    }
    close_socket();
}

bool SiteClient::client_connect(const Text& host, int port)
{
    ConnectWait wait;
    wait.outer = connect_wait_;
    abandon_connect();
    close_socket();
    connect_wait_ = &wait;

    SocketHandle socket(open_connection(wait, host, port));
    if (wait.client_destroyed)
        return false;  // nothing of *this may be touched any more
    connect_wait_ = wait.outer;
    last_connect_abandoned_ = wait.abandoned;
    if (socket.get() < 0)
        return false;

    socket_fd_ = socket.release();
    read_notifier_ = new QSocketNotifier(static_cast<qintptr>(socket_fd_), QSocketNotifier::Read, this);
    connect(read_notifier_, &QSocketNotifier::activated, this, &SiteClient::on_readable);
    return true;
}

int SiteClient::open_connection(ConnectWait& wait, const Text& host, int port)
{
    SocketHandle socket(::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
    if (socket.get() < 0 || host.empty() || port < 0 || port > 65535)
        return -1;
    // A zero byte would cut the name short: such a host names nothing.
    if (host.find('\0') != Text::npos)
        return -1;

    in_addr address{};
    if (::inet_pton(AF_INET, host.c_str(), &address) != 1) {
        const std::optional<in_addr> found = look_up_host(wait, host);
        if (!found)
            return -1;
        address = *found;
    }
    if (!connect_socket(wait, socket.get(), address, port))
        return -1;
    return socket.release();
}

std::optional<in_addr> SiteClient::look_up_host(ConnectWait& wait, const Text& host)
{
    auto lookup = std::make_shared<HostLookup>();
    QEventLoop loop;
    lookup->waiter = &loop;
    try {
        std::thread(run_host_lookup, lookup, host).detach();
    } catch (const std::system_error&) {
        return std::nullopt;
    }

    const auto lookup_done = [&] {
        const std::lock_guard lock(lookup->mutex);
        return lookup->done;
    };
    const bool completed = wait_in_loop(wait, loop, lookup_done);

    const std::lock_guard lock(lookup->mutex);
    lookup->waiter = nullptr;
    if (!completed)
        return std::nullopt;
    return lookup->address;
}

bool SiteClient::connect_socket(ConnectWait& wait, int socket_fd, const in_addr& address, int port)
{
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_port = htons(static_cast<std::uint16_t>(port));
    target.sin_addr = address;
    if (::connect(socket_fd, reinterpret_cast<const sockaddr*>(&target), sizeof target) == 0)
        return true;
    if (errno != EINPROGRESS && errno != EINTR)
        return false;

    // The socket turns writable once the connect has succeeded or failed.
    bool settled = false;
    QEventLoop loop;
    QSocketNotifier writable(static_cast<qintptr>(socket_fd), QSocketNotifier::Write);
    QObject::connect(&writable, &QSocketNotifier::activated, &loop, [&] {
        settled = true;
        writable.setEnabled(false);
        loop.quit();
    });
    const bool completed = wait_in_loop(wait, loop, [&] { return settled; });
    writable.setEnabled(false);
    if (!completed)
        return false;

    int error = 0;
    socklen_t error_size = sizeof error;
    return ::getsockopt(socket_fd, SOL_SOCKET, SO_ERROR, &error, &error_size) == 0 && error == 0;
}

// Runs the loop until done() holds. Any other end of the loop (an abandon, or
// an application-wide quit that ends every loop) abandons the connect.
template <typename Done>
bool SiteClient::wait_in_loop(ConnectWait& wait, QEventLoop& loop, Done done)
{
    wait.loop = &loop;
    if (!wait.abandoned && !done())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    wait.loop = nullptr;
    if (!done())
        wait.abandoned = true;
    return !wait.abandoned;
}

bool SiteClient::client_send(const Text& data)
{
    if (socket_fd_ < 0)
        return false;
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t taken = ::send(socket_fd_, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (taken > 0) {
            sent += static_cast<std::size_t>(taken);
            continue;
        }
        if (taken < 0 && errno == EINTR)
            continue;
        // A full send buffer waits here rather than in the event loop, so that
        // no event can run in the middle of a send.
        if (taken < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && wait_until_writable(socket_fd_))
            continue;
        return false;
    }
    return true;
}

std::string SiteClient::client_get_data() const
{
    return event_data_;
}

void SiteClient::client_disconnect()
{
    abandon_connect();
    close_socket();
}

void SiteClient::abandon_connect()
{
    if (connect_wait_ != nullptr)
        connect_wait_->abandon();
}

bool SiteClient::connect_was_abandoned() const
{
    return last_connect_abandoned_;
}

void SiteClient::on_readable()
{
    if (socket_fd_ < 0)
        return;
    const std::uint64_t connection = connection_id_;
    bool peer_closed = false;
    std::string data = read_available(socket_fd_, peer_closed);

    if (!data.empty()) {
        // One event at a time: the handler may run a loop of its own (a
        // message box) and must not see the next data inside it.
        read_notifier_->setEnabled(false);
        const QPointer<SiteClient> alive(this);
        std::string outer_event_data = std::exchange(event_data_, std::move(data));
        emit dataArrived();
        if (!alive)
            return;
        event_data_ = std::move(outer_event_data);
        if (connection_id_ != connection)
            return;  // the handler disconnected or connected anew
        read_notifier_->setEnabled(!peer_closed);
    }
    if (peer_closed) {
        // The socket stays readable at EOF; without this the notifier would
        // fire for ever.
        read_notifier_->setEnabled(false);
        emit connectionClosed();
    }
}

void SiteClient::close_socket()
{
    if (read_notifier_ != nullptr) {
        read_notifier_->setEnabled(false);
        // It may be the sender whose signal is being handled right now.
        read_notifier_->deleteLater();
        read_notifier_ = nullptr;
    }
    if (socket_fd_ >= 0) {
        ::close(socket_fd_);
        socket_fd_ = -1;
    }
    ++connection_id_;
}
