#include "app/text_codec.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr auto kCodec = "GBK";
}

QString to_qstring(const Text& text)
{
    // Stateless, so that a lead byte at the very end is not held back.
    QStringDecoder decode(kCodec, QStringConverter::Flag::Stateless);
    return decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

Text to_text(const QString& text)
{
    QStringEncoder encode(kCodec, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encode(text);
    return Text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
