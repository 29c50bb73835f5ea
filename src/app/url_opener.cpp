#include "app/url_opener.h"

#include <QByteArray>
#include <QDesktopServices>
#include <QUrl>

void DesktopUrlOpener::open_url_in_browser(const Text& url)
{
    // The bytes go as they are; only what a URL cannot carry raw (blanks, GBK
    // bytes) travels percent-encoded.
    const QByteArray bytes(url.data(), static_cast<qsizetype>(url.size()));
    QDesktopServices::openUrl(QUrl::fromEncoded(bytes, QUrl::TolerantMode));
}
