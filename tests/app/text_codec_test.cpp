#include "app/text_codec.h"

#include <QtTest>

// The boundary between GBK inside and the widgets' Unicode.
class TextCodecTest : public QObject {
    Q_OBJECT

private slots:
    void convertsBothWays_data();
    void convertsBothWays();
    void unmappableCharactersBecomeQuestionMarks();
};

void TextCodecTest::convertsBothWays_data()
{
    QTest::addColumn<QByteArray>("gbk");
    QTest::addColumn<QString>("unicode");
    QTest::newRow("ascii") << QByteArray("host:80") << QStringLiteral("host:80");
    QTest::newRow("chinese") << QByteArray("\xBF\xAA\xCA\xBC") << QStringLiteral("开始");
    QTest::newRow("full-width digits") << QByteArray("\xA3\xB8\xA3\xB0") << QStringLiteral("８０");
    QTest::newRow("crlf") << QByteArray(" ms\r\n") << QStringLiteral(" ms\r\n");
    QTest::newRow("empty") << QByteArray() << QString();
}

void TextCodecTest::convertsBothWays()
{
    QFETCH(QByteArray, gbk);
    QFETCH(QString, unicode);
    const Text text = gbk.toStdString();
    QCOMPARE(to_qstring(text), unicode);
    QCOMPARE(to_text(unicode), text);
}

void TextCodecTest::unmappableCharactersBecomeQuestionMarks()
{
    QCOMPARE(to_text(QStringLiteral("a😀b\u0E01")), Text("a?b?"));
}

QTEST_GUILESS_MAIN(TextCodecTest)
#include "text_codec_test.moc"
