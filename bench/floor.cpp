// The floor for start-up: a bare Qt 5 main window of tqmanage's size with one Chinese label and one
// push button, so it pays for a CJK font as any Chinese window must. The XCB GL integration is off
// the way tqmanage turns it off. "--empty" leaves out the label and button, "--gl-default" leaves
// the GL integration as Qt chooses it: reference rows, not the floor.
#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>

#include <cstring>

int main(int argc, char *argv[])
{
    bool empty = false;
    bool glDefault = false;
    for (int i = 1; i < argc; ++i) {
        empty = empty || std::strcmp(argv[i], "--empty") == 0;
        glDefault = glDefault || std::strcmp(argv[i], "--gl-default") == 0;
    }
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    if (!glDefault && !qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1000, 650);
    if (!empty) {
        auto *central = new QWidget(&window);
        auto *label = new QLabel(QStringLiteral("小票内容设置"), central);
        label->setGeometry(20, 20, 200, 25);
        auto *button = new QPushButton(QStringLiteral("连接设备"), central);
        button->setGeometry(20, 60, 100, 25);
        window.setCentralWidget(central);
    }
    window.show();
    return app.exec();
}
