#include "AppSetup.h"

#include "Language.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLoggingCategory>
#include <QTranslator>

Q_LOGGING_CATEGORY(lcSetup, "tq.setup")

static void initTqResources()
{
    // Resources of a static library must be registered by name.
    Q_INIT_RESOURCE(tqmanage);
}

void AppSetup::setNames()
{
    QCoreApplication::setApplicationName(QStringLiteral("tqmanage"));
    QCoreApplication::setApplicationVersion(QStringLiteral("1.0.7"));
}

void AppSetup::beforeApplication(bool verbose)
{
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    // 125 % and 150 % scale as such, not rounded to 100 % or 200 %: pixel geometry and fonts grow together.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
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
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.tqmanage.TqManage"));
}

QString AppSetup::globalStyleSheet()
{
    return QStringLiteral(
        "QPushButton{font-family:Arial;width:80px;height:25px;border:1px solid lightgray;background:rgb(230,230,230);}"
        "QPushButton:hover{border-color:green;background:transparent;}"
        "QComboBox{font-family:Arial;border:1px solid gray;border-radius:2px;padding:1px 2px 1px 2px;}"
        "QComboBox::drop-down{subcontrol-origin:padding;subcontrol-position:top right;width:20px;"
        "border-left-width:1px;border-left-color:darkgray;border-left-style:solid;"
        "border-top-right-radius:3px;border-bottom-right-radius:3px;}"
        "QComboBox::down-arrow{image:url(:/Res/Pic/drop-down.png);}"
        "QToolTip{background-color:white;color:black;}"
        "QLineEdit{font-family:Arial;background:transparent;border:1px solid gray;border-radius:2px;"
        "padding:1px 2px 1px 2px;}"
        "QLabel,QGroupBox,QDialog,QMessageBox{font-family:Arial;}"
        // Keyboard focus must be seen on every control, and a popup's hovered item must be readable
        // on the white dialogs.
        "QPushButton:focus,QComboBox:focus,QLineEdit:focus{border:1px solid rgb(31,111,197);"
        "background:rgb(220,232,246);}"
        "QComboBox QAbstractItemView{background:white;color:black;selection-background-color:rgb(31,111,197);"
        "selection-color:white;}");
}

QString AppSetup::radioIndicatorSheet()
{
    return QStringLiteral("QRadioButton::indicator{width:20px;height:20px;}"
                          "QRadioButton::indicator:unchecked{image:url(:/Res/Pic/Select_F_A.png);}"
                          "QRadioButton::indicator:unchecked:hover{image:url(:/Res/Pic/Select_F_A_F.png);}"
                          "QRadioButton::indicator:checked{image:url(:/Res/Pic/Select_F_B.png);}"
                          "QRadioButton::indicator:checked:hover{image:url(:/Res/Pic/Select_F_B_F.png);}"
                          "QRadioButton:focus{background:rgb(220,232,246);}");
}
