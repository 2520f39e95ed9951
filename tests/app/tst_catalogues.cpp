// Every text the code passes through translation has an entry in both catalogues.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QXmlStreamReader>
#include <QtTest>

namespace {
// "context: source" of every message with a finished translation (all of them for the lupdate scan).
QStringList messages(const QString &path, bool translatedOnly)
{
    QStringList found;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return found;
    QXmlStreamReader xml(&file);
    QString context, source;
    while (xml.readNextStartElement() || !xml.atEnd()) {
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            source = xml.readElementText();
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            if (!translatedOnly || (type.isEmpty() && !xml.readElementText().isEmpty()))
                found << context + QStringLiteral(": ") + source;
        }
    }
    return found;
}
} // namespace

class tst_Catalogues : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(Scratch.isValid());
        const QString src = QStringLiteral(TQ_SOURCE_DIR);
        QStringList args;
        for (const char *d : {"app", "serial", "device", "protocol", "ticket", "firmware"})
            args << src + QLatin1Char('/') + QLatin1String(d);
        QProcess lupdate;
        lupdate.setProcessChannelMode(QProcess::MergedChannels);
        lupdate.start(QStringLiteral(TQ_LUPDATE), args << "-no-obsolete" << "-locations" << "none" << "-ts" << Scratch.filePath("scan.ts"));
        QVERIFY2(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0, lupdate.readAll().constData());
        Used = messages(Scratch.filePath("scan.ts"), false);
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
        const QStringList translated = messages(QStringLiteral(TQ_SOURCE_DIR "/Res/") + catalogue, true);
        QStringList missing;
        for (const QString &m : qAsConst(Used))
            if (!translated.contains(m))
                missing << m;
        QVERIFY2(missing.isEmpty(), qPrintable(QStringLiteral("untranslated:\n") + missing.join(QLatin1Char('\n'))));
    }

private:
    QTemporaryDir Scratch;
    QStringList Used;
};

QTEST_GUILESS_MAIN(tst_Catalogues)
#include "tst_catalogues.moc"
