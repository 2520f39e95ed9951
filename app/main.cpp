#include "AppSetup.h"
#include "FontConfigWarmUp.h"
#include "ImagePluginWarmUp.h"
#include "device/Styles.h"
#include "ticket/Language.h"
#include "MainWindow.h"
#include "SimulatorProcess.h"
#include "StartOptions.h"
#include "TerminationWatch.h"
#include "device/Function_USART.h"
#include "ticket/SystemDir.h"
#include "ticket/LogCategories.h"

#include <QApplication>
#include <QDir>
#include <QLoggingCategory>
#include <QTextCodec>
#include <QTimer>
#include <QTranslator>

#include <csignal>
#include <cstdio>

int main(int argc, char *argv[])
{
    StartOptions options;
    {
        // Read before the display is opened: --help and --version need none.
        QCoreApplication probe(argc, argv);
        AppSetup::setNames();
        options = StartOptions::parse(QCoreApplication::arguments());
    }
    switch (options.outcome) {
    case StartOptions::Outcome::Help:
    case StartOptions::Outcome::Version:
        std::fputs(qPrintable(options.message + QLatin1Char('\n')), stdout);
        return 0;
    case StartOptions::Outcome::Error:
        std::fprintf(stderr, "tqmanage: %s\n(try --help)\n", qPrintable(options.message));
        return 2;
    case StartOptions::Outcome::Run:
        break;
    }
#ifdef SIGXFSZ
    // Under a file-size limit a save then fails with its reason instead of ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    AppSetup::beforeApplication(options.verbose);
    // After the environment is set: fontconfig reads it from the other thread.
    FontConfigWarmUp fonts;
    QApplication app(argc, argv);
    AppSetup::setNames();
    if (!options.systemDir.isEmpty())
        SystemDir::setOverride(QDir(options.systemDir).absolutePath());
    qCDebug(lcMain) << SystemDir::describe();

    AppSetup::initResources();
    // The combo boxes' arrow, a picture of the first frame.
    const ImagePluginWarmUp images(QStringLiteral(":/Res/Pic/drop-down.png"));
    QTranslator translator;
    AppSetup::installCatalogue(app, translator, Read_Language(true));
    QTranslator qtTranslator;
    AppSetup::installQtCatalogue(app, qtTranslator, Read_Language(false));
    // GBK is the locale codec on Windows, where file names do not pass through it. Elsewhere file
    // names are UTF-8 bytes and a GBK locale codec would misname every Chinese path; the serial line
    // does not depend on it, as all unit traffic is converted as GBK explicitly.
#ifdef Q_OS_WIN
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("GBK"));
#endif
    AppSetup::setStyle(app);
    Styles::applyTo(app);
    AppSetup::setDesktopName();

    SimulatorProcess simulator;
    QString simulatorPort;
    if (options.simulate) {
        QString error;
        const QString program = QApplication::applicationDirPath() + QStringLiteral("/tqunit-sim");
        if (!simulator.start(program, {}, &error)) {
            std::fprintf(stderr, "tqmanage: %s\n", qPrintable(error));
            return 1;
        }
        simulatorPort = simulator.portPath();
        options.simulatorPort = simulatorPort;
    }

    options.deferredStart = true;
    fonts.wait();
    MainWindow window(nullptr, options);
    window.show();
    // Ended from outside: the port is closed (its lock file goes with it), nothing is asked or saved.
    TerminationWatch termination;
    QObject::connect(&termination, &TerminationWatch::terminated, &window, [&window](int number) {
        qCDebug(lcMain) << "ended by signal" << number;
        window.Serial_Service->USART_Close();
        QApplication::exit(128 + number);
    });

    if (!options.settingsFile.isEmpty())
        QTimer::singleShot(0, &window, [&window, &options] { window.openAtStart(options.settingsFile); });
    const QString target = !simulatorPort.isEmpty() ? simulatorPort : options.connectPort;
    if (!target.isEmpty())
        QTimer::singleShot(0, &window, [&window, target] { window.connectTo(target); });
    if (!options.screenshot.isEmpty()) {
        QTimer::singleShot(options.screenshotDelay, &window, [&window, &options] {
            const bool saved = window.grab().save(options.screenshot);
            std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "screenshot" : "cannot write",
                         qPrintable(QDir(options.screenshot).absolutePath()));
            std::fflush(stdout);
            QApplication::exit(saved ? 0 : 1);
        });
    }
    return app.exec();
}
