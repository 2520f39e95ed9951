#include "MainWindow.h"

#include "Language.h"
#include "SystemDir.h"
#include "device/Function_One.h"
#include "serial/Function_USART.h"
#include "serial/Gbk.h"

#include <QAction>
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
{
    qCDebug(lcWindow) << "window flags" << windowFlags();
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

    createHelpTab();
    if (Read_Language(false) == Language_Chinese)
        createUpdateLogTab();
    tabWidget->addTab(Help_Page, QObject::tr("帮助"));
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
    QFile log(SystemDir::filePath(QStringLiteral("Update log.ini")));
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
    auto *picture = new QPushButton(Help_Page);
    picture->setObjectName(QStringLiteral("Help_Picture"));
    picture->setGeometry(0, 0, 1000, 610);
    picture->setIcon(QIcon(QStringLiteral(":/Res/Pic/Help.jpg")));
    picture->setIconSize(QSize(1300, 700));
    picture->setToolTip(QStringLiteral("点我^.^打开视频教程"));
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

QString MainWindow::tabStyleSheet()
{
    const QString s = QStringLiteral("QTabWidget#tabwidget_DevMang");
    return s + QStringLiteral("::tab-bar{alignment:left;top:3px;left:5px;right:5px;}")
        + s + QStringLiteral(" QTabBar::tab{border-color:black;border-width:3px;border-bottom:none;"
                             "border-top-left-radius:1px;border-top-right-radius:1px;background:transparent;"
                             "color:black;min-width:35ex;min-height:4ex;font-family:Arial;}")
        + s + QStringLiteral(" QTabBar::tab:hover:!selected{width:100px;height:4ex;border:1px solid #C589C3;"
                             "border-color:#51dc8a;background:rgb(255,255,255,100);}")
        + s + QStringLiteral(" QTabBar::tab:selected{background:#999a91;color:white;}")
        + s + QStringLiteral(" QTabBar::tab:!selected{background:none;color:black;border:none;}")
        + s + QStringLiteral(" QTabBar::tab:last:hover:!selected{margin-left:1px;}");
}
