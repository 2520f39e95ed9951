// The floor for start-up: a bare Qt 5 main window of tqmanage's size, nothing else.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char *argv[])
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1000, 650);
    window.show();
    return app.exec();
}
