#pragma once

#include <QObject>

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "text/gbk_text.h"

class QEventLoop;
class QSocketNotifier;
struct in_addr;

// The site window's TCP client: at most one IPv4 connection, on a POSIX
// socket, whose arriving data and closing by the peer are reported on the
// thread that owns the client (the UI thread).
//
// client_connect waits in a local event loop that leaves user input queued:
// windows keep painting and queued events are served while a slow host is
// looked up and dialled. Whatever that loop serves may end the wait early:
// client_disconnect, abandon_connect, a newer client_connect,
// QCoreApplication::quit, or the destruction of the client. client_connect
// then yields false and connect_was_abandoned() tells it apart from a failure.
//
// The client may be destroyed while its own connect waits (its window is
// closed, say): client_connect then returns false without touching the
// destroyed object, and its caller must check with a QPointer that the client
// still exists before using it again. Owners should destroy it with
// deleteLater, so that a connect started after the request cannot be cut
// short by it: Qt does not run a deferred delete inside a nested loop started
// after it.
class SiteClient : public QObject {
    Q_OBJECT

public:
    // Most bytes one data notification reads, so that a peer that streams
    // without end neither stalls the UI thread nor fills memory.
    static constexpr std::size_t max_read_per_notification = std::size_t{1} << 20;

    explicit SiteClient(QObject* parent = nullptr);
    ~SiteClient() override;

    SiteClient(const SiteClient&) = delete;
    SiteClient& operator=(const SiteClient&) = delete;

    // Drops any socket held (silently), then connects to a dotted IPv4
    // address or to the first IPv4 address of a host name. False for an empty
    // host, a name that does not resolve, a refused or failed connect, or an
    // abandoned wait.
    bool client_connect(const Text& host, int port);

    // Hands all bytes of data to the socket; false without a socket or when a
    // write fails (or the send buffer stays full for 10 seconds).
    bool client_send(const Text& data);

    // The bytes of the dataArrived being raised; empty outside it.
    std::string client_get_data() const;

    // Closes the socket, if any, without raising an event; also abandons a
    // connect that is still waiting.
    void client_disconnect();

    // Makes a client_connect that is still waiting yield false.
    void abandon_connect();

    // Whether the last client_connect that returned was abandoned rather than
    // failed.
    bool connect_was_abandoned() const;

signals:
    // Raised once per notification that read at least one byte; the handler
    // may call client_disconnect or client_connect.
    void dataArrived();
    // Raised when the peer closed the connection, after any data it sent.
    void connectionClosed();

private:
    struct ConnectWait;

    static int open_connection(ConnectWait& wait, const Text& host, int port);
    static std::optional<in_addr> look_up_host(ConnectWait& wait, const Text& host);
    static bool connect_socket(ConnectWait& wait, int socket_fd, const in_addr& address, int port);
    template <typename Done>
    static bool wait_in_loop(ConnectWait& wait, QEventLoop& loop, Done done);

    void on_readable();
    void close_socket();

    int socket_fd_ = -1;
    QSocketNotifier* read_notifier_ = nullptr;
    std::uint64_t connection_id_ = 0;  // changes whenever the socket is dropped
    std::string event_data_;
    ConnectWait* connect_wait_ = nullptr;  // innermost connect still waiting
    bool last_connect_abandoned_ = false;
};
