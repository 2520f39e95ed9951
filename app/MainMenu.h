#pragma once

class QAction;
class QMainWindow;
class QMenu;
class QMenuBar;
class QStatusBar;
class QToolBar;
class QWidget;

// The window's form: its one menu (files, firmware, language, help) and the bars around it, under
// the names the menu commands refer to. Built into the window it is given, which owns every part.
struct MainMenu {
    explicit MainMenu(QMainWindow *window);
    void setIcons();

    QAction *Open_file = nullptr;
    QAction *Save_file = nullptr;
    QAction *about = nullptr;
    QAction *Help = nullptr;
    QAction *Save_as_file = nullptr;
    QAction *Boot_Handl = nullptr;
    QAction *Updater = nullptr;
    QAction *actionChinese = nullptr;
    QAction *actionEnglish = nullptr;
    QAction *actionPolish = nullptr;
    QWidget *centralWidget = nullptr;
    QToolBar *mainToolBar = nullptr;
    QStatusBar *statusBar = nullptr;
    QMenuBar *menuBar = nullptr;
    QMenu *menu = nullptr;
    QMenu *menu_Language = nullptr;
};
