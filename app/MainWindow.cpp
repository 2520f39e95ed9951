#include "MainWindow.h"

#include "AboutBox.h"
#include "AppSetup.h"
#include "DeferredIconEngine.h"
#include "LanguageSwitch.h"
#include "Restart.h"
#include "ShippedDocument.h"

#include "ticket/Language.h"
#include "ticket/RecordFile.h"
#include "ticket/SystemDir.h"
#include "device/ActionRecorder.h"
#include "device/Function_One.h"
#include "device/Bootloader_Handle.h"
#include "device/Function_USART.h"
#include "firmware/UpgradeTrace.h"
#include "protocol/UnitSession.h"
#include "ticket/Gbk.h"
#include "ticket/LogCategories.h"
#include "ticket/Version.h"

#include <QAction>
#include <QApplication>
#include <QTabBar>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QComboBox>
#include <QFile>
#include <QLoggingCategory>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTimer>
#include <QWindow>

MainWindow::MainWindow(QWidget *parent, const StartOptions &options)
    : QMainWindow(parent, Qt::WindowCloseButtonHint)
    , Options(options)
{
    qCDebug(lcWindow) << "window flags" << windowFlags();
    // Flags before any child exists: new flags restyle every child under the style sheet.
    resize(1000, 650);
    move(50, 50);
    setFixedSize(1000, 650);
    setWindowFlags((windowFlags() & ~Qt::WindowMaximizeButtonHint) | Qt::WindowMinimizeButtonHint);
    setWindowTitle(QStringLiteral("Manage TQ-8M V" TQ_VERSION));
    ui = new Form(this);

    tabWidget = new QTabWidget(this);
    tabWidget->setObjectName(QStringLiteral("tabwidget_DevMang"));
    tabWidget->setGeometry(0, 40, 1000, 610);
    tabWidget->setStyleSheet(tabStyleSheet());
    tabWidget->show();

    Ticket_Page = new Function_One(tabPageParent());
    tabWidget->addTab(Ticket_Page, QObject::tr("小票内容设置"));

    Serial_Service = new Function_USART(this);
    if (!options.simulatorPort.isEmpty())
        Serial_Service->Add_Extra_Port(options.simulatorPort, QStringLiteral("Simulator"));
    for (const QString &port : options.ports)
        Serial_Service->Add_Extra_Port(port);
    if (!options.connectPort.isEmpty())
        Serial_Service->Add_Extra_Port(options.connectPort);
    // The page asks the service for each entry's location, so it gets the service first.
    Ticket_Page->Set_Function(Serial_Service);
    Serial_Service->Set_Receiver(Ticket_Page);
    Record = std::make_unique<RecordFile>(options.recordFile.isEmpty() ? RecordFile::defaultPath() : options.recordFile,
                                          QStringLiteral("tqmanage"));
    Ticket_Page->setRecord(Record.get());

    createHelpTab();
    if (Read_Language(false) == Language_Chinese)
        createUpdateLogTab();
    tabWidget->addTab(Help_Page, QObject::tr("帮助"));

    initConnections();
    nameControls();
    loadDefaultSettings();
    if (!options.deferredStart)
        finishStart();
}

void MainWindow::finishStart()
{
    if (Started)
        return;
    Started = true;
    // The port list asks the system for every device, the help picture is a large JPEG decoded
    // whole, and browsing the network talks to avahi-daemon: none of them is on the first frame, nor
    // are the menu's icons, the change history on a hidden tab and the windows' icon.
    // Units found join the list at the port box's next refresh.
    AppSetup::setApplicationIcon(*qApp);
    Serial_Service->startDiscovery();
    Ticket_Page->USART_COM_Show(Serial_Service->USART_COM_List());
    Ticket_Page->showRememberedPort();
    Help_Picture->setIcon(DeferredIconEngine::icon(QStringLiteral(":/Res/Pic/Help.jpg")));
    ui->setIcons();
    fillUpdateLog();
}

void MainWindow::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!Started && windowHandle())
        windowHandle()->installEventFilter(this);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    // Right after the first frame, before the operator can act.
    if (event->type() == QEvent::Expose && watched == windowHandle() && windowHandle()->isExposed()) {
        watched->removeEventFilter(this);
        QTimer::singleShot(0, this, &MainWindow::finishStart);
    }
    return QMainWindow::eventFilter(watched, event);
}

// What a screen reader says for the window's own controls; the page names its controls itself.
void MainWindow::nameControls()
{
    tabWidget->tabBar()->setAccessibleName(QObject::tr("页面"));
    Help_Picture->setAccessibleName(QObject::tr("打开视频教程"));
    Help_Picture->setToolTip(QObject::tr("点我^.^打开视频教程"));
    if (Update_Log_View)
        Update_Log_View->setAccessibleName(QObject::tr("版本更新记录"));
}

