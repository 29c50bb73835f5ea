#include "app/text_codec.h"

#include <QByteArray>
#include <QStringDecoder>
#include <QStringEncoder>

namespace {
constexpr auto kCodec = "GBK";
}

// Opening a converter is the costly part, so each thread keeps one of each;
// stateless, they carry nothing from one text to the next.
QString to_qstring(const Text& text)
{
    thread_local QStringDecoder decode(kCodec, QStringConverter::Flag::Stateless);
    return decode(QByteArrayView(text.data(), static_cast<qsizetype>(text.size())));
}

Text to_text(const QString& text)
{
    thread_local QStringEncoder encode(kCodec, QStringConverter::Flag::Stateless);
    const QByteArray bytes = encode(text);
    return Text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}
