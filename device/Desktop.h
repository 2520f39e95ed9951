#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>

class QWidget;

// What the window asks of the desktop. Tests replace these to answer without a real desktop.
struct Desktop {
    // A settings file chosen by the operator, or empty.
    std::function<QString(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title)> chooseFile;
    std::function<bool(const QUrl &url)> openUrl;
    std::function<bool(const QString &program, const QStringList &arguments)> startDetached;
    std::function<void(int code)> exitApplication;

    static Desktop real();
};
