#include "sitecheck/liveness_check.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSignalSpy>
#include <QTimer>
#include <QtTest>

#include "closed_port.h"
#include "full_backlog_listener.h"
#include "gbk_from_utf8.h"
#include "scripted_peer.h"
#include "sitecheck/reply_verdict.h"
#include "sitecheck/site_client.h"
#include "sitecheck/site_request.h"

Q_DECLARE_METATYPE(ScriptedPeer::Script)

namespace {

// Records messages instead of showing them; returns at once.
class RecordingPresenter : public MessagePresenter {
public:
    void show_message(const Text& text) override { messages << QByteArray::fromStdString(text); }
    QList<QByteArray> messages;
};

const QByteArray reachable = QByteArray::fromStdString(site_reachable_text);
const QByteArray unreachable = QByteArray::fromStdString(site_unreachable_text);

void serve_pending_events()
{
    for (int round = 0; round < 10; ++round)
        QCoreApplication::processEvents();
}

ScriptedPeer::Script script_of(std::size_t request_size, const ScriptedPeer::Script& after_request)
{
    ScriptedPeer::Script script{ScriptedPeer::receive(request_size)};
    script.insert(script.end(), after_request.begin(), after_request.end());
    script.push_back(ScriptedPeer::await_client_close());
    return script;
}

}  // namespace

class LivenessCheckTest : public QObject {
    Q_OBJECT

private slots:
    void first_data_gives_one_verdict_data();
    void first_data_gives_one_verdict();
    void no_data_gives_no_message_data();
    void no_data_gives_no_message();
    void failed_connect_tells_at_once_data();
    void failed_connect_tells_at_once();
    void second_check_drops_the_first_silently();
    void check_abandoned_while_connecting_data();
    void check_abandoned_while_connecting();
    void program_ending_while_connecting_shows_nothing();
};

