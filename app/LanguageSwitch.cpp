#include "LanguageSwitch.h"

#include "device/PictureBox.h"
#include "ticket/SettingsFile.h"
#include "ticket/SystemDir.h"
#include "ticket/LogCategories.h"

#include <QFileInfo>
#include <QLoggingCategory>
#include <QObject>
#include <QSettings>

namespace {
QString spaces(int n)
{
    return QString(n, QLatin1Char(' '));
}
const QString CrLf = QStringLiteral("\r\n");
} // namespace

LanguageSwitch LanguageSwitch::chinese()
{
    return {"Chinese", QStringLiteral("语言切换"),
            CrLf + spaces(56) + CrLf + spaces(14) + QStringLiteral("软件已是中文版本") + spaces(28) + QStringLiteral(".")
                + spaces(41) + CrLf,
            CrLf + spaces(38) + CrLf + spaces(4) + QStringLiteral("软件已换成功切换成< 中文版本 >") + spaces(27)
                + QStringLiteral("->请重启软件后生效...") + spaces(15) + CrLf};
}

LanguageSwitch LanguageSwitch::english()
{
    return {"English", QStringLiteral("Language Switching"),
            CrLf + spaces(38) + CrLf + spaces(4) + QStringLiteral("Has been switched to English version") + spaces(13)
                + QStringLiteral(".") + CrLf + spaces(45) + CrLf,
            CrLf + QStringLiteral("The software has been successfully switched to <English version>") + CrLf
                + QStringLiteral("Please restart the software and take effect.....")};
}

LanguageSwitch LanguageSwitch::polish()
{
    return {"Poland", QStringLiteral("język"),
            CrLf + spaces(38) + CrLf + spaces(5) + QStringLiteral("został przeniesiony do polskiej wersji językowej")
                + spaces(12) + QStringLiteral(".") + CrLf + spaces(45) + CrLf,
            CrLf + QStringLiteral("system jest skutecznie włączone do polskiej wersji językowej") + CrLf
                + QStringLiteral("po wejściu w życie.t.....")};
}

bool LanguageSwitch::store(QWidget *parent) const
{
    const QString path = SystemDir::readPath(QStringLiteral("Language.ini"));
    qCDebug(lcLanguageSwitch) << "language file" << path;
    if (!QFileInfo::exists(path)) {
        PictureBox::warn(parent, PictureBox::WarningTitle::Plain,
                         CrLf + CrLf + spaces(49) + CrLf + spaces(1) + QStringLiteral("The system file may have been damaged....")
                             + spaces(11),
                         QStringLiteral(":/Res/Pic/damage.png"));
        return false;
    }
    const QString wanted = QLatin1String(value);
    if (QSettings(path, QSettings::IniFormat).value(QStringLiteral("Language")).toString() == wanted) {
        PictureBox::show(parent, title, alreadySet, QStringLiteral(":/Res/Pic/Language.png"));
        return false;
    }
    qCDebug(lcLanguageSwitch) << "switching language to" << wanted;
    const QString own = SystemDir::userPath(QStringLiteral("Language.ini"));
    QString error;
    if (!SettingsFile::writeIniValue(own, QStringLiteral("Language"), wanted, &error)) {
        // A switch that was not stored must not be announced, nor followed by a restart.
        qCWarning(lcLanguageSwitch) << "cannot write" << own << error;
        PictureBox::warn(parent, PictureBox::WarningTitle::Plain,
                         QObject::tr("语言设置无法保存:") + CrLf + own + CrLf + error, QStringLiteral(":/Res/Pic/damage.png"));
        return false;
    }
    PictureBox::show(parent, title, switched, QStringLiteral(":/Res/Pic/Language.png"));
    return true;
}
