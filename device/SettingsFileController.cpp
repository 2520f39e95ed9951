#include "SettingsFileController.h"

#include "PageHelpers.h"
#include "device/FileBoxes.h"
#include "protocol/ActionTrace.h"
#include "ticket/SettingsFile.h"

#include <QFileInfo>

SettingsFileController::SettingsFileController(QWidget *page, QTextEdit *log, Current current)
    : Page(page)
    , Log(log)
    , Page_Settings(std::move(current))
{
}

bool SettingsFileController::write(const QString &route, QString *error, QByteArray *written) const
{
    *written = SettingsCodec::encode(Page_Settings());
    return !written->isEmpty() && SettingsFile::replace(route, *written, error);
}

void SettingsFileController::setSource(const QString &route, const QByteArray &content)
{
    Loaded = {QFileInfo(route).absoluteFilePath(), ActionTrace::sha256(content)};
    Loaded_Settings = Page_Settings();
}

SettingsFileController::Source SettingsFileController::unchangedSource() const
{
    const SettingsCodec::Settings now = Page_Settings();
    bool same = now.networkIdIndex == Loaded_Settings.networkIdIndex && now.autoClearIndex == Loaded_Settings.autoClearIndex
                && now.syncRestartIndex == Loaded_Settings.syncRestartIndex;
    for (int i = 0; i < LineRecord::SlotCount; ++i)
        same = same && now.lines[i] == Loaded_Settings.lines[i];
    for (int i = 0; i < ServiceType::Count; ++i)
        same = same && now.typeNames[i] == Loaded_Settings.typeNames[i];
    return same ? Loaded : Source();
}

bool SettingsFileController::save(const QString &route)
{
    QString error;
    QByteArray written;
    if (!write(route, &error, &written)) {
        FileBoxes::notSaved(Page, route, error);
        return false;
    }
    setSource(route, written);
    PageHelpers::appendLog(Log, QObject::tr("已保存:") + QLatin1Char(' ') + route);
    return true;
}

void SettingsFileController::loaded(const QString &route, const QByteArray &content, bool rewrite)
{
    QString error;
    QByteArray written;
    const bool rewritten = rewrite && write(route, &error, &written);
    if (rewrite && !rewritten)
        FileBoxes::notSaved(Page, route, error);
    // The file as it is on the disk now: rewritten from the page, or as it was read.
    setSource(route, rewritten ? written : content);
}
