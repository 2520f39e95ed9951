// How long tqmanage-cli takes to apply a settings file and to upgrade a 51200-byte image on one unit
// and on eight at once. Eight should take close to the time of one (target: at most 1.3x).
// Run: build/tests/bench_cli
#include "BenchFiles.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>
#include <memory>
#include <vector>

namespace {
// Wall time of one run of the verb on n fresh simulators, in milliseconds; -1 when it failed.
qint64 timeRun(const QString &verb, const QString &file, int n, const QStringList &simOptions)
{
    std::vector<std::unique_ptr<SimUnderTest>> sims;
    QStringList args{verb, file};
    for (int i = 0; i < n; ++i) {
        sims.push_back(std::make_unique<SimUnderTest>(simOptions));
        args << QStringLiteral("--port") << sims.back()->port();
    }
    QProcess cli;
    QElapsedTimer clock;
    clock.start();
    cli.start(QStringLiteral(TQ_CLI_PATH), args);
    if (!cli.waitForFinished(120000) || cli.exitCode() != 0)
        return -1;
    return clock.elapsed();
}
} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const BenchFiles files;
    if (!files.written)
        return 1;
    const QString &ini = files.ini, &image = files.image;
    std::printf("%-8s %10s %10s %7s  (target: 8 units at most 1.3x one)\n", "verb", "1 unit", "8 units", "ratio");
    for (const auto &[verb, file, options] :
         {std::tuple<QString, QString, QStringList>{QStringLiteral("apply"), ini, {}},
          std::tuple<QString, QString, QStringList>{QStringLiteral("upgrade"), image, {QStringLiteral("--bootloader")}}}) {
        const qint64 one = timeRun(verb, file, 1, options);
        const qint64 eight = timeRun(verb, file, 8, options);
        if (one < 0 || eight < 0) {
            std::fprintf(stderr, "bench_cli: %s failed\n", qPrintable(verb));
            return 1;
        }
        std::printf("%-8s %8lld ms %8lld ms %6.2fx\n", qPrintable(verb), static_cast<long long>(one),
                    static_cast<long long>(eight), double(eight) / double(one));
    }
    return 0;
}
