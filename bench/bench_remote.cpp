// Units behind Debian's ser2net on loopback. An upgrade of a 51200-byte image over RFC 2217 against
// the same over the unit's pty (target: at most 1.2x), and apply to 32 units behind one ser2net
// against one unit behind it (target: at most 1.3x). Each figure is the best of three runs.
// Run: build/tests/bench_remote
#include "BenchFiles.h"
#include "testsupport/RemoteUnits.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {
// Wall time of one tqmanage-cli run of the verb on n fresh simulators, reached over their ptys or
// through ser2net (kind "rfc2217"), in milliseconds; -1 when it failed.
qint64 timeRun(const QString &verb, const QString &file, int n, const QStringList &simOptions, const QString &kind)
{
    std::vector<std::unique_ptr<SimUnderTest>> sims;
    QList<RemoteUnits::Ser2net::Accepter> accepters;
    for (int i = 0; i < n; ++i) {
        sims.push_back(std::make_unique<SimUnderTest>(simOptions));
        accepters.append({kind, sims.back()->port(), QString()});
    }
    std::unique_ptr<RemoteUnits::Ser2net> server;
    if (!kind.isEmpty()) {
        server = std::make_unique<RemoteUnits::Ser2net>(accepters);
        if (!server->started())
            return -1;
    }
    QStringList args{verb, file};
    for (int i = 0; i < n; ++i)
        args << QStringLiteral("--port") << (server ? server->address(i) : sims.at(size_t(i))->port());
    QProcess cli;
    QElapsedTimer clock;
    clock.start();
    cli.start(QStringLiteral(TQ_CLI_PATH), args);
    if (!cli.waitForFinished(180000) || cli.exitCode() != 0)
        return -1;
    return clock.elapsed();
}

qint64 best(const std::function<qint64()> &run)
{
    qint64 b = -1;
    for (int i = 0; i < 3; ++i) {
        const qint64 t = run();
        if (t < 0)
            return -1;
        b = b < 0 ? t : std::min(b, t);
    }
    return b;
}
} // namespace

int main(int argc, char *argv[])
{
    const BenchFiles files; // before the application: it needs none
    QCoreApplication app(argc, argv);
    if (!files.written)
        return 1;
    const QString &ini = files.ini, &image = files.image;
    const QStringList boot{QStringLiteral("--bootloader")};
    const QString rfc = QStringLiteral("rfc2217");
    const qint64 pty = best([&] { return timeRun(QStringLiteral("upgrade"), image, 1, boot, QString()); });
    const qint64 remote = best([&] { return timeRun(QStringLiteral("upgrade"), image, 1, boot, rfc); });
    const qint64 one = best([&] { return timeRun(QStringLiteral("apply"), ini, 1, {}, rfc); });
    const qint64 many = best([&] { return timeRun(QStringLiteral("apply"), ini, 32, {}, rfc); });
    if (pty < 0 || remote < 0 || one < 0 || many < 0) {
        std::fprintf(stderr, "bench_remote: a run failed (is ser2net installed?)\n");
        return 1;
    }
    std::printf("upgrade 51200 B   pty %6lld ms   RFC 2217 %6lld ms   %5.2fx  (target at most 1.2x)\n",
                static_cast<long long>(pty), static_cast<long long>(remote), double(remote) / double(pty));
    std::printf("apply via ser2net 1 unit %6lld ms   32 units %6lld ms   %5.2fx  (target at most 1.3x)\n",
                static_cast<long long>(one), static_cast<long long>(many), double(many) / double(one));
    return 0;
}
