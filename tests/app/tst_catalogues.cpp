// Every text the code passes through translation must have an entry in both catalogues.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {
struct Message {
    QString context;
    QString source;
    QString translation;
    QString type;
};

QList<Message> readTs(const QString &path)
{
    QList<Message> messages;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return messages;
    QXmlStreamReader xml(&file);
    QString context;
    Message current;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        const auto name = xml.name();
        if (name == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (name == QLatin1String("message")) {
            current = Message{context, {}, {}, {}};
        } else if (name == QLatin1String("source")) {
            current.source = xml.readElementText();
        } else if (name == QLatin1String("translation")) {
            current.type = xml.attributes().value(QLatin1String("type")).toString();
            current.translation = xml.readElementText();
            messages << current;
        }
    }
    return messages;
}

QString key(const Message &m)
{
    return m.context + QLatin1Char('\x1f') + m.source;
}
} // namespace

class tst_Catalogues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(Scratch.isValid());
        const QString scratchTs = Scratch.filePath(QStringLiteral("scratch.ts"));
        const QString src = QStringLiteral(TQ_SOURCE_DIR);
        QStringList dirs;
        for (const char *d : {"app", "serial", "device", "protocol", "ticket", "firmware"})
            if (QDir(src + QLatin1Char('/') + QLatin1String(d)).exists())
                dirs << src + QLatin1Char('/') + QLatin1String(d);
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(TQ_LUPDATE), dirs + QStringList{QStringLiteral("-no-obsolete"),
                                                                    QStringLiteral("-locations"), QStringLiteral("none"),
                                                                    QStringLiteral("-ts"), scratchTs});
        QVERIFY2(lupdate.waitForFinished(60000), "lupdate did not finish");
        QVERIFY2(lupdate.exitCode() == 0, lupdate.readAll().constData());
        Used = readTs(scratchTs);
        QVERIFY2(Used.size() > 30, "lupdate found suspiciously few texts");
    }

    void everyTextTranslated_data()
    {
        QTest::addColumn<QString>("catalogue");
        QTest::newRow("English") << QStringLiteral("LANG_English.ts");
        QTest::newRow("Polish") << QStringLiteral("LANG_Poland.ts");
    }
    void everyTextTranslated()
    {
        QFETCH(QString, catalogue);
        const QList<Message> entries = readTs(QStringLiteral(TQ_SOURCE_DIR "/Res/") + catalogue);
        QHash<QString, Message> byKey;
        for (const Message &m : entries)
            byKey.insert(key(m), m);
        QStringList missing;
        for (const Message &m : qAsConst(Used)) {
            const auto it = byKey.constFind(key(m));
            if (it == byKey.constEnd() || it->translation.isEmpty() || it->type == QLatin1String("unfinished")
                || it->type == QLatin1String("obsolete") || it->type == QLatin1String("vanished"))
                missing << m.context + QStringLiteral(": ") + m.source;
        }
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("untranslated:\n") + missing.join(QLatin1Char('\n'))));
    }

private:
    QTemporaryDir Scratch;
    QList<Message> Used;
};

QTEST_GUILESS_MAIN(tst_Catalogues)
#include "tst_catalogues.moc"
