#include "shown_text.h"

#include "app/main_window.h"
#include "app/main_window_controls.h"
#include "app/text_codec.h"
#include "probe/probe_texts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

// The main window as the user meets it, on the offscreen platform (where the
// window has no frame, so outer and client sizes agree).
class MainWindowTest : public QObject {
    Q_OBJECT

private:
    template <typename Control>
    static Control* control(QWidget& window, const char* name)
    {
        auto* found = window.findChild<Control*>(QString::fromUtf8(name));
        if (found == nullptr)
            qFatal("no control %s", name);
        return found;
    }

private slots:
    void startsInItsLayout_data();
    void startsInItsLayout();
    void startsSingleAndAboveOtherWindows();
    void continuousModeGrowsTheWindowAndRenamesTheButton();
    void frontDisplayFollowsItsBox();
    void escapeClosesFromAnyControl_data();
    void escapeClosesFromAnyControl();
    void enterInTheLogInsertsALineBreak();
};

void MainWindowTest::startsInItsLayout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");

    QTest::newRow("site button") << "按钮12" << QRect(104, 88, 112, 24) << "检测网站存活";
    QTest::newRow("log") << "编辑框2" << QRect(2, 116, 315, 152) << "";
    QTest::newRow("front display") << "选择框2" << QRect(250, 93, 68, 16) << "前端显示";
    QTest::newRow("continuous ping") << "选择框1" << QRect(4, 93, 72, 16) << "持续PING";
    QTest::newRow("status") << "标签3" << QRect(8, 69, 304, 24)
                            << "编辑框内容必须为\"IP:端口\"格式 如:\"192.168.1.1:80\"";
    QTest::newRow("ping button") << "按钮1" << QRect(256, 45, 50, 25) << "PING";
    QTest::newRow("target") << "编辑框1" << QRect(72, 45, 176, 24) << "www.example.com:80";
    QTest::newRow("target label") << "标签2" << QRect(8, 45, 56, 24) << "IP:端口";
    QTest::newRow("banner") << "标签1" << QRect(-1, 1, 320, 37) << "";
}

void MainWindowTest::startsInItsLayout()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);

    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto* found = window.findChild<QWidget*>(name);
    QVERIFY(found != nullptr);
    QCOMPARE(found->geometry(), geometry);
    QVERIFY(found->isEnabled());

    QCOMPARE(shown_text(found), text);
}

void MainWindowTest::startsSingleAndAboveOtherWindows()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.frameGeometry().size(), QSize(325, 140));
    QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(control<QCheckBox>(window, "选择框2")->isChecked());
    QVERIFY(!control<QCheckBox>(window, "选择框1")->isChecked());
    QCOMPARE(window.windowTitle().left(8), QStringLiteral("Kelvane "));
    QVERIFY(!window.windowIcon().isNull());

    QCOMPARE(window.outer_height(), 140);
    QCOMPARE(window.minimumSize(), window.maximumSize());
}

void MainWindowTest::continuousModeGrowsTheWindowAndRenamesTheButton()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    const QPoint corner = window.frameGeometry().topLeft();
    auto* box = control<QCheckBox>(window, "选择框1");
    auto* button = control<QPushButton>(window, "按钮1");

    QTest::mouseClick(box, Qt::LeftButton);
    QTRY_COMPARE(window.frameGeometry().size(), QSize(325, 297));
    QTRY_COMPARE(button->text(), QStringLiteral("开始"));
    QCOMPARE(window.controls()->caption(), kCaptionStart);
    QCOMPARE(window.frameGeometry().topLeft(), corner);
    auto* log = control<QPlainTextEdit>(window, "编辑框2");
    QVERIFY(log->geometry().bottom() < window.height());

    QTest::mouseClick(box, Qt::LeftButton);
    QTRY_COMPARE(window.frameGeometry().size(), QSize(325, 140));
    QTRY_COMPARE(button->text(), QStringLiteral("PING"));
    QCOMPARE(window.frameGeometry().topLeft(), corner);
    QCOMPARE(log->geometry(), QRect(2, 116, 315, 152));
}

void MainWindowTest::frontDisplayFollowsItsBox()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* box = control<QCheckBox>(window, "选择框2");

    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(!box->isChecked());
    QVERIFY(!window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window.isVisible());

    QTest::mouseClick(box, Qt::LeftButton);
    QVERIFY(window.windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window.isVisible());
}

void MainWindowTest::escapeClosesFromAnyControl_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"编辑框1", "按钮1", "选择框1", "按钮12", "选择框2", "编辑框2"})
        QTest::newRow(name) << QString::fromUtf8(name);
}

void MainWindowTest::escapeClosesFromAnyControl()
{
    QFETCH(QString, name);
    QPointer<MainWindow> window = new MainWindow; // deletes itself on close
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto* focus = window->findChild<QWidget*>(name);
    focus->setFocus();
    QTRY_VERIFY(focus->hasFocus());

    QTest::keyClick(focus, Qt::Key_Escape, Qt::ShiftModifier);
    QVERIFY(window->isVisible());
    QTest::keyClick(focus, Qt::Key_Escape);
    QTRY_VERIFY(window.isNull());
}

void MainWindowTest::enterInTheLogInsertsALineBreak()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    auto* log = control<QPlainTextEdit>(window, "编辑框2");
    log->setFocus();
    QTest::keyClicks(log, "ab");
    QTest::keyClick(log, Qt::Key_Return);
    QTest::keyClicks(log, "c");
    QCOMPARE(log->toPlainText(), QStringLiteral("ab\nc"));
    QVERIFY(window.isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
