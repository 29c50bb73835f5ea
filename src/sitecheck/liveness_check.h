#pragma once

#include <QObject>

#include "sitecheck/message_presenter.h"
#include "text/gbk_text.h"

class SiteClient;

// Sites are always checked on the HTTP port; a port in the address is not used.
inline constexpr int site_port = 80;

// The exchange of one site check: connect, send the request, and judge the
// first data that comes back. A site that never answers gets no message.
// The client and the presenter must outlive the check.
class LivenessCheck : public QObject {
    Q_OBJECT

public:
    LivenessCheck(SiteClient& client, MessagePresenter& presenter, int port = site_port,
                  QObject* parent = nullptr);

    // Connects to host and sends request, or tells the user at once that the
    // site cannot be reached. A connect abandoned because the client or this
    // check went away, or the program is ending, shows nothing.
    void start_liveness_exchange(const Text& host, const Text& request);

    // Handles the client's dataArrived: one verdict per connection.
    void on_site_reply();

private:
    SiteClient& client_;
    MessagePresenter& presenter_;
    int port_;
};
