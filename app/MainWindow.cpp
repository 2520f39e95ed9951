#include "MainWindow.h"

#include "ControlNames.h"
#include "Language.h"
#include "PictureBox.h"
#include "SystemDir.h"
#include "device/Function_One.h"
#include "firmware/Bootloader_Handle.h"
#include "serial/Function_USART.h"
#include "serial/Gbk.h"
#include "ticket/SettingsFile.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QSettings>
#include <QComboBox>
#include <QFile>
#include <QLoggingCategory>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QToolBar>

Q_LOGGING_CATEGORY(lcWindow, "tq.window")

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
} // namespace

MainWindow::MainWindow(QWidget *parent, const StartOptions &options)
    : QMainWindow(parent, Qt::WindowCloseButtonHint)
    , ui(new Form)
    , Options(options)
{
    setupForm();

    resize(1000, 650);
    move(50, 50);
    setFixedSize(1000, 650);
    setWindowFlags((windowFlags() & ~Qt::WindowMaximizeButtonHint) | Qt::WindowMinimizeButtonHint);
    setWindowTitle(QStringLiteral("Manage TQ-8M V1.0.7"));

    tabWidget = new QTabWidget(this);
    tabWidget->setObjectName(QStringLiteral("tabwidget_DevMang"));
    tabWidget->setGeometry(0, 40, 1000, 610);
    tabWidget->setStyleSheet(tabStyleSheet());
    tabWidget->show();

    Ticket_Page = new Function_One(this);
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
    Ticket_Page->USART_COM_Show(Serial_Service->USART_COM_List());
    Ticket_Page->showRememberedPort();

    createHelpTab();
    if (Read_Language(false) == Language_Chinese)
        createUpdateLogTab();
    tabWidget->addTab(Help_Page, QObject::tr("帮助"));

    initConnections();
    ControlNames::nameMainWindow(this);
    loadDefaultSettings();
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
    if (file.size() == 0)
        return;
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

void MainWindow::setupForm()
{
    auto action = [this](const QString &name, const QString &text, const QKeySequence &shortcut, const QIcon &icon) {
        auto *a = new QAction(icon, text, this);
        a->setObjectName(name);
        a->setShortcut(shortcut);
        return a;
    };
    ui->Open_file = action(QStringLiteral("Open_file"), tr("  打开"), QKeySequence(Qt::Key_F1),
                           twoStateIcon(QString(), QStringLiteral(":/Res/Pic/Open_Flie.png")));
    ui->Save_file = action(QStringLiteral("Save_file"), tr("  保存"), QKeySequence(Qt::CTRL | Qt::Key_S),
                           twoStateIcon(QString(), QStringLiteral(":/Res/Pic/Save_File.png")));
    ui->about = action(QStringLiteral("about"), tr("  关于"), QKeySequence(Qt::Key_F12),
                       twoStateIcon(QString(), QStringLiteral(":/Res/Pic/about.png")));
    ui->Help = action(QStringLiteral("Help"), tr("  帮助"), QKeySequence(Qt::Key_F11),
                      twoStateIcon(QStringLiteral(":/Res/Pic/Help_Book.png"), QStringLiteral(":/Res/Pic/Help_Book2.png")));
    ui->Save_as_file = action(QStringLiteral("Save_as_file"), tr("  另存"), QKeySequence(Qt::Key_F3),
                              twoStateIcon(QStringLiteral(":/Res/Pic/Save_as_a.png"), QStringLiteral(":/Res/Pic/Save_as_b.png")));
    ui->Boot_Handl = action(QStringLiteral("Boot_Handl"), tr("  固件"), QKeySequence(Qt::CTRL | Qt::Key_F),
                            twoStateIcon(QStringLiteral(":/Res/Pic/Fir_up_a.png"), QStringLiteral(":/Res/Pic/Fir_up_b.png")));
    ui->Updater = action(QStringLiteral("Updater"), tr("  更新"), QKeySequence(Qt::CTRL | Qt::Key_U),
                         twoStateIcon(QStringLiteral(":/Res/Pic/YOU_Up_a.png"), QStringLiteral(":/Res/Pic/YOU_Up_b.png")));
    ui->actionChinese = action(QStringLiteral("actionChinese"), QStringLiteral("中文"), QKeySequence(), QIcon());
    ui->actionEnglish = action(QStringLiteral("actionEnglish"), QStringLiteral("English"), QKeySequence(), QIcon());
    ui->actionPolish = action(QStringLiteral("actionPolish"), QStringLiteral("Polish"), QKeySequence(), QIcon());

    ui->centralWidget = new QWidget(this);
    ui->centralWidget->setObjectName(QStringLiteral("centralWidget"));
    setCentralWidget(ui->centralWidget);
    ui->mainToolBar = new QToolBar(this);
    ui->mainToolBar->setObjectName(QStringLiteral("mainToolBar"));
    addToolBar(Qt::TopToolBarArea, ui->mainToolBar);
    ui->statusBar = new QStatusBar(this);
    ui->statusBar->setObjectName(QStringLiteral("statusBar"));
    setStatusBar(ui->statusBar);
    ui->menuBar = new QMenuBar(this);
    ui->menuBar->setObjectName(QStringLiteral("menuBar"));
    setMenuBar(ui->menuBar);

    ui->menu = new QMenu(tr("          中文         "), ui->menuBar);
    ui->menu->setObjectName(QStringLiteral("menu"));
    ui->menu_Language = new QMenu(tr("  语言"), ui->menu);
    ui->menu_Language->setObjectName(QStringLiteral("menu_Language"));
    ui->menu_Language->setIcon(
        twoStateIcon(QStringLiteral(":/Res/Pic/Translate_B.png"), QStringLiteral(":/Res/Pic/Translate_A.png")));
    ui->menu_Language->addActions({ui->actionChinese, ui->actionEnglish, ui->actionPolish});

    ui->menuBar->addMenu(ui->menu);
    ui->menu->addSeparator();
    ui->menu->addActions({ui->Open_file, ui->Save_file, ui->Save_as_file, ui->Boot_Handl});
    ui->menu->addMenu(ui->menu_Language);
    ui->menu->addSeparator();
    ui->menu->addActions({ui->Help, ui->about, ui->Updater});
}

void MainWindow::createUpdateLogTab()
{
    Update_Log_Page = new QWidget(this);
    Update_Log_Page->resize(1000, 610);
    tabWidget->addTab(Update_Log_Page, QObject::tr("版本更新说明"));
    Update_Log_View = new QTextBrowser(Update_Log_Page);
    Update_Log_View->setGeometry(0, 0, 1000, 570);
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
    Help_Page = new QWidget(this);
    auto *picture = Help_Picture = new QPushButton(Help_Page);
    picture->setObjectName(QStringLiteral("Help_Picture"));
    picture->setGeometry(0, 0, 1000, 610);
    picture->setIcon(QIcon(QStringLiteral(":/Res/Pic/Help.jpg")));
    picture->setIconSize(QSize(1300, 700));
}

bool MainWindow::connectTo(const QString &systemLocation)
{
    QComboBox *box = Ticket_Page->QC_COM_Choose;
    const int index = box->findData(systemLocation);
    if (index < 0)
        return false;
    box->setCurrentIndex(index);
    Ticket_Page->QB_OPEN_USART->click();
    return true;
}

void MainWindow::openAtStart(const QString &path)
{
    if (QFileInfo(path).isFile()) {
        emit OPEN_Print_FILE(path);
        return;
    }
    PictureBox::show(this, QStringLiteral("Warning"), QObject::tr("没有找到此文件:") + QStringLiteral("\r\n") + path,
                     QStringLiteral(":/Res/Pic/Warning.png"));
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

struct MainWindow::LanguageSwitch {
    const char *value;
    QString title;
    QString alreadySet;
    QString switched;
};

namespace {
QString spaces(int n)
{
    return QString(n, QLatin1Char(' '));
}
const QString CrLf = QStringLiteral("\r\n");
} // namespace

void MainWindow::Language_Choose_Chinese()
{
    switchLanguage({"Chinese", QStringLiteral("语言切换"),
                    CrLf + spaces(56) + CrLf + spaces(14) + QStringLiteral("软件已是中文版本") + spaces(28) + QStringLiteral(".")
                        + spaces(41) + CrLf,
                    CrLf + spaces(38) + CrLf + spaces(4) + QStringLiteral("软件已换成功切换成< 中文版本 >") + spaces(27)
                        + QStringLiteral("->请重启软件后生效...") + spaces(15) + CrLf});
}

void MainWindow::Language_Choose_English()
{
    switchLanguage({"English", QStringLiteral("Language Switching"),
                    CrLf + spaces(38) + CrLf + spaces(4) + QStringLiteral("Has been switched to English version") + spaces(13)
                        + QStringLiteral(".") + CrLf + spaces(45) + CrLf,
                    CrLf + QStringLiteral("The software has been successfully switched to <English version>") + CrLf
                        + QStringLiteral("Please restart the software and take effect.....")});
}

void MainWindow::Language_Choose_Poland()
{
    switchLanguage({"Poland", QStringLiteral("język"),
                    CrLf + spaces(38) + CrLf + spaces(5) + QStringLiteral("został przeniesiony do polskiej wersji językowej")
                        + spaces(12) + QStringLiteral(".") + CrLf + spaces(45) + CrLf,
                    CrLf + QStringLiteral("system jest skutecznie włączone do polskiej wersji językowej") + CrLf
                        + QStringLiteral("po wejściu w życie.t.....")});
}

void MainWindow::switchLanguage(const LanguageSwitch &choice)
{
    const QString path = SystemDir::readPath(QStringLiteral("Language.ini"));
    qCDebug(lcWindow) << "language file" << path;
    if (!QFileInfo::exists(path)) {
        PictureBox::show(this, QStringLiteral("Warning"),
                         CrLf + CrLf + spaces(49) + CrLf + spaces(1) + QStringLiteral("The system file may have been damaged....")
                             + spaces(11),
                         QStringLiteral(":/Res/Pic/damage.png"));
        return;
    }
    const QString value = QLatin1String(choice.value);
    if (QSettings(path, QSettings::IniFormat).value(QStringLiteral("Language")).toString() == value) {
        PictureBox::show(this, choice.title, choice.alreadySet, QStringLiteral(":/Res/Pic/Language.png"));
        return;
    }
    qCDebug(lcWindow) << "switching language to" << value;
    const QString own = SystemDir::userPath(QStringLiteral("Language.ini"));
    QString error;
    if (!SettingsFile::writeIniValue(own, QStringLiteral("Language"), value, &error)) {
        // A switch that was not stored must not be announced, nor followed by a restart.
        qCWarning(lcWindow) << "cannot write" << own << error;
        PictureBox::show(this, QStringLiteral("Warning"),
                         QObject::tr("语言设置无法保存:") + CrLf + own + CrLf + error, QStringLiteral(":/Res/Pic/damage.png"));
        return;
    }
    PictureBox::show(this, choice.title, choice.switched, QStringLiteral(":/Res/Pic/Language.png"));
    Exit_Prompt_Handle();
    desktop.exitApplication(0);
    desktop.startDetached(QCoreApplication::applicationFilePath(), Options.restartArguments());
}

void MainWindow::OPEN_Hepl_File()
{
    switch (Read_Language(false)) {
    case Language_English:
        Open_Path_File_Handle(QStringLiteral("English help path.ini"));
        break;
    case Language_Polish:
        Open_Path_File_Handle(QStringLiteral("Poland help path.ini"));
        break;
    default:
        Open_Path_File_Handle(QStringLiteral("Chinese help path.ini"));
        break;
    }
}

void MainWindow::Open_Help()
{
    OPEN_Hepl_File();
}

void MainWindow::Software_Updater_Handle()
{
    Open_Path_File_Handle(Read_Language(false) == Language_Polish ? QStringLiteral("Update path Poland.ini")
                                                                  : QStringLiteral("Update path.ini"));
}

void MainWindow::Open_Path_File_Handle(const QString &fileName)
{
    const QString path = SystemDir::shippedPath(fileName);
    QFile file(path);
    if (!file.exists()) {
        PictureBox::show(this, QStringLiteral("Warning"),
                         CrLf + CrLf + spaces(51) + CrLf + QObject::tr("               系统文件可能已经损坏...             "),
                         QStringLiteral(":/Res/Pic/damage.png"));
        return;
    }
    QString target;
    if (file.open(QIODevice::ReadOnly))
        target = Gbk::decode(file.readAll());
    // Paths we ship are relative to the System folder, so they work wherever it is.
    if (!target.isEmpty() && QFileInfo(target).isRelative())
        target = QDir(SystemDir::shippedDirectory()).filePath(target);
    qCDebug(lcWindow) << "opening" << target;
    // Without a program for the document (no browser, say), the operator is told where it is.
    if (!desktop.openUrl(QUrl::fromLocalFile(target)))
        PictureBox::show(this, QStringLiteral("Warning"), QObject::tr("无法打开此文件, 请手动打开:") + CrLf + target,
                         QStringLiteral(":/Res/Pic/Warning.png"));
}

void MainWindow::About_Display()
{
    const bool polish = Read_Language(false) == Language_Polish;
    const QString title = polish
        ? QStringLiteral("          chodzi o naszą wersję danych i informacji zwrotnych metod i oświadczenia")
        : QStringLiteral("        About some of our version information and feedback methods and statements.");
    QMessageBox box(QMessageBox::NoIcon, title, QString(), QMessageBox::Close, this);
    box.setText(polish ? QStringLiteral("\r\n    Wersja programu: V1.0.7\r\n"
                                        "    Prawa: zespół projektu tqmanage\r\n"
                                        "    Kontakt: Biuro projektu tqmanage, ul. Przykładowa 1, 00-001 Miasto\r\n"
                                        "    Telefon: +48 000 000 000\r\n"
                                        "    E-mail: kontakt@tqmanage.example\r\n"
                                        "    WWW: https://tqmanage.example\r\n")
                       : QStringLiteral("\r\n    tqmanage - queue management unit configuration tool\r\n"
                                        "    Platform: Windows and Linux desktop (Qt 5)\r\n"
                                        "    Version: V1.0.7\r\n"
                                        "    Rights: the tqmanage project team\r\n"
                                        "    Feedback: feedback@tqmanage.example\r\n"
                                        "    Provided as is, without warranty of any kind.\r\n"));
    box.setIconPixmap(PictureBox::picture(QStringLiteral(":/Res/Pic/about3.png"), 128));
    if (polish)
        box.resize(800, 100);
    box.exec();
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
    connect(&dialog, &Bootloader_Handle::USART_Bootloader_signals, Serial_Service, &Function_USART::Send_USART_QByteArray);
    connect(&dialog, &Bootloader_Handle::USART_Bootloader_COM, Serial_Service, &Function_USART::USART_Send);
    connect(Ticket_Page, &Function_One::USART_RX_dat_SIGNALS, &dialog, &Bootloader_Handle::USART_Update_APP_Handle);
    Ticket_Page->setStateQueryPaused(true);
    dialog.exec();
    Ticket_Page->setStateQueryPaused(false);
}
