// tqunit-sim: the management unit's side of the serial line, on a pseudo-terminal, or a fleet of
// units each on a TCP port of its own.
#include "Journal.h"
#include "UnitEndpoint.h"
#include "ticket/Version.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <memory>
#include <vector>
#include <sys/resource.h>
#ifdef __linux__
#include <csignal>
#include <sys/prctl.h>
#endif

int main(int argc, char *argv[])
{
#ifdef __linux__
    // A simulator whose program (a test, tqmanage --simulate) died has nobody left to talk to.
    ::prctl(PR_SET_PDEATHSIG, SIGTERM);
#endif
    // Qt's own event loop: it keeps no list of a thousand sockets to walk on every change.
    qputenv("QT_NO_GLIB", "1");
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tqunit-sim"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Simulates the queue-management unit on a pseudo-terminal."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption version(QStringLiteral("firmware-version"),
                                     QStringLiteral("Version given in the state reply (default V2.1)."),
                                     QStringLiteral("VERSION"), QStringLiteral("V2.1"));
    const QCommandLineOption bootloader(QStringLiteral("bootloader"),
                                        QStringLiteral("Run as the bootloader (version begins with VB)."));
    const QCommandLineOption journal(QStringLiteral("journal"),
                                     QStringLiteral("Write every byte received and sent to FILE (JSON lines)."),
                                     QStringLiteral("FILE"));
    const QCommandLineOption silent(QStringLiteral("silent"), QStringLiteral("Never answer VERB (repeatable)."),
                                    QStringLiteral("VERB"));
    const QCommandLineOption ackDelay(QStringLiteral("ack-delay"),
                                      QStringLiteral("Wait MS before every acknowledgement."), QStringLiteral("MS"),
                                      QStringLiteral("0"));
    const QCommandLineOption split(QStringLiteral("split-replies"),
                                   QStringLiteral("Send each reply in two bursts 60 ms apart."));
    const QCommandLineOption wrongCode(QStringLiteral("wrong-code"),
                                       QStringLiteral("Acknowledge VERB with a code outside the pattern (repeatable)."),
                                       QStringLiteral("VERB"));
    const QCommandLineOption keyDelay(QStringLiteral("key-delay"),
                                      QStringLiteral("Milliseconds the operator holds a dispenser's key (default 1500)."),
                                      QStringLiteral("MS"), QStringLiteral("1500"));
    const QCommandLineOption dispenser(QStringLiteral("dispenser"),
                                       QStringLiteral("Id of the dispenser whose key is held (default 1001)."),
                                       QStringLiteral("ID"), QStringLiteral("1001"));
    const QCommandLineOption imageOut(QStringLiteral("image-out"),
                                      QStringLiteral("Write the image of a finished firmware transfer to FILE."),
                                      QStringLiteral("FILE"));
    const QCommandLineOption stallAfter(QStringLiteral("stall-after"),
                                        QStringLiteral("Stop asking for packages after package N."), QStringLiteral("N"));
    const QCommandLineOption corrupt(QStringLiteral("corrupt-request"),
                                     QStringLiteral("Send one malformed package request."));
    const QCommandLineOption reject(QStringLiteral("reject-image"),
                                    QStringLiteral("Give the verdict of error on a complete firmware image."));
    const QCommandLineOption requestLoop(QStringLiteral("request-loop"),
                                         QStringLiteral("Ask for package 0 again after every package, for ever."));
    const QCommandLineOption earlyOver(QStringLiteral("early-over"),
                                       QStringLiteral("Report the upgrade complete right after the start request."));
    const QCommandLineOption announce(QStringLiteral("announce"),
                                      QStringLiteral("Send the state reply unasked: every MS until the first command, "
                                                     "and 60 ms after every other reply."),
                                      QStringLiteral("MS"));
    const QCommandLineOption announceGap(QStringLiteral("announce-gap"),
                                         QStringLiteral("With --announce: MS between a reply and the state reply "
                                                        "after it (default 60; 0: in the same write)."),
                                         QStringLiteral("MS"), QString::number(SimUnit::SplitGapMs));
    const QCommandLineOption listen(QStringLiteral("listen"),
                                    QStringLiteral("Serve the unit over TCP on HOST:PORT (port 0: any free one) "
                                                   "instead of a pseudo-terminal."),
                                    QStringLiteral("HOST:PORT"));
    const QCommandLineOption rfc2217(QStringLiteral("rfc2217"),
                                     QStringLiteral("With --listen: speak telnet with Com Port Control (RFC 2217)."));
    const QCommandLineOption units(QStringLiteral("units"),
                                   QStringLiteral("With --listen: serve N units, each on a port of its own (from PORT on, "
                                                  "or any free ones for port 0), and print their addresses, one a line."),
                                   QStringLiteral("N"));
    const QCommandLineOption baud(QStringLiteral("baud"),
                                  QStringLiteral("Answer no sooner than a serial line of B baud carries the command and "
                                                 "the reply (default: at once)."),
                                  QStringLiteral("B"));
    parser.addOptions({version, bootloader, journal, silent, ackDelay, split, wrongCode, keyDelay, dispenser, imageOut,
                       stallAfter, corrupt, reject, requestLoop, earlyOver, announce, announceGap, listen, rfc2217,
                       units, baud});
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "tqunit-sim: %s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        std::fputs(qPrintable(parser.helpText()), stdout);
        return 0;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        std::puts("tqunit-sim V" TQ_VERSION);
        return 0;
    }

    SimUnit::Options options;
    options.firmwareVersion = parser.value(version);
    options.bootloader = parser.isSet(bootloader);
    options.silentVerbs = parser.values(silent);
    options.wrongCodeVerbs = parser.values(wrongCode);
    options.splitReplies = parser.isSet(split);
    options.dispenserId = parser.value(dispenser);
    options.imageOut = parser.value(imageOut);
    options.corruptRequest = parser.isSet(corrupt);
    options.rejectImage = parser.isSet(reject);
    options.requestLoop = parser.isSet(requestLoop);
    options.earlyOver = parser.isSet(earlyOver);
    const auto number = [&parser](const QCommandLineOption &option, int *out) {
        bool ok = false;
        *out = parser.value(option).toInt(&ok);
        if (!ok || *out < 0)
            std::fprintf(stderr, "tqunit-sim: --%s needs a whole number\n", qPrintable(option.names().constFirst()));
        return ok && *out >= 0;
    };
    int announceMs = -1;
    int announceGapMs = SimUnit::SplitGapMs;
    if (!number(ackDelay, &options.ackDelayMs) || !number(keyDelay, &options.keyDelayMs)
        || (parser.isSet(stallAfter) && !number(stallAfter, &options.stallAfter))
        || (parser.isSet(announce) && !number(announce, &announceMs)) || !number(announceGap, &announceGapMs))
        return 2;
    int lineRate = 0;
    if (parser.isSet(baud) && !number(baud, &lineRate))
        return 2;
    int fleet = 0;
    if (parser.isSet(units) && (!number(units, &fleet) || fleet < 1 || fleet > 10000)) {
        std::fprintf(stderr, "tqunit-sim: --units takes 1 to 10000\n");
        return 2;
    }
    Journal log;
    if (parser.isSet(journal) && !log.open(parser.value(journal))) {
        std::fprintf(stderr, "tqunit-sim: cannot write journal %s\n", qPrintable(parser.value(journal)));
        return 1;
    }
    if ((parser.isSet(rfc2217) || fleet > 0) && !parser.isSet(listen)) {
        std::fprintf(stderr, "tqunit-sim: --rfc2217 and --units need --listen\n");
        return 2;
    }
    // A fleet holds two sockets a unit.
    rlimit files{};
    if (::getrlimit(RLIMIT_NOFILE, &files) == 0 && files.rlim_cur < files.rlim_max) {
        files.rlim_cur = files.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &files);
    }
    std::vector<std::unique_ptr<UnitEndpoint>> endpoints;
    QString error;
    const QString hostPort = parser.value(listen);
    const int colon = hostPort.lastIndexOf(QLatin1Char(':'));
    const uint firstPort = hostPort.mid(colon + 1).toUInt();
    for (int i = 0; i < qMax(fleet, 1); ++i) {
        endpoints.push_back(std::make_unique<UnitEndpoint>(options, log, announceMs, fleet > 0 ? i : -1));
        UnitEndpoint &unit = *endpoints.back();
        unit.setLineRate(lineRate);
        unit.setAnnounceGap(announceGapMs);
        const bool open = !parser.isSet(listen) ? unit.openPty(&error)
                          : unit.listen(firstPort == 0 || i == 0 ? hostPort : hostPort.left(colon + 1) + QString::number(firstPort + uint(i)),
                                        parser.isSet(rfc2217), &error);
        if (!open) {
            std::fprintf(stderr, "tqunit-sim: %s\n", qPrintable(error));
            return 1;
        }
    }
    // A unit alone says PORT and its address; a fleet gives a list --ports-from reads as it is.
    if (fleet == 0)
        std::printf("PORT %s\n", qPrintable(endpoints.front()->address()));
    for (size_t i = 0; fleet > 0 && i < endpoints.size(); ++i)
        std::printf("%s\n", qPrintable(endpoints[i]->address()));
    std::fflush(stdout);
    return app.exec();
}