void MainWindow::initConnections()
{
    connect(ui->Open_file, &QAction::triggered, this, &MainWindow::OPEN_FILE_Menuber);
    connect(this, &MainWindow::OPEN_Print_FILE, Ticket_Page, &Function_One::OPEN_FILE_Operation);
    connect(ui->Save_as_file, &QAction::triggered, this, &MainWindow::SAVE_AS_FILE_Menuber);
    connect(this, &MainWindow::SAVE_Print_FILE, Ticket_Page, &Function_One::Save_FILE_Operation);
    connect(ui->about, &QAction::triggered, this, &MainWindow::About_Display);
    connect(ui->Help, &QAction::triggered, this, &MainWindow::OPEN_Hepl_File);
    connect(ui->actionChinese, &QAction::triggered, this, &MainWindow::Language_Choose_Chinese);
    connect(ui->actionEnglish, &QAction::triggered, this, &MainWindow::Language_Choose_English);
    connect(ui->actionPolish, &QAction::triggered, this, &MainWindow::Language_Choose_Poland);
    connect(ui->Save_file, &QAction::triggered, this, &MainWindow::SAVE_FILE_default_Menuber);
    connect(ui->Updater, &QAction::triggered, this, &MainWindow::Software_Updater_Handle);
    connect(ui->Boot_Handl, &QAction::triggered, this, &MainWindow::Bootloader_update_Handle);
    connect(Help_Picture, &QPushButton::clicked, this, &MainWindow::Open_Help);
}

void MainWindow::loadDefaultSettings()
{
    const QString path = SystemDir::readPath(QStringLiteral("Printf_default.ini"));
    const QFileInfo file(path);
    if (!file.exists()) {
        qCDebug(lcWindow) << "no default settings file" << path;
        return;
    }
    if (file.isFile() && file.size() == 0)
        return; // an empty one is ignored; anything else that is no settings file is refused aloud
    // The user's own file is loaded as Open would; defaults shipped with an installation are only read.
    if (path == SystemDir::userPath(QStringLiteral("Printf_default.ini")))
        emit OPEN_Print_FILE(path);
    else
        Ticket_Page->loadSettingsFile(path, false);
}

MainWindow::~MainWindow()
{
    delete ui;
}

// Tab pages are made where the tab widget keeps them: a page moved there once built would be
// restyled whole under the style sheet.
QWidget *MainWindow::tabPageParent()
{
    auto *stack = tabWidget->findChild<QStackedWidget *>(QString(), Qt::FindDirectChildrenOnly);
    return stack ? static_cast<QWidget *>(stack) : this;
}

void MainWindow::createUpdateLogTab()
{
    Update_Log_Page = new QWidget(tabPageParent());
    Update_Log_Page->resize(1000, 610);
    tabWidget->addTab(Update_Log_Page, QObject::tr("版本更新说明"));
    Update_Log_View = new QTextBrowser(Update_Log_Page);
    Update_Log_View->setGeometry(0, 0, 1000, 570);
}

void MainWindow::fillUpdateLog()
{
    if (!Update_Log_View)
        return;
    QFile log(SystemDir::shippedPath(QStringLiteral("Update log.ini")));
    if (!log.exists()) {
        Update_Log_View->setText(QStringLiteral("文件损坏....."));
        return;
    }
    if (log.open(QIODevice::ReadOnly))
        Update_Log_View->setText(Gbk::decode(log.readAll()));
}

void MainWindow::createHelpTab()
{
    Help_Page = new QWidget(tabPageParent());
    auto *picture = Help_Picture = new QPushButton(Help_Page);
    picture->setObjectName(QStringLiteral("Help_Picture"));
    picture->setGeometry(0, 0, 1000, 610);
    picture->setIconSize(QSize(1300, 700));
}

bool MainWindow::connectTo(const QString &systemLocation)
{
    finishStart();
    return Ticket_Page->connectTo(systemLocation);
}

void MainWindow::openAtStart(const QString &path)
{
    // The load refuses what is no settings file (missing, a FIFO, a picture) with its own reason.
    emit OPEN_Print_FILE(path);
}

