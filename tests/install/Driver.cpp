// Loaded into an installed tqmanage with LD_PRELOAD, it works the window as an operator would,
// following the steps in TQ_DRIVE (separated by ";"), and appends what it sees to the file
// TQ_DRIVE_REPORT. Steps: "dump" (type names, menu title, the families of the menu bar's and the
// status bar's fonts, connection state), "online" (wait up to 5 s for the unit), "type:N:TEXT",
// "save", "english" (switch the language; the restarted program runs TQ_DRIVE_NEXT), "close"
// (answering No).
// Every message box is reported and answered with No, or its only button.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QFile>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

namespace {
void report(const QString &line)
{
    QFile out(qEnvironmentVariable("TQ_DRIVE_REPORT"));
    if (out.open(QIODevice::Append))
        out.write(line.toUtf8() + '\n');
}

QMainWindow *mainWindow()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *m = qobject_cast<QMainWindow *>(w); m && m->isVisible())
            return m;
    return nullptr;
}

void answerBoxes()
{
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        report(QStringLiteral("box %1 | %2").arg(box->windowTitle(), box->text().simplified()));
        QAbstractButton *no = box->button(QMessageBox::No);
        (no ? no : box->buttons().constFirst())->click();
    });
    poll->start(20);
}

void run(QMainWindow *window, const QString &step)
{
    const QStringList part = step.split(QLatin1Char(':'));
    if (part.at(0) == QLatin1String("dump")) {
        QStringList names;
        for (int i = 1; i <= 5; ++i)
            names << window->findChild<QLineEdit *>(QStringLiteral("QL_Type_Name_%1").arg(i))->text();
        report(QStringLiteral("types ") + names.join(QLatin1Char('|')));
        report(QStringLiteral("menu ") + window->menuBar()->actions().constFirst()->text().trimmed());
        report(QStringLiteral("fonts ") + window->menuBar()->font().family() + QLatin1Char('|')
               + window->statusBar()->font().family());
        report(QStringLiteral("state ") + window->findChild<QLabel *>(QStringLiteral("State_Label"))->text());
    } else if (part.at(0) == QLatin1String("online")) {
        QElapsedTimer waited;
        waited.start();
        while (window->findChild<QLabel *>(QStringLiteral("State_Label"))->text().endsWith(QStringLiteral("---"))
               && waited.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    } else if (part.at(0) == QLatin1String("type") && part.size() == 3) {
        window->findChild<QLineEdit *>(QStringLiteral("QL_Type_Name_") + part.at(1))->setText(part.at(2));
    } else if (part.at(0) == QLatin1String("save")) {
        window->findChild<QAction *>(QStringLiteral("Save_file"))->trigger();
    } else if (part.at(0) == QLatin1String("english")) {
        qputenv("TQ_DRIVE", qgetenv("TQ_DRIVE_NEXT")); // for the program the switch starts
        window->findChild<QAction *>(QStringLiteral("actionEnglish"))->trigger();
    } else if (part.at(0) == QLatin1String("close")) {
        window->close();
    }
    report(QStringLiteral("done ") + step);
}

void start()
{
    // Only the application that shows the window, once it shows it.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()) || qEnvironmentVariableIsEmpty("TQ_DRIVE"))
        return;
    const QStringList steps = qEnvironmentVariable("TQ_DRIVE").split(QLatin1Char(';'), Qt::SkipEmptyParts);
    answerBoxes();
    auto *wait = new QTimer(qApp);
    QObject::connect(wait, &QTimer::timeout, [wait, steps] {
        QMainWindow *window = mainWindow();
        if (!window)
            return;
        wait->stop();
        for (const QString &step : steps)
            run(window, step);
    });
    wait->start(50);
}
} // namespace

Q_COREAPP_STARTUP_FUNCTION(start)
