#include "Desktop.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace {
QString Choose_Print_File(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title)
{
    QFileDialog dialog(parent, QString(), QString(), QString());
    dialog.setWindowTitle(title);
    dialog.setAcceptMode(mode);
    dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DesktopLocation));
    dialog.setNameFilters({QStringLiteral("Text files (*.ini)")});
    if (mode == QFileDialog::AcceptOpen)
        dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return QString();
    return dialog.selectedFiles().constFirst();
}
} // namespace

Desktop Desktop::real()
{
    Desktop d;
    d.chooseFile = Choose_Print_File;
    d.openUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
    d.startDetached = [](const QString &program, const QStringList &arguments) {
        return QProcess::startDetached(program, arguments);
    };
    d.exitApplication = [](int code) { QCoreApplication::exit(code); };
    return d;
}
