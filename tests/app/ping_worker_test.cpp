#include "closed_port.h"
#include "loopback_listener.h"

#include "app/main_window.h"
#include "app/main_window_controls.h"
#include "probe/probe_texts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

// Clicks on the PING button start real workers that probe a loopback
// listener and report through the window's controls.
class PingWorkerTest : public QObject {
    Q_OBJECT

private slots:
    void singleProbeShowsItsOutcome_data();
    void singleProbeShowsItsOutcome();
    void continuousRunLogsUntilTheSecondClick();
    void runEndsQuietlyWhenTheWindowCloses();
};

void PingWorkerTest::singleProbeShowsItsOutcome_data()
{
    QTest::addColumn<bool>("listening");
    QTest::addColumn<QString>("shown");
    QTest::newRow("accepted") << true << QStringLiteral("                  连接成功！ 延迟:");
    QTest::newRow("refused") << false << QStringLiteral("                  连接失败！");
}

void PingWorkerTest::singleProbeShowsItsOutcome()
{
    QFETCH(bool, listening);
    QFETCH(QString, shown);
    LoopbackListener listener;
    ClosedPort closed;
    const int port = listening ? listener.port() : closed.port();

    MainWindow window;
    window.findChild<QLineEdit*>("编辑框1")->setText(QStringLiteral("127.0.0.1:%1").arg(port));
    auto* status = window.findChild<QLabel*>("标签3");
    QTest::mouseClick(window.findChild<QPushButton*>("按钮1"), Qt::LeftButton);

    QTRY_VERIFY(status->text().startsWith(shown));
    if (listening)
        QVERIFY(status->text().endsWith(QStringLiteral("Ms")));
    QCOMPARE(window.findChild<QPushButton*>("按钮1")->text(), QStringLiteral("PING"));
    QVERIFY(window.findChild<QPlainTextEdit*>("编辑框2")->toPlainText().isEmpty());
}

void PingWorkerTest::continuousRunLogsUntilTheSecondClick()
{
    LoopbackListener listener;
    MainWindow window;
    window.findChild<QLineEdit*>("编辑框1")->setText(QStringLiteral("127.0.0.1:%1").arg(listener.port()));
    QTest::mouseClick(window.findChild<QCheckBox*>("选择框1"), Qt::LeftButton);
    auto* button = window.findChild<QPushButton*>("按钮1");
    auto* log = window.findChild<QPlainTextEdit*>("编辑框2");

    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE(button->text(), QStringLiteral("停止"));
    QTRY_COMPARE(log->blockCount(), 2); // one line and the empty one after it
    QTest::mouseClick(button, Qt::LeftButton);
    QTRY_COMPARE(button->text(), QStringLiteral("开始"));
    QTest::qWait(1300);
    QCOMPARE(log->blockCount(), 2);
    QVERIFY(log->toPlainText().startsWith(QStringLiteral("连接 127.0.0.1:%1 成功 延迟: ").arg(listener.port())));
}

void PingWorkerTest::runEndsQuietlyWhenTheWindowCloses()
{
    LoopbackListener listener;
    std::shared_ptr<MainWindowControls> controls;
    {
        MainWindow window;
        controls = window.controls();
        window.findChild<QLineEdit*>("编辑框1")->setText(QStringLiteral("127.0.0.1:%1").arg(listener.port()));
        QTest::mouseClick(window.findChild<QCheckBox*>("选择框1"), Qt::LeftButton);
        for (int i = 0; i < 3; ++i) // start, stop, start: a run goes on
            QTest::mouseClick(window.findChild<QPushButton*>("按钮1"), Qt::LeftButton);
        QTRY_VERIFY(!window.findChild<QPlainTextEdit*>("编辑框2")->toPlainText().isEmpty());
    }
    // The run's next access finds the window gone and ends; the layer stays
    // alive only through the workers that still hold it.
    QTRY_VERIFY_WITH_TIMEOUT(controls.use_count() == 1, 3000);
}

QTEST_MAIN(PingWorkerTest)
#include "ping_worker_test.moc"
