#include "scripted_peer.h"
#include "shown_text.h"

#include "app/layout_texts.h"
#include "app/site_window.h"
#include "app/site_window_opener.h"
#include "app/text_codec.h"
#include "app/url_opener.h"
#include "sitecheck/message_presenter.h"
#include "sitecheck/reply_verdict.h"
#include "sitecheck/site_request.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

namespace {

class RecordingPresenter final : public MessagePresenter {
public:
    void show_message(const Text& text) override { shown.push_back(text); }
    std::vector<Text> shown;
};

class RecordingOpener final : public UrlOpener {
public:
    void open_url_in_browser(const Text& url) override { opened.push_back(url); }
    std::vector<Text> opened;
};

QList<QWidget*> open_site_windows()
{
    QList<QWidget*> found;
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<SiteWindow*>(widget) != nullptr && widget->isVisible())
            found << widget;
    return found;
}

} // namespace

// The site window as the user meets it, with the verdict box and the
// browser replaced by recorders.
class SiteWindowTest : public QObject {
    Q_OBJECT

private slots:
    void opensInItsLayout_data();
    void opensInItsLayout();
    void windowAttributes();
    void checkReportsTheVerdict();
    void checkOfAnEmptyAddressFailsAtOnce();
    void speedTestHandsTheTypedAddressOn_data();
    void speedTestHandsTheTypedAddressOn();
    void escapeClosesFromAnyControl_data();
    void escapeClosesFromAnyControl();
    void openingTwiceGivesOneWindowRestoredAndFresh();
};

void SiteWindowTest::opensInItsLayout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pixelSize");

    QTest::newRow("speed test") << "按钮13" << QRect(120, 208, 144, 48) << "查网站延迟时间" << -1;
    QTest::newRow("site label") << "标签1" << QRect(8, 32, 72, 40) << "检测站点：" << 16;
    QTest::newRow("note") << "标签2" << QRect(8, 136, 370, 64)
                          << "注：\r\n\r\n 本程序原理为GET发送数据，判断返回的数据\r\n\r\n " << 14;
    QTest::newRow("check") << "按钮1" << QRect(80, 88, 224, 40) << "检测站点是否存活" << -1;
    QTest::newRow("address") << "编辑框1" << QRect(80, 32, 264, 40) << "" << 21;
}

void SiteWindowTest::opensInItsLayout()
{
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(int, pixelSize);

    RecordingPresenter presenter;
    RecordingOpener opener;
    SiteWindow window(presenter, opener);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    auto* control = window.findChild<QWidget*>(name);
    QVERIFY(control != nullptr);
    QCOMPARE(control->geometry(), geometry);
    if (pixelSize > 0)
        QCOMPARE(control->font().pixelSize(), pixelSize);
    QCOMPARE(shown_text(control), text);
}

