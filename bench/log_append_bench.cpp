// Cost of appending one line to the main window's log when the log already
// holds 1 000 and 100 000 lines, the layout and painting included. Prints one
// row of the bench table: the cost at 100 000 against the cost at 1 000.
// The two logs take turns in short rounds and each cost is the median round,
// so that other load on the machine weighs on both alike.

#include "app/log_box.h"
#include "app/main_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPlainTextEdit>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

const QString kLine = QStringLiteral("连接 127.0.0.1:80 成功 延迟: 0 ms\r\n");
constexpr int kRounds = 15;
constexpr int kAppendsPerRound = 40;

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

// A main window in continuous mode, its log shown and holding `lines` lines.
QPlainTextEdit* filled_log(int lines)
{
    auto* window = new MainWindow; // lives until the program ends
    window->show();
    window->findChild<QCheckBox*>(QStringLiteral("选择框1"))->click();
    auto* log = window->findChild<QPlainTextEdit*>(QStringLiteral("编辑框2"));
    QString batch;
    for (int i = 0; i < lines; ++i)
        batch += kLine;
    append_to_log_box(log, batch);
    QCoreApplication::processEvents();
    microseconds_per_append(log, kAppendsPerRound); // warm up
    return log;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QPlainTextEdit* short_log = filled_log(1000);
    QPlainTextEdit* long_log = filled_log(100000);

    std::vector<double> short_costs;
    std::vector<double> long_costs;
    for (int round = 0; round < kRounds; ++round) {
        short_costs.push_back(microseconds_per_append(short_log, kAppendsPerRound));
        long_costs.push_back(microseconds_per_append(long_log, kAppendsPerRound));
    }
    const double at_short = median(short_costs);
    const double at_long = median(long_costs);
    std::printf("| log append at 100 000 lines | %.1f us per line | %.1f us at 1 000 lines | within 2 x the cost at 1 000 | %s |\n",
                at_long, at_short, at_long <= 2.0 * at_short ? "yes" : "no");
    return 0;
}
