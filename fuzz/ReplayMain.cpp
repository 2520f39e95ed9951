// Runs every file of a corpus folder through one fuzz target: the corpus replay of CTest.
#include "FuzzSupport.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMap>

namespace {
QMap<QString, Fuzz::Target> &targets()
{
    static QMap<QString, Fuzz::Target> all;
    return all;
}
} // namespace

bool Fuzz::add(const char *name, Target target)
{
    targets().insert(QString::fromLatin1(name), target);
    return true;
}

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3 || !targets().contains(args.at(1))) {
        std::fprintf(stderr, "usage: fuzz_replay TARGET CORPUS_DIR\ntargets: %s\n",
                     qPrintable(QStringList(targets().keys()).join(QLatin1Char(' '))));
        return 2;
    }
    const QDir corpus(args.at(2));
    const QStringList files = corpus.entryList(QDir::Files, QDir::Name);
    if (files.isEmpty()) {
        std::fprintf(stderr, "fuzz_replay: no inputs in %s\n", qPrintable(corpus.path()));
        return 1;
    }
    for (const QString &name : files) {
        QFile file(corpus.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return 1;
        const QByteArray input = file.readAll();
        targets().value(args.at(1))(reinterpret_cast<const uint8_t *>(input.constData()), size_t(input.size()));
    }
    std::printf("%s: %d inputs\n", qPrintable(args.at(1)), int(files.size()));
    return 0;
}