void SiteWindowTest::windowAttributes()
{
    RecordingPresenter presenter;
    RecordingOpener opener;
    SiteWindow window(presenter, opener);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QCOMPARE(window.windowTitle(), QStringLiteral("站点存活检测"));
    QCOMPARE(window.frameGeometry().size(), QSize(392, 292));
    QCOMPARE(window.minimumSize(), window.maximumSize());
    QVERIFY(window.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(window.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    QVERIFY(window.parentWidget() == nullptr);
    QCOMPARE(window.windowIcon().availableSizes().value(0), QSize(128, 128));
    QCOMPARE(to_text(window.findChild<QLabel*>("标签2")->text()).size(), 53u);
    QCOMPARE(window.findChild<QLabel*>("标签2")->palette().color(QPalette::WindowText), QColor(0, 255, 255));
}

void SiteWindowTest::checkReportsTheVerdict()
{
    const SiteRequest expected = build_site_request("127.0.0.1/ok");
    ScriptedPeer peer({{ScriptedPeer::receive(expected.request.size()),
                        ScriptedPeer::send("HTTP/1.1 200 OK\r\n\r\n")}});
    RecordingPresenter presenter;
    RecordingOpener opener;
    SiteWindow window(presenter, opener, peer.port());
    window.findChild<QLineEdit*>("编辑框1")->setText(QStringLiteral("http://127.0.0.1/ok"));

    QTest::mouseClick(window.findChild<QPushButton*>("按钮1"), Qt::LeftButton);
    QTRY_COMPARE(presenter.shown.size(), std::size_t{1});
    QCOMPARE(presenter.shown[0], site_reachable_text);
    QCOMPARE(peer.received(0), expected.request);
    QCOMPARE(window.findChild<QLineEdit*>("编辑框1")->text(), QStringLiteral("http://127.0.0.1/ok"));
}

void SiteWindowTest::checkOfAnEmptyAddressFailsAtOnce()
{
    RecordingPresenter presenter;
    RecordingOpener opener;
    SiteWindow window(presenter, opener);
    QTest::mouseClick(window.findChild<QPushButton*>("按钮1"), Qt::LeftButton);
    QCOMPARE(presenter.shown, std::vector<Text>{site_unreachable_text});
}

void SiteWindowTest::speedTestHandsTheTypedAddressOn_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("url");
    QTest::newRow("empty") << "" << QByteArray("http://tool.chinaz.com/speedtest/");
    QTest::newRow("host") << "example.org" << QByteArray("http://tool.chinaz.com/speedtest/example.org");
    QTest::newRow("scheme kept") << "http://example.org/a"
                                 << QByteArray("http://tool.chinaz.com/speedtest/http://example.org/a");
    QTest::newRow("blanks and chinese") << " 中文 " << QByteArray("http://tool.chinaz.com/speedtest/ \xD6\xD0\xCE\xC4 ");
}

void SiteWindowTest::speedTestHandsTheTypedAddressOn()
{
    QFETCH(QString, typed);
    QFETCH(QByteArray, url);
    RecordingPresenter presenter;
    RecordingOpener opener;
    SiteWindow window(presenter, opener);
    window.findChild<QLineEdit*>("编辑框1")->setText(typed);
    auto* button = window.findChild<QPushButton*>("按钮13");
    QTest::mouseClick(button, Qt::LeftButton);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(opener.opened, std::vector<Text>(2, url.toStdString()));
    QVERIFY(presenter.shown.empty());
}

void SiteWindowTest::escapeClosesFromAnyControl_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : {"编辑框1", "按钮1", "按钮13"})
        QTest::newRow(name) << QString::fromUtf8(name);
}

void SiteWindowTest::escapeClosesFromAnyControl()
{
    QFETCH(QString, name);
    RecordingPresenter presenter;
    RecordingOpener opener;
    QPointer<SiteWindow> window = new SiteWindow(presenter, opener); // deletes itself on close
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    auto* focus = window->findChild<QWidget*>(name);
    focus->setFocus();
    QTRY_VERIFY(focus->hasFocus());
    QTest::keyClick(focus, Qt::Key_Escape, Qt::ControlModifier);
    QVERIFY(window->isVisible());
    QTest::keyClick(focus, Qt::Key_Escape);
    QTRY_VERIFY(window.isNull());
}

void SiteWindowTest::openingTwiceGivesOneWindowRestoredAndFresh()
{
    open_site_window();
    QCOMPARE(open_site_windows().size(), 1);
    QPointer<QWidget> first = open_site_windows().value(0);
    first->findChild<QLineEdit*>("编辑框1")->setText(QStringLiteral("typed"));

    first->showMinimized();
    QTRY_VERIFY(first->isMinimized());
    open_site_window();
    QCOMPARE(open_site_windows().size(), 1);
    QTRY_VERIFY(!first->isMinimized());
    QCOMPARE(open_site_windows().value(0), first.data());
    QCOMPARE(first->findChild<QLineEdit*>("编辑框1")->text(), QStringLiteral("typed"));

    first->close();
    QTRY_VERIFY(first.isNull());
    open_site_window();
    QCOMPARE(open_site_windows().size(), 1);
    QVERIFY(open_site_windows().value(0)->findChild<QLineEdit*>("编辑框1")->text().isEmpty());
    open_site_windows().value(0)->close();
}

QTEST_MAIN(SiteWindowTest)
#include "site_window_test.moc"
