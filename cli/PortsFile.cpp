#include "PortsFile.h"

#include "ticket/InputFile.h"
#include "serial/PortAddress.h"
#include "serial/UnitKey.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QHostAddress>

#include <cstdio>

namespace {
QString problemText(const QString &path, const InputFile::Content &c)
{
    switch (c.problem) {
    case InputFile::Problem::Missing:
        return QStringLiteral("%1 does not exist").arg(path);
    case InputFile::Problem::Directory:
        return QStringLiteral("%1 is a directory").arg(path);
    case InputFile::Problem::NotRegular:
        return QStringLiteral("%1 is not a regular file (to pipe a list in, use --ports-from -)").arg(path);
    case InputFile::Problem::TooLarge:
        return QStringLiteral("%1 has %2 bytes, more than %3").arg(path).arg(c.size).arg(PortsFile::MaxBytes);
    case InputFile::Problem::Unreadable:
        return QStringLiteral("%1 cannot be read").arg(path);
    case InputFile::Problem::Empty:
    case InputFile::Problem::None:
        break;
    }
    return QString();
}

// Where a server listens, however the address spells it: the scheme and a host name in any case, a
// trailing slash or dot, an IP address in any of its forms. One port of a server is one unit,
// whatever link is asked of it, and the files of the query are this computer's.
QString serverEndpoint(const QString &address)
{
    const PortAddress a = PortAddress::parse(address);
    if (!a.isValid())
        return UnitKey::ofAddress(address);
    QString host = a.host.toLower();
    const QHostAddress ip(host);
    if (!ip.isNull())
        host = ip.toString();
    else if (host.endsWith(QLatin1Char('.')))
        host.chop(1);
    return QStringLiteral("%1 %2").arg(host).arg(a.port);
}

// What makes two names one unit: a local device by its canonical path (a by-id link and its
// target), a server by where it listens.
QString sameUnit(const QString &address)
{
    if (PortAddress::looksRemote(address))
        return serverEndpoint(address);
    const QString canonical = QFileInfo(address).canonicalFilePath();
    return canonical.isEmpty() ? address : canonical;
}
} // namespace

bool PortsFile::read(const QString &path, QList<Entry> *entries, QString *error)
{
    QByteArray data;
    const QString name = path == QLatin1String("-") ? QStringLiteral("standard input") : path;
    if (path == QLatin1String("-")) {
        QFile in;
        if (!in.open(stdin, QIODevice::ReadOnly)) {
            *error = QStringLiteral("--ports-from -: standard input cannot be read");
            return false;
        }
        data = in.read(MaxBytes + 1);
        if (data.size() > MaxBytes) {
            *error = QStringLiteral("--ports-from -: more than %1 bytes on standard input").arg(MaxBytes);
            return false;
        }
    } else {
        const InputFile::Content content = InputFile::read(path, MaxBytes);
        if (const QString problem = problemText(path, content); !problem.isEmpty()) {
            *error = QStringLiteral("--ports-from: ") + problem;
            return false;
        }
        data = content.data;
    }
    int number = 0;
    bool discovered = false; // under the header of `ports --discover`, whose NAME is the announced one
    for (const QByteArray &raw : data.split('\n')) {
        ++number;
        const QString line = QString::fromUtf8(raw).trimmed(); // a list saved on Windows ends its lines with CR
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QString address = line.section(QLatin1Char('\t'), 0, 0).trimmed();
        if (address == QLatin1String("PORT")) {
            discovered = line.section(QLatin1Char('\t'), 1, 1) == QLatin1String("NAME");
            continue;
        }
        // A local port's NAME there is its maker, no name of a unit.
        const QString unitName = discovered && PortAddress::looksRemote(address) ? line.section(QLatin1Char('\t'), 1, 1).trimmed()
                                                                                  : QString();
        entries->append({address, QStringLiteral("%1 line %2").arg(name).arg(number), unitName});
    }
    return true;
}

QString PortsFile::duplicate(const QList<Entry> &entries)
{
    QHash<QString, int> seen;
    for (int i = 0; i < entries.size(); ++i) {
        const auto first = seen.constFind(sameUnit(entries.at(i).address));
        if (first == seen.constEnd()) {
            seen.insert(sameUnit(entries.at(i).address), i);
            continue;
        }
        const Entry &a = entries.at(*first), &b = entries.at(i);
        const bool flags = a.origin == QLatin1String("--port") && b.origin == QLatin1String("--port");
        if (a.address == b.address)
            return flags ? QStringLiteral("--port \"%1\" is named twice").arg(a.address)
                         : QStringLiteral("\"%1\" is named twice (%2 and %3)").arg(a.address, a.origin, b.origin);
        return flags ? QStringLiteral("--port \"%1\" and --port \"%2\" are the same device").arg(a.address, b.address)
                     : QStringLiteral("\"%1\" (%2) and \"%3\" (%4) are the same unit").arg(a.address, a.origin, b.address, b.origin);
    }
    return QString();
}
