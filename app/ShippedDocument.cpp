#include "ShippedDocument.h"

#include "device/Desktop.h"
#include "device/PictureBox.h"
#include "ticket/Gbk.h"
#include "ticket/Language.h"
#include "ticket/SystemDir.h"
#include "ticket/LogCategories.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QObject>

QString ShippedDocument::helpPathFile(int languageCode)
{
    switch (languageCode) {
    case Language_English:
        return QStringLiteral("English help path.ini");
    case Language_Polish:
        return QStringLiteral("Poland help path.ini");
    default:
        return QStringLiteral("Chinese help path.ini");
    }
}

QString ShippedDocument::updatePathFile(int languageCode)
{
    return languageCode == Language_Polish ? QStringLiteral("Update path Poland.ini") : QStringLiteral("Update path.ini");
}

void ShippedDocument::open(QWidget *parent, const Desktop &desktop, const QString &fileName)
{
    const QString crLf = QStringLiteral("\r\n");
    QFile file(SystemDir::shippedPath(fileName));
    if (!file.exists()) {
        PictureBox::warn(parent, PictureBox::WarningTitle::Plain,
                         crLf + crLf + QString(51, QLatin1Char(' ')) + crLf
                             + QObject::tr("               系统文件可能已经损坏...             "),
                         QStringLiteral(":/Res/Pic/damage.png"));
        return;
    }
    QString target;
    if (file.open(QIODevice::ReadOnly))
        target = Gbk::decode(file.readAll());
    // Paths we ship are relative to the System folder, so they work wherever it is.
    if (!target.isEmpty() && QFileInfo(target).isRelative())
        target = QDir(SystemDir::shippedDirectory()).filePath(target);
    qCDebug(lcDocument) << "opening" << target;
    // Without a program for the document (no browser, say), the operator is told where it is.
    if (!desktop.openUrl(QUrl::fromLocalFile(target)))
        PictureBox::warn(parent, PictureBox::WarningTitle::Plain, QObject::tr("无法打开此文件, 请手动打开:") + crLf + target,
                         QStringLiteral(":/Res/Pic/Warning.png"));
}