void LivenessCheckTest::first_data_gives_one_verdict_data()
{
    QTest::addColumn<QByteArray>("address");
    QTest::addColumn<ScriptedPeer::Script>("reply");
    QTest::addColumn<QByteArray>("verdict");

    using P = ScriptedPeer;
    QTest::newRow("status line 200 OK") << QByteArray("127.0.0.1/index.html")
                                        << P::Script{P::send("HTTP/1.1 200 OK\r\nContent-Length: 0\r\n\r\n")}
                                        << reachable;
    QTest::newRow("redirect") << QByteArray("http://127.0.0.1/")
                              << P::Script{P::send("HTTP/1.1 301 Moved Permanently\r\nLocation: https://x/\r\n\r\n")}
                              << unreachable;
    QTest::newRow("marker completed only by a later piece")
        << QByteArray("127.0.0.1")
        << P::Script{P::send("HTTP/1.1 200 O"), P::await_client_close(), P::send("K\r\n\r\n")} << unreachable;
    QTest::newRow("reply then peer closes") << QByteArray("127.0.0.1/") << P::Script{P::send("HTTP/1.0 200 ok\r\n")}
                                            << reachable;
    QTest::newRow("host name looked up") << QByteArray("localhost/a")
                                         << P::Script{P::send("HTTP/1.1 200 OK\r\n\r\n")} << reachable;
    QTest::newRow("100 000-byte path with Chinese and blanks")
        << QByteArray::fromStdString("127.0.0.1/" + gbk_from_utf8("中 文") + std::string(100'000, 'p'))
        << P::Script{P::send("HTTP/1.1 200 OK\r\n\r\n")} << reachable;
}

void LivenessCheckTest::first_data_gives_one_verdict()
{
    QFETCH(QByteArray, address);
    QFETCH(ScriptedPeer::Script, reply);
    QFETCH(QByteArray, verdict);

    const SiteRequest site = build_site_request(address.toStdString());
    ScriptedPeer peer({script_of(site.request.size(), reply)});
    SiteClient client;
    RecordingPresenter presenter;
    LivenessCheck check(client, presenter, peer.port());

    check.start_liveness_exchange(site.host, site.request);

    QTRY_COMPARE(presenter.messages.size(), 1);
    QCOMPARE(presenter.messages.front(), verdict);
    // The verdict closed the connection; the wire held the request, nothing more.
    QTRY_VERIFY(peer.finished());
    QVERIFY(peer.received(0) == site.request);
    serve_pending_events();
    QCOMPARE(presenter.messages.size(), 1);
}

enum class Ending { PeerCloses, ClientDisconnects, ClientDestroyed };
Q_DECLARE_METATYPE(Ending)

void LivenessCheckTest::no_data_gives_no_message_data()
{
    QTest::addColumn<Ending>("ending");

    QTest::newRow("peer closes without a byte") << Ending::PeerCloses;
    QTest::newRow("peer never answers, then disconnect") << Ending::ClientDisconnects;
    QTest::newRow("peer never answers, then client destroyed") << Ending::ClientDestroyed;
}

void LivenessCheckTest::no_data_gives_no_message()
{
    QFETCH(Ending, ending);

    const SiteRequest site = build_site_request("127.0.0.1/");
    ScriptedPeer::Script script{ScriptedPeer::receive(site.request.size())};
    if (ending != Ending::PeerCloses)
        script.push_back(ScriptedPeer::await_client_close());
    ScriptedPeer peer({script});
    RecordingPresenter presenter;
    QPointer<SiteClient> client = new SiteClient;
    QSignalSpy arrived(client.data(), &SiteClient::dataArrived);
    QSignalSpy closed(client.data(), &SiteClient::connectionClosed);
    LivenessCheck check(*client, presenter, peer.port());

    check.start_liveness_exchange(site.host, site.request);

    QTRY_COMPARE(peer.received(0).size(), site.request.size());
    if (ending == Ending::PeerCloses) {
        QTRY_COMPARE(closed.count(), 1);
    }
    serve_pending_events();
    QCOMPARE(closed.count(), ending == Ending::PeerCloses ? 1 : 0);
    QCOMPARE(arrived.count(), 0);
    QVERIFY(presenter.messages.isEmpty());

    if (ending == Ending::ClientDestroyed)
        delete client.data();
    else
        client->client_disconnect();
    // The peer sees the connection go.
    QTRY_VERIFY(peer.finished());
    serve_pending_events();
    QVERIFY(presenter.messages.isEmpty());
    delete client.data();
}

void LivenessCheckTest::failed_connect_tells_at_once_data()
{
    QTest::addColumn<QByteArray>("address");

    QTest::newRow("connect refused") << QByteArray("127.0.0.1/");
    QTest::newRow("empty address") << QByteArray("");
    QTest::newRow("unresolvable name") << QByteArray("http://no-such-site.kelvane.invalid/");
    QTest::newRow("port kept in the name") << QByteArray("127.0.0.1:8080/p");
}

void LivenessCheckTest::failed_connect_tells_at_once()
{
    QFETCH(QByteArray, address);

    const ClosedPort closed_port;
    SiteClient client;
    RecordingPresenter presenter;
    LivenessCheck check(client, presenter, closed_port.port());
    const SiteRequest site = build_site_request(address.toStdString());

    check.start_liveness_exchange(site.host, site.request);

    QCOMPARE(presenter.messages, QList<QByteArray>{unreachable});
    QVERIFY(!client.connect_was_abandoned());
    QVERIFY(!client.client_send("x"));
}

// The first site only answers once the second check has connected; that
// answer must not reach the user.
void LivenessCheckTest::second_check_drops_the_first_silently()
{
    const SiteRequest first = build_site_request("127.0.0.1/first");
    const SiteRequest second = build_site_request("127.0.0.1/second");
    using P = ScriptedPeer;
    P peer({{P::receive(first.request.size()), P::await_next_connection(), P::send("HTTP/1.1 200 OK\r\n\r\n"),
             P::await_client_close()},
            script_of(second.request.size(), {P::send("HTTP/1.1 503 Service Unavailable\r\n\r\n")})});
    SiteClient client;
    RecordingPresenter presenter;
    LivenessCheck check(client, presenter, peer.port());

    check.start_liveness_exchange(first.host, first.request);
    QTRY_COMPARE(peer.received(0).size(), first.request.size());
    check.start_liveness_exchange(second.host, second.request);

    QTRY_VERIFY(peer.finished());
    serve_pending_events();
    QCOMPARE(presenter.messages, QList<QByteArray>{unreachable});
    QVERIFY(peer.received(1) == second.request);
}

enum class Abandonment { ClientDisconnected, ClientDestroyed, OwnerOfClientAndCheckDestroyed };
Q_DECLARE_METATYPE(Abandonment)

void LivenessCheckTest::check_abandoned_while_connecting_data()
{
    QTest::addColumn<Abandonment>("abandonment");

    QTest::newRow("client disconnected") << Abandonment::ClientDisconnected;
    QTest::newRow("client destroyed") << Abandonment::ClientDestroyed;
    QTest::newRow("window owning client and check destroyed") << Abandonment::OwnerOfClientAndCheckDestroyed;
}

void LivenessCheckTest::check_abandoned_while_connecting()
{
    QFETCH(Abandonment, abandonment);

    FullBacklogListener silent_listener;
    RecordingPresenter presenter;
    QPointer<QObject> window = new QObject;
    QPointer<SiteClient> client = new SiteClient(window);
    QPointer<LivenessCheck> check = new LivenessCheck(*client, presenter, silent_listener.port(), window);
    bool interrupted = false;
    QTimer::singleShot(0, this, [&] {
        interrupted = true;
        switch (abandonment) {
        case Abandonment::ClientDisconnected: client->client_disconnect(); break;
        case Abandonment::ClientDestroyed: delete client.data(); break;
        case Abandonment::OwnerOfClientAndCheckDestroyed: delete window.data(); break;
        }
    });
    bool rescued = false;
    QTimer::singleShot(10'000, this, [&] {
        rescued = true;
        if (client)
            client->abandon_connect();
    });
    const SiteRequest site = build_site_request("127.0.0.1/");

    check->start_liveness_exchange(site.host, site.request);

    QVERIFY(interrupted);
    QVERIFY(!rescued);
    QVERIFY(presenter.messages.isEmpty());
    serve_pending_events();
    QVERIFY(presenter.messages.isEmpty());
    delete window.data();
}

// Closing the last window ends every running loop, the connect's wait too.
void LivenessCheckTest::program_ending_while_connecting_shows_nothing()
{
    FullBacklogListener silent_listener;
    SiteClient client;
    RecordingPresenter presenter;
    LivenessCheck check(client, presenter, silent_listener.port());
    const SiteRequest site = build_site_request("127.0.0.1/");
    bool returned = false;
    QTimer::singleShot(0, this, [&] {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        check.start_liveness_exchange(site.host, site.request);
        returned = true;
    });
    bool rescued = false;
    QTimer::singleShot(10'000, this, [&] {
        rescued = true;
        client.abandon_connect();
        QCoreApplication::quit();
    });

    QCoreApplication::exec();

    QVERIFY(returned);
    QVERIFY(!rescued);
    QVERIFY(client.connect_was_abandoned());
    QVERIFY(presenter.messages.isEmpty());
}

QTEST_GUILESS_MAIN(LivenessCheckTest)
#include "liveness_check_test.moc"
