// Cost of appending one line to the main window's log when the log already
// holds 1 000 and 100 000 lines, the layout and painting included.

#include "app/log_box.h"
#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>

#include <cstdio>

namespace {

const QString kLine = QStringLiteral("连接 127.0.0.1:80 成功 延迟: 0 ms\r\n");

double microseconds_per_append(QPlainTextEdit* log, int appends)
{
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < appends; ++i) {
        append_to_log_box(log, kLine);
        QCoreApplication::processEvents(); // let it lay out and paint
    }
    return static_cast<double>(timer.nsecsElapsed()) / 1000.0 / appends;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    MainWindow window;
    window.show();
    window.findChild<QCheckBox*>(QStringLiteral("选择框1"))->click(); // the log comes into view
    auto* log = window.findChild<QPlainTextEdit*>(QStringLiteral("编辑框2"));

    int lines = 0;
    for (int target : {1000, 100000}) {
        QString batch;
        for (; lines < target; ++lines)
            batch += kLine;
        append_to_log_box(log, batch);
        QCoreApplication::processEvents();
        microseconds_per_append(log, 50); // warm up
        lines += 50;
        const double cost = microseconds_per_append(log, 500);
        lines += 500;
        std::printf("log append at %6d lines: %8.1f us per line\n", target, cost);
    }
    return 0;
}
