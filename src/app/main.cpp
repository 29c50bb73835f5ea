#include "app/main_window.h"

#include <QApplication>

#include <cstdlib>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/kelvane/kelvane.png")));

    auto* window = new MainWindow; // deletes itself when closed
    window->show();
    window->activateWindow();

    const int status = QApplication::exec();
    // PING workers may still be blocked in a connect; they end with the
    // process, before any static object is torn down under them.
    std::_Exit(status);
}
