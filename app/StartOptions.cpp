#include "StartOptions.h"
#include "ticket/Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>

StartOptions StartOptions::parse(const QStringList &arguments)
{
    StartOptions opts;
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("tqmanage: configures a queue-management unit over a serial line."));
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")},
                                  QStringLiteral("Show this help and exit."));
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")},
                                     QStringLiteral("Show the version and exit."));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Add a serial port the system does not list, or a unit behind a serial device server "
                                                 "(rfc2217://HOST:PORT, socket://HOST:PORT, +tls forms); repeatable."),
                                  QStringLiteral("PATH"));
    const QCommandLineOption connect(QStringLiteral("connect"),
                                     QStringLiteral("Add PATH as with --port, select it and connect at start."),
                                     QStringLiteral("PATH"));
    const QCommandLineOption simulate(QStringLiteral("simulate"),
                                      QStringLiteral("Start the unit simulator tqunit-sim and connect to it."));
    const QCommandLineOption systemDir(QStringLiteral("system-dir"),
                                       QStringLiteral("Use DIR for all of the program's own files."),
                                       QStringLiteral("DIR"));
    const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                        QStringLiteral("Save a picture of the main window to FILE, then quit."),
                                        QStringLiteral("FILE"));
    const QCommandLineOption delay(QStringLiteral("screenshot-delay"),
                                   QStringLiteral("Milliseconds to wait before the screenshot (default 1500)."),
                                   QStringLiteral("MS"), QStringLiteral("1500"));
    const QCommandLineOption verbose(QStringLiteral("verbose"), QStringLiteral("Write the tq.* debug log to the terminal."));
    const QCommandLineOption record(QStringLiteral("record"),
                                    QStringLiteral("Record every action on a unit in FILE (one JSON line each) instead of "
                                                   "the default record file."),
                                    QStringLiteral("FILE"));
    parser.addOptions({help, version, port, connect, simulate, systemDir, screenshot, delay, verbose, record});
    parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("A settings file to open at start."), QStringLiteral("[FILE]"));

    auto fail = [&opts](const QString &message) {
        opts.outcome = Outcome::Error;
        opts.message = message;
        return opts;
    };
    if (!parser.parse(arguments))
        return fail(parser.errorText());
    if (parser.positionalArguments().size() > 1)
        return fail(QStringLiteral("Only one settings file can be opened, not \"%1\"").arg(parser.positionalArguments().at(1)));
    if (parser.isSet(help)) {
        opts.outcome = Outcome::Help;
        opts.message = parser.helpText();
        return opts;
    }
    if (parser.isSet(version)) {
        opts.outcome = Outcome::Version;
        opts.message = QStringLiteral("tqmanage V" TQ_VERSION);
        return opts;
    }
    opts.ports = parser.values(port);
    opts.connectPort = parser.value(connect);
    opts.simulate = parser.isSet(simulate);
    opts.systemDir = parser.value(systemDir);
    opts.verbose = parser.isSet(verbose);
    opts.recordFile = parser.value(record);
    if (parser.isSet(record) && opts.recordFile.isEmpty())
        return fail(QStringLiteral("--record needs a file"));
    opts.settingsFile = parser.positionalArguments().value(0);
    opts.screenshot = parser.value(screenshot);
    bool ok = false;
    opts.screenshotDelay = parser.value(delay).toInt(&ok);
    if (!ok || opts.screenshotDelay < 0)
        return fail(QStringLiteral("--screenshot-delay needs a number of milliseconds, not \"%1\"").arg(parser.value(delay)));
    if (opts.simulate && !opts.connectPort.isEmpty())
        return fail(QStringLiteral("--simulate and --connect cannot be used together"));
#ifndef Q_OS_UNIX
    if (opts.simulate)
        return fail(QStringLiteral("--simulate needs a Unix system (the simulator uses a pseudo-terminal)"));
#endif
    return opts;
}

QStringList StartOptions::restartArguments() const
{
    QStringList args;
    if (!systemDir.isEmpty())
        args << QStringLiteral("--system-dir") << systemDir;
    for (const QString &p : ports)
        args << QStringLiteral("--port") << p;
    if (!connectPort.isEmpty())
        args << QStringLiteral("--connect") << connectPort;
    if (simulate)
        args << QStringLiteral("--simulate");
    if (!recordFile.isEmpty())
        args << QStringLiteral("--record") << recordFile;
    return args;
}
