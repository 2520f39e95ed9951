// tqunit-sim: the management unit's side of the serial line, on a pseudo-terminal.
#include "Journal.h"
#include "PtyPort.h"
#include "SimUnit.h"
#include "TcpPort.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTimer>

#include <cstdio>
#include <functional>
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
    parser.addOptions({version, bootloader, journal, silent, ackDelay, split, wrongCode, keyDelay, dispenser, imageOut,
                       stallAfter, corrupt, reject, requestLoop, earlyOver, announce, announceGap, listen, rfc2217});
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
    SimUnit unit(options);

    Journal log;
    if (parser.isSet(journal) && !log.open(parser.value(journal))) {
        std::fprintf(stderr, "tqunit-sim: cannot write journal %s\n", qPrintable(parser.value(journal)));
        return 1;
    }

    if (parser.isSet(rfc2217) && !parser.isSet(listen)) {
        std::fprintf(stderr, "tqunit-sim: --rfc2217 needs --listen\n");
        return 2;
    }
    PtyPort pty;
    TcpPort tcp(parser.isSet(rfc2217));
    std::function<void(const QByteArray &)> write;
    QString error;
    QString address;
    if (parser.isSet(listen)) {
        if (!tcp.listen(parser.value(listen), &error)) {
            std::fprintf(stderr, "tqunit-sim: %s\n", qPrintable(error));
            return 1;
        }
        write = [&tcp](const QByteArray &bytes) { tcp.write(bytes); };
        address = tcp.address();
    } else {
        if (!pty.open(&error)) {
            std::fprintf(stderr, "tqunit-sim: %s\n", qPrintable(error));
            return 1;
        }
        write = [&pty](const QByteArray &bytes) { pty.write(bytes); };
        address = pty.slavePath();
    }
    // A unit that says its state before it is asked, and again after its acknowledgements.
    QTimer announcing;
    const auto sendState = [&write, &log, &unit] {
        log.record("tx", unit.stateBytes());
        write(unit.stateBytes());
    };
    QObject::connect(&announcing, &QTimer::timeout, &app, sendState);
    if (announceMs >= 0)
        announcing.start(qMax(announceMs, 10));
    const auto handle = [&](const QByteArray &burst) {
        log.record("rx", burst);
        announcing.stop();
        const QList<SimUnit::Reply> replies = unit.handle(burst);
        for (const QString &n : unit.takeNotes()) {
            log.note(n);
            if (n.startsWith(QLatin1String("ticket")))
                std::printf("%s\n", n.toUtf8().constData());
        }
        std::fflush(stdout);
        const bool announceAfter = announceMs >= 0 && !replies.isEmpty() && !burst.startsWith("ATSW");
        int at = 0;
        for (int i = 0; i < replies.size(); ++i) {
            at += replies.at(i).delayMs;
            // As a late reader gets them: the state reply in the same write as the last reply.
            const bool together = announceAfter && announceGapMs == 0 && i + 1 == replies.size();
            // Precise: a delay near the tool's limit must not drift by the 5 % a coarse timer allows.
            QTimer::singleShot(at, Qt::PreciseTimer, &app, [&write, &log, &unit, together, bytes = replies.at(i).bytes] {
                log.record("tx", bytes);
                if (together)
                    log.record("tx", unit.stateBytes());
                write(together ? bytes + unit.stateBytes() : bytes);
            });
        }
        if (announceAfter && announceGapMs > 0)
            QTimer::singleShot(at + announceGapMs, Qt::PreciseTimer, &app, sendState);
    };
    pty.setBurstHandler(handle);
    tcp.setBurstHandler(handle);

    std::printf("PORT %s\n", qPrintable(address));
    std::fflush(stdout);
    return app.exec();
}