QString MainWindow::tabStyleSheet()
{
    const QString s = QStringLiteral("QTabWidget#tabwidget_DevMang");
    return s + QStringLiteral("::tab-bar{alignment:left;top:3px;left:5px;right:5px;}")
        + s + QStringLiteral(" QTabBar::tab{border-color:black;border-width:3px;border-bottom:none;"
                             "border-top-left-radius:1px;border-top-right-radius:1px;background:transparent;"
                             "color:black;min-width:35ex;min-height:4ex;font-family:Arial;}")
        + s + QStringLiteral(" QTabBar::tab:hover:!selected{width:100px;height:4ex;border:1px solid #C589C3;"
                             "border-color:#51dc8a;background:rgba(255,255,255,100);}")
        + s + QStringLiteral(" QTabBar::tab:selected{background:#999a91;color:white;}")
        + s + QStringLiteral(" QTabBar::tab:!selected{background:none;color:black;border:none;}")
        + s + QStringLiteral(" QTabBar::tab:last:hover:!selected{margin-left:1px;}");
}

void MainWindow::OPEN_FILE_Menuber()
{
    const QString path = desktop.chooseFile(this, QFileDialog::AcceptOpen, QStringLiteral("Open"));
    if (path.isEmpty())
        return;
    emit OPEN_Print_FILE(path);
}

void MainWindow::SAVE_FILE_default_Menuber()
{
    // The old file stays until the new one is complete: the save replaces it in one step.
    QDir().mkpath(SystemDir::userDirectory());
    emit SAVE_Print_FILE(SystemDir::userPath(QStringLiteral("Printf_default.ini")));
}

void MainWindow::SAVE_AS_FILE_Menuber()
{
    const QString path = desktop.chooseFile(this, QFileDialog::AcceptSave, QStringLiteral("Save As"));
    if (path.isEmpty())
        return;
    emit SAVE_Print_FILE(path);
}

void MainWindow::Exit_Prompt_Handle()
{
    const QString text = QStringLiteral("\r\n") + QString(6, QLatin1Char(' '))
        + QObject::tr("警告：程序正在运行退出后是否要保存配置文件?") + QString(8, QLatin1Char(' ')) + QStringLiteral("\r\n");
    const auto answer = QMessageBox::question(this, QObject::tr("退出程序"), text, QMessageBox::Yes | QMessageBox::No,
                                              QMessageBox::NoButton);
    if (answer == QMessageBox::Yes) {
        SAVE_FILE_default_Menuber();
        qCDebug(lcWindow) << "saved, exiting";
    } else {
        qCDebug(lcWindow) << "exiting without saving";
    }
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    Exit_Prompt_Handle();
    event->accept();
}

void MainWindow::Language_Choose_Chinese()
{
    switchLanguage(LanguageSwitch::chinese());
}

void MainWindow::Language_Choose_English()
{
    switchLanguage(LanguageSwitch::english());
}

void MainWindow::Language_Choose_Poland()
{
    switchLanguage(LanguageSwitch::polish());
}

void MainWindow::switchLanguage(const LanguageSwitch &choice)
{
    if (!choice.store(this))
        return;
    Exit_Prompt_Handle();
    Restart::now(desktop, Options);
}

void MainWindow::OPEN_Hepl_File()
{
    Open_Path_File_Handle(ShippedDocument::helpPathFile(Read_Language(false)));
}

void MainWindow::Open_Help()
{
    OPEN_Hepl_File();
}

void MainWindow::Software_Updater_Handle()
{
    Open_Path_File_Handle(ShippedDocument::updatePathFile(Read_Language(false)));
}

void MainWindow::Open_Path_File_Handle(const QString &fileName)
{
    ShippedDocument::open(this, desktop, fileName);
}

void MainWindow::About_Display()
{
    AboutBox::exec(this);
}

void MainWindow::Bootloader_update_Handle()
{
    Bootloader_Handle dialog(this);
    dialog.setFixedSize(550, 300);
    dialog.setStyleSheet(QStringLiteral("background-color: white;"));
    dialog.setWindowTitle(QStringLiteral("Bootloadle Mode"));
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowCloseButtonHint);
    if (chooseFirmwareImage)
        dialog.chooseImage = chooseFirmwareImage;
    dialog.upgradeObstacle = [this] { return Serial_Service->upgradeObstacle(); };
    // As the command line's: texts and packages straight to the link, the unit's texts from the
    // page's unit session, which asks the unit nothing while the window is open.
    SerialLink &link = Serial_Service->link();
    connect(&dialog.Session, &UpgradeSession::sendText, &link, &SerialLink::sendText);
    connect(&dialog.Session, &UpgradeSession::sendPackage, &link, &SerialLink::sendBytes);
    UnitSession &unit = Ticket_Page->unitSession();
    unit.setUpgrade(&dialog.Session);
    UpgradeTrace trace(dialog.Session);
    Ticket_Page->recorder().watchUpgrades(trace, dialog.Session);
    dialog.exec();
    unit.setUpgrade(nullptr);
    Ticket_Page->recorder().windowClosed(trace);
}
