#include "sitecheck/site_client.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <thread>

#include "full_backlog_listener.h"
#include "scripted_peer.h"

namespace {

// Lets every socket notification that is due be served; a notifier left
// enabled on a socket at end of file would fire again on each round.
void serve_pending_events()
{
    for (int round = 0; round < 10; ++round)
        QCoreApplication::processEvents();
}

}  // namespace

class SiteClientTest : public QObject {
    Q_OBJECT

private slots:
    void data_comes_before_close_and_only_during_the_event();
    void handler_finishes_before_the_next_event();
    void endless_stream_is_read_in_bounded_pieces();
    void reset_peer_is_a_close_and_send_fails_quietly();
    void send_needs_a_connection();
    void waiting_connect_is_abandoned_data();
    void waiting_connect_is_abandoned();
};

void SiteClientTest::data_comes_before_close_and_only_during_the_event()
{
    ScriptedPeer peer({{ScriptedPeer::send("hello")}});
    SiteClient client;
    QStringList events;
    connect(&client, &SiteClient::dataArrived, this,
            [&] { events << "data:" + QString::fromStdString(client.client_get_data()); });
    connect(&client, &SiteClient::connectionClosed, this, [&] { events << "closed"; });

    QVERIFY(client.client_connect("127.0.0.1", peer.port()));
    QTRY_COMPARE(events, (QStringList{"data:hello", "closed"}));
    QVERIFY(client.client_get_data().empty());
    serve_pending_events();
    QCOMPARE(events, (QStringList{"data:hello", "closed"}));
}

// A handler that runs a loop of its own (a message box) must not receive
// the next data inside it.
void SiteClientTest::handler_finishes_before_the_next_event()
{
    ScriptedPeer peer({{ScriptedPeer::send("one"), ScriptedPeer::await_release(), ScriptedPeer::send("two")}});
    SiteClient client;
    QStringList events;
    int depth = 0;
    int deepest = 0;
    connect(&client, &SiteClient::dataArrived, this, [&] {
        deepest = std::max(deepest, ++depth);
        events << QString::fromStdString(client.client_get_data());
        if (events.size() == 1) {
            peer.release();
            const QDeadlineTimer deadline(5000);
            while (!peer.finished() && !deadline.hasExpired())
                QCoreApplication::processEvents();
            serve_pending_events();
        }
        --depth;
    });
    QSignalSpy closed(&client, &SiteClient::connectionClosed);

    QVERIFY(client.client_connect("127.0.0.1", peer.port()));
    QTRY_COMPARE(closed.count(), 1);
    QCOMPARE(events, (QStringList{"one", "two"}));
    QCOMPARE(deepest, 1);
}

void SiteClientTest::endless_stream_is_read_in_bounded_pieces()
{
    ScriptedPeer peer({{ScriptedPeer::stream()}});
    SiteClient client;
    std::vector<std::size_t> sizes;
    connect(&client, &SiteClient::dataArrived, this, [&] {
        sizes.push_back(client.client_get_data().size());
        // A slow first handler lets more than the bound pile up for the next
        // notification.
        if (sizes.size() == 1) {
            QDeadlineTimer deadline(5000);
            while (peer.bytes_streamed() < sizes[0] + 2 * SiteClient::max_read_per_notification
                   && !deadline.hasExpired())
                std::this_thread::yield();
        }
    });

    QVERIFY(client.client_connect("127.0.0.1", peer.port()));
    QTRY_VERIFY(sizes.size() >= 3);
    // Other events are still served while the stream goes on.
    bool timer_served = false;
    QTimer::singleShot(0, this, [&] { timer_served = true; });
    QTRY_VERIFY(timer_served);
    const std::size_t served_notifications = sizes.size();
    QTRY_VERIFY(sizes.size() > served_notifications);

    client.client_disconnect();
    QTRY_VERIFY(peer.finished());
    QVERIFY(*std::max_element(sizes.begin(), sizes.end()) <= SiteClient::max_read_per_notification);
    QCOMPARE(sizes[1], SiteClient::max_read_per_notification);
}

