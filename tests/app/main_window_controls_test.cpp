#include "app/main_window.h"
#include "app/main_window_controls.h"
#include "app/text_codec.h"
#include "probe/ping_run.h"
#include "probe/probe_texts.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QtTest>

#include <atomic>
#include <thread>
#include <vector>

// The layer between PING workers and the main window, driven from real
// threads: every access whole, nothing lost, nothing after the window goes.
class MainWindowControlsTest : public QObject {
    Q_OBJECT

private slots:
    void workerWritesReachTheWidgets();
    void targetTypedIsSeenByWorkers();
    void concurrentAppendsKeepEveryLineWhole();
    void onlyOneOfManyRacingStartClicksStartsARun();
    void userTextInTheLogStaysAndLinesFollowIt();
    void accessesAfterTheWindowIsGoneEndQuietly();
};

void MainWindowControlsTest::workerWritesReachTheWidgets()
{
    MainWindow window;
    auto controls = window.controls();
    std::thread([controls] {
        controls->set_status(kStatusFailure);
        controls->set_caption(kCaptionStop);
    }).join();

    QCOMPARE(controls->caption(), kCaptionStop); // at once, without the UI thread
    QTRY_COMPARE(window.findChild<QLabel*>("标签3")->text(), QStringLiteral("                  连接失败！"));
    QTRY_COMPARE(window.findChild<QPushButton*>("按钮1")->text(), QStringLiteral("停止"));
}

void MainWindowControlsTest::targetTypedIsSeenByWorkers()
{
    MainWindow window;
    auto* target = window.findChild<QLineEdit*>("编辑框1");
    target->setText(QStringLiteral("中文😀:８０"));
    Text seen;
    std::thread([&seen, controls = window.controls()] { seen = controls->target_text(); }).join();
    QCOMPARE(seen, Text("\xD6\xD0\xCE\xC4?:\xA3\xB8\xA3\xB0"));
}

void MainWindowControlsTest::concurrentAppendsKeepEveryLineWhole()
{
    MainWindow window;
    auto controls = window.controls();
    constexpr int kWorkers = 16;
    constexpr int kLines = 200;
    std::vector<std::thread> workers;
    for (int w = 0; w < kWorkers; ++w) {
        workers.emplace_back([controls, w] {
            for (int i = 0; i < kLines; ++i)
                controls->append_to_log("w" + std::to_string(w) + " line " + std::to_string(i) + "\r\n");
        });
    }
    for (auto& worker : workers)
        worker.join();

    auto* log = window.findChild<QPlainTextEdit*>("编辑框2");
    QTRY_COMPARE(log->blockCount(), kWorkers * kLines + 1);
    const QStringList lines = log->toPlainText().split('\n');
    for (int w = 0; w < kWorkers; ++w) {
        int next = 0; // each worker's lines arrive in its own order
        for (const QString& line : lines) {
            if (line.startsWith(QStringLiteral("w%1 ").arg(w))) {
                QCOMPARE(line, QStringLiteral("w%1 line %2").arg(w).arg(next));
                ++next;
            }
        }
        QCOMPARE(next, kLines);
    }
    QCOMPARE(log->textCursor().position(), log->document()->characterCount() - 1);
}

void MainWindowControlsTest::onlyOneOfManyRacingStartClicksStartsARun()
{
    MainWindow window;
    auto controls = window.controls();
    controls->set_caption(kCaptionStart);
    std::atomic<int> starts{0};
    std::vector<std::thread> clicks;
    for (int i = 0; i < 8; ++i) {
        clicks.emplace_back([controls, &starts] {
            if (controls->update_caption(caption_after_click) == kCaptionStart)
                ++starts;
        });
    }
    for (auto& click : clicks)
        click.join();
    QCOMPARE(starts.load(), 4); // start, stop, start, ... : every other click starts
    QCOMPARE(controls->caption(), kCaptionStart);
}

void MainWindowControlsTest::userTextInTheLogStaysAndLinesFollowIt()
{
    MainWindow window;
    auto* log = window.findChild<QPlainTextEdit*>("编辑框2");
    log->setPlainText(QStringLiteral("typed by hand"));
    QTextCursor selection(log->document());
    selection.setPosition(0);
    selection.setPosition(5, QTextCursor::KeepAnchor);
    log->setTextCursor(selection);

    window.controls()->append_to_log("\xC1\xAC\xBD\xD3 a:1 \xCA\xA7\xB0\xDC !\r\n");
    QTRY_COMPARE(log->toPlainText(), QStringLiteral("typed by hand连接 a:1 失败 !\n"));
    QVERIFY(!log->textCursor().hasSelection());
}

void MainWindowControlsTest::accessesAfterTheWindowIsGoneEndQuietly()
{
    std::shared_ptr<MainWindowControls> controls;
    {
        MainWindow window;
        controls = window.controls();
        controls->append_to_log("queued while the window still stands\r\n");
    }
    int gone = 0;
    std::thread([&] {
        auto expect_gone = [&](auto access) {
            try {
                access();
            } catch (const ControlsGone&) {
                ++gone;
            }
        };
        expect_gone([&] { controls->target_text(); });
        expect_gone([&] { controls->caption(); });
        expect_gone([&] { controls->set_caption(kCaptionStart); });
        expect_gone([&] { controls->update_caption(caption_after_click); });
        expect_gone([&] { controls->set_status(kStatusFailure); });
        expect_gone([&] { controls->append_to_log("late\r\n"); });
    }).join();
    QCOMPARE(gone, 6);
    QTest::qWait(20); // anything still queued for the dead window must not run
}

QTEST_MAIN(MainWindowControlsTest)
#include "main_window_controls_test.moc"
