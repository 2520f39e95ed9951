#pragma once

#include "device/Desktop.h"
#include "MainMenu.h"
#include "StartOptions.h"

#include <QMainWindow>

#include <memory>

struct LanguageSwitch;
class Function_One;
class Function_USART;
class QPushButton;
class QTabWidget;
class QTextBrowser;
class QWidget;
class RecordFile;

// The program's one window: menu, tabs, the device page and the serial port service.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    using Form = MainMenu;

    explicit MainWindow(QWidget *parent = nullptr, const StartOptions &options = StartOptions());
    ~MainWindow() override;

    Form *ui = nullptr;
    QTabWidget *tabWidget = nullptr;
    QWidget *Update_Log_Page = nullptr;
    QTextBrowser *Update_Log_View = nullptr;
    Function_USART *Serial_Service = nullptr;
    Function_One *Ticket_Page = nullptr;
    QWidget *Help_Page = nullptr;
    QPushButton *Help_Picture = nullptr;
    StartOptions Options;
    std::unique_ptr<RecordFile> Record; // every action on a unit

    static QString tabStyleSheet();

    // Selects the port box entry of this location and presses connect (command line --connect).
    bool connectTo(const QString &systemLocation);
    // A settings file named on the command line: opened as Open would, or reported when missing.
    void openAtStart(const QString &path);
    // Fills the port list and the help picture; with StartOptions::deferredStart the first frame
    // comes first. Once only.
    void finishStart();

    void Exit_Prompt_Handle();
    void Open_Path_File_Handle(const QString &fileName);

    Desktop desktop = Desktop::real();
    // Replaces the firmware window's file dialog (tests).
    std::function<QString(QWidget *)> chooseFirmwareImage;

signals:
    void OPEN_Print_FILE(QString Route);
    void SAVE_Print_FILE(QString Route);

public slots:
    void OPEN_FILE_Menuber();
    void SAVE_FILE_default_Menuber();
    void SAVE_AS_FILE_Menuber();
    void Language_Choose_Chinese();
    void Language_Choose_English();
    void Language_Choose_Poland();
    void OPEN_Hepl_File();
    void Open_Help();
    void Software_Updater_Handle();
    void About_Display();
    void Bootloader_update_Handle();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void switchLanguage(const LanguageSwitch &choice);
    void loadDefaultSettings();
    void initConnections();
    void nameControls();
    bool Started = false;

    QWidget *tabPageParent();
    void createUpdateLogTab();
    void fillUpdateLog();
    void createHelpTab();
};
