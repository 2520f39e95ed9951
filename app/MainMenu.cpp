#include "MainMenu.h"

#include <QAction>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

namespace {
QIcon twoStateIcon(const QString &normal, const QString &active)
{
    QIcon icon;
    if (!normal.isEmpty())
        icon.addFile(normal, QSize(), QIcon::Normal);
    if (!active.isEmpty())
        icon.addFile(active, QSize(), QIcon::Active);
    return icon;
}

QIcon activeIcon(const char *name)
{
    return twoStateIcon(QString(), QStringLiteral(":/Res/Pic/") + QLatin1String(name));
}

QIcon pairIcon(const char *normal, const char *active)
{
    return twoStateIcon(QStringLiteral(":/Res/Pic/") + QLatin1String(normal), QStringLiteral(":/Res/Pic/") + QLatin1String(active));
}
} // namespace

MainMenu::MainMenu(QMainWindow *window)
{
    auto action = [window](const char *name, const QString &text, const QKeySequence &shortcut) {
        auto *a = new QAction(text, window);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(shortcut);
        return a;
    };
    // The texts stay in the window's context of the catalogues, spelt out so that lupdate finds them.
    Open_file = action("Open_file", QCoreApplication::translate("MainWindow", "  打开"), QKeySequence(Qt::Key_F1));
    Save_file = action("Save_file", QCoreApplication::translate("MainWindow", "  保存"), QKeySequence(Qt::CTRL | Qt::Key_S));
    about = action("about", QCoreApplication::translate("MainWindow", "  关于"), QKeySequence(Qt::Key_F12));
    Help = action("Help", QCoreApplication::translate("MainWindow", "  帮助"), QKeySequence(Qt::Key_F11));
    Save_as_file = action("Save_as_file", QCoreApplication::translate("MainWindow", "  另存"), QKeySequence(Qt::Key_F3));
    Boot_Handl = action("Boot_Handl", QCoreApplication::translate("MainWindow", "  固件"), QKeySequence(Qt::CTRL | Qt::Key_F));
    Updater = action("Updater", QCoreApplication::translate("MainWindow", "  更新"), QKeySequence(Qt::CTRL | Qt::Key_U));
    actionChinese = action("actionChinese", QStringLiteral("中文"), QKeySequence());
    actionEnglish = action("actionEnglish", QStringLiteral("English"), QKeySequence());
    actionPolish = action("actionPolish", QStringLiteral("Polish"), QKeySequence());

    centralWidget = new QWidget(window);
    centralWidget->setObjectName(QStringLiteral("centralWidget"));
    window->setCentralWidget(centralWidget);
    mainToolBar = new QToolBar(window);
    mainToolBar->setObjectName(QStringLiteral("mainToolBar"));
    window->addToolBar(Qt::TopToolBarArea, mainToolBar);
    statusBar = new QStatusBar(window);
    statusBar->setObjectName(QStringLiteral("statusBar"));
    window->setStatusBar(statusBar);
    menuBar = new QMenuBar(window);
    menuBar->setObjectName(QStringLiteral("menuBar"));
    window->setMenuBar(menuBar);

    menu = new QMenu(QCoreApplication::translate("MainWindow", "          中文         "), menuBar);
    menu->setObjectName(QStringLiteral("menu"));
    menu_Language = new QMenu(QCoreApplication::translate("MainWindow", "  语言"), menu);
    menu_Language->setObjectName(QStringLiteral("menu_Language"));
    menu_Language->addActions({actionChinese, actionEnglish, actionPolish});

    menuBar->addMenu(menu);
    menu->addSeparator();
    menu->addActions({Open_file, Save_file, Save_as_file, Boot_Handl});
    menu->addMenu(menu_Language);
    menu->addSeparator();
    menu->addActions({Help, about, Updater});
}

// Seen only in the open menu, which cannot open before the first frame: decoding them waits for it.
void MainMenu::setIcons()
{
    Open_file->setIcon(activeIcon("Open_Flie.png"));
    Save_file->setIcon(activeIcon("Save_File.png"));
    about->setIcon(activeIcon("about.png"));
    Help->setIcon(pairIcon("Help_Book.png", "Help_Book2.png"));
    Save_as_file->setIcon(pairIcon("Save_as_a.png", "Save_as_b.png"));
    Boot_Handl->setIcon(pairIcon("Fir_up_a.png", "Fir_up_b.png"));
    Updater->setIcon(pairIcon("YOU_Up_a.png", "YOU_Up_b.png"));
    menu_Language->setIcon(pairIcon("Translate_B.png", "Translate_A.png"));
}
