#include "Styles.h"

#include <QApplication>
#include <QFont>
#include <QPair>
#include <QString>
#include <QVector>

QString Styles::globalStyleSheet()
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

QString Styles::radioIndicatorSheet()
{
    return QStringLiteral("QRadioButton::indicator{width:20px;height:20px;}"
                          "QRadioButton::indicator:unchecked{image:url(:/Res/Pic/Select_F_A.png);}"
                          "QRadioButton::indicator:unchecked:hover{image:url(:/Res/Pic/Select_F_A_F.png);}"
                          "QRadioButton::indicator:checked{image:url(:/Res/Pic/Select_F_B.png);}"
                          "QRadioButton::indicator:checked:hover{image:url(:/Res/Pic/Select_F_B_F.png);}"
                          "QRadioButton:focus{background:rgb(220,232,246);}");
}

QString Styles::fontFamily()
{
    return QStringLiteral("Arial");
}

void Styles::applyTo(QApplication &app)
{
    // The classes a platform may give a font of their own; setting the default font forgets them.
    static const char *const classes[] = {
        "QMenu", "QMenuBar", "QMenuItem", "QMessageBox", "QLabel", "QTipLabel", "QStatusBar",
        "QMdiSubWindowTitleBar", "QDockWidgetTitle", "QPushButton", "QCheckBox", "QRadioButton",
        "QToolButton", "QAbstractItemView", "QListView", "QHeaderView", "QListBox", "QComboMenuItem",
        "QComboLineEdit", "QSmallFont", "QMiniFont"};
    const QFont common = QApplication::font();
    QVector<QPair<const char *, QFont>> own;
    for (const char *name : classes) {
        const QFont classFont = QApplication::font(name); // the default font where the class has none
        if (classFont != common)
            own.append({name, classFont});
    }
    QFont font = common;
    font.setFamily(fontFamily());
    QApplication::setFont(font);
    for (auto &[name, classFont] : own) {
        classFont.setFamily(fontFamily());
        QApplication::setFont(classFont, name);
    }
    app.setStyleSheet(globalStyleSheet());
}
