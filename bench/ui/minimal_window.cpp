// The floor for start-up and memory figures: a bare Qt window of the main
// window's size, shown, and nothing else.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("minimal window"));
    window.resize(325, 140);
    window.show();
    return QApplication::exec();
}
