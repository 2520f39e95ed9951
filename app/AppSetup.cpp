#include "AppSetup.h"
#include "GroupBoxFrameStyle.h"

#include "ticket/Language.h"
#include "ticket/LogCategories.h"
#include "ticket/Version.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QStyle>
#include <QTranslator>

static void initTqResources()
{
    // Resources of a static library must be registered by name.
    Q_INIT_RESOURCE(tqmanage);
}

void AppSetup::setNames()
{
    QCoreApplication::setApplicationName(QStringLiteral("tqmanage"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TQ_VERSION));
}

void AppSetup::beforeApplication(bool verbose)
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    // 125 % and 150 % scale as such, not rounded to 100 % or 200 %: pixel geometry and fonts grow together.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    // Nothing here draws with OpenGL; on X11 the GL integration alone loads the driver stack (tens of MB
    // with Mesa) before the first frame. The operator's own setting still wins.
    if (!qEnvironmentVariableIsSet("QT_XCB_GL_INTEGRATION"))
        qputenv("QT_XCB_GL_INTEGRATION", "none");
    // QT_LOGGING_RULES in the environment still wins over this.
    if (!verbose)
        QLoggingCategory::setFilterRules(QStringLiteral("tq.*.debug=false"));
}

void AppSetup::initResources()
{
    initTqResources();
}

void AppSetup::installCatalogue(QApplication &app, QTranslator &translator, int languageCode)
{
    const char *file = nullptr;
    if (languageCode == Language_English)
        file = ":/Res/LANG_English.qm";
    else if (languageCode == Language_Polish)
        file = ":/Res/LANG_Poland.qm";
    if (!file)
        return;
    if (!translator.load(QString::fromLatin1(file)))
        qCWarning(lcSetup) << "catalogue did not load" << file;
    app.installTranslator(&translator);
}

void AppSetup::installQtCatalogue(QApplication &app, QTranslator &translator, int languageCode)
{
    const char *name = languageCode == Language_English ? nullptr
        : languageCode == Language_Polish               ? "qtbase_pl"
                                                        : "qtbase_zh_CN";
    if (!name)
        return;
    // Beside the program first (Windows), then where the system keeps Qt's own (Debian's qttranslations5-l10n).
    const QString file = QLatin1String(name);
    if (!translator.load(file, QCoreApplication::applicationDirPath() + QStringLiteral("/translations"))
        && !translator.load(file, QLibraryInfo::location(QLibraryInfo::TranslationsPath))) {
        qCWarning(lcSetup) << "Qt's own catalogue not found" << file;
        return;
    }
    app.installTranslator(&translator);
}

void AppSetup::setApplicationIcon(QApplication &app)
{
    QIcon icon;
    icon.addFile(QStringLiteral(":/Res/Pic/AppIcon48.png"));
    icon.addFile(QStringLiteral(":/Res/Pic/AppIcon128.png"));
    app.setWindowIcon(icon);
}

void AppSetup::setDesktopName()
{
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tqmanage.TqManage"));
}

void AppSetup::setStyle(QApplication &app)
{
    app.setStyle(new GroupBoxFrameStyle(app.style()->objectName()));
}
