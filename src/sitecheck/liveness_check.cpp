#include "sitecheck/liveness_check.h"

#include <QPointer>

#include "sitecheck/reply_verdict.h"
#include "sitecheck/site_client.h"

LivenessCheck::LivenessCheck(SiteClient& client, MessagePresenter& presenter, int port, QObject* parent)
    : QObject(parent), client_(client), presenter_(presenter), port_(port)
{
    connect(&client_, &SiteClient::dataArrived, this, &LivenessCheck::on_site_reply);
}

void LivenessCheck::start_liveness_exchange(const Text& host, const Text& request)
{
    const QPointer<LivenessCheck> alive(this);
    const QPointer<SiteClient> client_alive(&client_);
    const bool connected = client_.client_connect(host, port_);
    // The connect serves events while it waits; the window owning us may have
    // been closed meanwhile.
    if (!alive || !client_alive)
        return;
    if (connected) {
        // A failed send shows nothing; a reply may still come.
        client_.client_send(request);
        return;
    }
    if (!client_.connect_was_abandoned())
        presenter_.show_message(site_unreachable_text);
}

void LivenessCheck::on_site_reply()
{
    const std::string data = client_.client_get_data();
    // Before the verdict box opens, so that no further data can arrive while
    // it is shown: one verdict per connection.
    client_.client_disconnect();
    presenter_.show_message(site_verdict(data));
}