void SiteClientTest::reset_peer_is_a_close_and_send_fails_quietly()
{
    ScriptedPeer peer({{ScriptedPeer::receive(1), ScriptedPeer::reset()}});
    SiteClient client;
    QSignalSpy arrived(&client, &SiteClient::dataArrived);
    QSignalSpy closed(&client, &SiteClient::connectionClosed);

    QVERIFY(client.client_connect("127.0.0.1", peer.port()));
    QVERIFY(client.client_send("x"));
    QTRY_COMPARE(closed.count(), 1);
    // Would raise SIGPIPE and end the process if the send did not suppress it.
    QVERIFY(!client.client_send(std::string(100'000, 'x')));
    serve_pending_events();
    QCOMPARE(closed.count(), 1);
    QCOMPARE(arrived.count(), 0);
}

void SiteClientTest::send_needs_a_connection()
{
    ScriptedPeer peer({{ScriptedPeer::await_client_close()}});
    SiteClient client;
    QVERIFY(!client.client_send("GET"));
    QVERIFY(client.client_connect("127.0.0.1", peer.port()));
    QVERIFY(client.client_send(""));
    QVERIFY(client.client_send("GET"));
    client.client_disconnect();
    QVERIFY(!client.client_send("GET"));
    QTRY_VERIFY(peer.finished());
    QCOMPARE(peer.received(0), std::string("GET"));
}

enum class Interruption { AbandonConnect, ClientDisconnect, NewerConnect, DeleteClient, DeleteClientLater };
Q_DECLARE_METATYPE(Interruption)

void SiteClientTest::waiting_connect_is_abandoned_data()
{
    QTest::addColumn<Interruption>("interruption");
    QTest::addColumn<bool>("client_survives");

    QTest::newRow("abandon_connect") << Interruption::AbandonConnect << true;
    QTest::newRow("client_disconnect") << Interruption::ClientDisconnect << true;
    QTest::newRow("a newer client_connect") << Interruption::NewerConnect << true;
    QTest::newRow("client deleted") << Interruption::DeleteClient << false;
    QTest::newRow("client deleted later") << Interruption::DeleteClientLater << false;
}

// The connect goes to a listener that never answers, so only the
// interruption, served by the connect's own wait, can end it.
void SiteClientTest::waiting_connect_is_abandoned()
{
    QFETCH(Interruption, interruption);
    QFETCH(bool, client_survives);

    FullBacklogListener silent_listener;
    ScriptedPeer peer({{ScriptedPeer::await_client_close()}});
    QPointer<SiteClient> client = new SiteClient;
    bool newer_connected = false;
    bool interrupted = false;
    QTimer::singleShot(0, this, [&] {
        interrupted = true;
        switch (interruption) {
        case Interruption::AbandonConnect: client->abandon_connect(); break;
        case Interruption::ClientDisconnect: client->client_disconnect(); break;
        case Interruption::NewerConnect: newer_connected = client->client_connect("127.0.0.1", peer.port()); break;
        case Interruption::DeleteClient: delete client.data(); break;
        case Interruption::DeleteClientLater: client->deleteLater(); break;
        }
    });
    // Turns a hang into a failure.
    bool rescued = false;
    QTimer::singleShot(10'000, this, [&] {
        rescued = true;
        if (client)
            client->abandon_connect();
    });

    const bool connected = client->client_connect("127.0.0.1", silent_listener.port());

    QVERIFY(interrupted);
    QVERIFY(!rescued);
    QVERIFY(!connected);
    QCOMPARE(!client.isNull(), client_survives);
    if (!client)
        return;
    QVERIFY(client->connect_was_abandoned());
    if (interruption == Interruption::NewerConnect) {
        // The newer connection is the one the client holds now.
        QVERIFY(newer_connected);
        QVERIFY(client->client_send("after"));
        client->client_disconnect();
        QTRY_VERIFY(peer.finished());
        QCOMPARE(peer.received(0), std::string("after"));
    }
    delete client.data();
}

QTEST_GUILESS_MAIN(SiteClientTest)
#include "site_client_test.moc"
