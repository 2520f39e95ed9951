// tqmanage-cli against a simulated fleet over TCP: apply and a 51200-byte upgrade to 1, 256 and
// 1024 units, each unit on a TCP port of its own (one tqunit-sim --listen 127.0.0.1:0 --units N).
// Goal: 1024 units take at most 1.5 times as long as one, with the CLI's peak RSS at most 256 MB.
// Prints wall time, the ratio to one unit, CPU time and peak RSS of the CLI and the simulator's
// CPU time, with the machine's load average before and after.
// Run: build/tests/bench_fleet [--baud B] [--units 1,256,1024]
//   --baud B: the simulator answers no faster than a serial line of B baud carries the bytes
//             (a real unit behind a serial device server), instead of at once.
#include "BenchFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {
struct Usage {
    double cpuSeconds = 0;
    double maxRssMb = 0;
    int exitCode = -1;
};

Usage reap(pid_t pid)
{
    int status = 0;
    rusage r{};
    Usage u;
    if (::wait4(pid, &status, 0, &r) != pid)
        return u;
    u.cpuSeconds = double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) + double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
    u.maxRssMb = double(r.ru_maxrss) / 1024.0;
    u.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return u;
}

// Starts the program with stdout on outFd (or /dev/null) and stderr on /dev/null.
pid_t spawn(const QStringList &arguments, int outFd)
{
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (outFd >= 0)
        posix_spawn_file_actions_adddup2(&actions, outFd, 1);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    QList<QByteArray> bytes;
    for (const QString &a : arguments)
        bytes << a.toLocal8Bit();
    std::vector<char *> argv;
    for (QByteArray &b : bytes)
        argv.push_back(b.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

struct Run {
    qint64 wallMs = -1;
    Usage cli;
    Usage sim;
};

Run timeRun(const QString &verb, const QString &file, int units, int baud, const QTemporaryDir &dir)
{
    Run run;
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return run;
    QStringList simArgs{QStringLiteral(TQ_SIM_PATH), QStringLiteral("--listen"), QStringLiteral("127.0.0.1:0"),
                        QStringLiteral("--units"), QString::number(units)};
    if (verb == QLatin1String("upgrade"))
        simArgs << QStringLiteral("--bootloader");
    if (baud > 0)
        simArgs << QStringLiteral("--baud") << QString::number(baud);
    const pid_t sim = spawn(simArgs, pipeFds[1]);
    ::close(pipeFds[1]);
    QFile addresses;
    addresses.open(pipeFds[0], QIODevice::ReadOnly, QFileDevice::AutoCloseHandle);
    QByteArray list;
    for (int i = 0; i < units && sim > 0; ++i) {
        const QByteArray line = addresses.readLine();
        if (line.isEmpty())
            break;
        list += line;
    }
    const QString listPath = dir.filePath(QStringLiteral("units.txt"));
    if (list.count('\n') == units && TestSupport::writeFile(listPath, list)) {
        QElapsedTimer clock;
        clock.start();
        QStringList cliArgs{QStringLiteral(TQ_CLI_PATH), verb, file, QStringLiteral("--ports-from"), listPath,
                            QStringLiteral("--record"), dir.filePath(QStringLiteral("record.jsonl"))};
        if (verb == QLatin1String("apply"))
            cliArgs << QStringLiteral("--unit-language") << QStringLiteral("en");
        run.cli = reap(spawn(cliArgs, -1));
        run.wallMs = clock.elapsed();
    }
    if (sim > 0) {
        ::kill(sim, SIGTERM);
        run.sim = reap(sim);
    }
    return run;
}

QList<int> fleetSizes(const QStringList &args)
{
    const int at = args.indexOf(QStringLiteral("--units"));
    QList<int> sizes;
    for (const QString &n : args.value(at + 1, QStringLiteral("1,256,1024")).split(QLatin1Char(',')))
        if (n.toInt() > 0)
            sizes << n.toInt();
    return at < 0 ? QList<int>{1, 256, 1024} : sizes;
}

void printLoad(const char *when)
{
    double load[3] = {};
    if (::getloadavg(load, 3) == 3)
        std::printf("load average %s: %.2f %.2f %.2f (2 cores)\n", when, load[0], load[1], load[2]);
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const int baudAt = args.indexOf(QStringLiteral("--baud"));
    const int baud = baudAt < 0 ? 0 : args.value(baudAt + 1).toInt();
    const BenchFiles files;
    if (!files.written)
        return 1;
    const QTemporaryDir &dir = files.dir;
    printLoad("before");
    std::printf("%s\n", baud > 0 ? qPrintable(QStringLiteral("simulated units answer at the pace of a %1-baud line").arg(baud))
                                 : "simulated units answer at once (10 ms framing gap)");
    std::printf("%-8s %6s %10s %7s %9s %9s %9s\n", "verb", "units", "wall", "ratio", "CLI CPU", "CLI RSS", "sim CPU");
    for (const QString &verb : {QStringLiteral("apply"), QStringLiteral("upgrade")}) {
        qint64 one = -1;
        for (const int n : fleetSizes(args)) {
            const Run run = timeRun(verb, verb == QLatin1String("apply") ? files.ini : files.image, n, baud, dir);
            if (run.wallMs < 0 || run.cli.exitCode != 0) {
                std::fprintf(stderr, "bench_fleet: %s to %d units failed (exit %d)\n", qPrintable(verb), n, run.cli.exitCode);
                return 1;
            }
            if (one < 0)
                one = run.wallMs;
            std::printf("%-8s %6d %7lld ms %6.2fx %7.2f s %6.1f MB %7.2f s\n", qPrintable(verb), n,
                        static_cast<long long>(run.wallMs), double(run.wallMs) / double(one), run.cli.cpuSeconds,
                        run.cli.maxRssMb, run.sim.cpuSeconds);
            std::fflush(stdout);
        }
    }
    printLoad("after");
    std::printf("goal: 1024 units at most 1.5x one unit, CLI RSS at most 256 MB\n");
    return 0;
}
