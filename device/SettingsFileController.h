#pragma once

#include "ticket/LineRecord.h"
#include "ticket/SettingsCodec.h"

#include <QString>

#include <array>
#include <functional>

class QWidget;
struct PageLayout;

// The device page's settings file: what the page holds as settings, saving them, and loading a
// file onto the page (with the rewrite that follows a clean load).
class SettingsFileController
{
public:
    // What loading asks of the page: redraw the ticket preview (false when a faulty line record was
    // reported) and report a format error code.
    struct PageHooks {
        std::function<bool()> showPreview;
        std::function<void(const QString &)> formatError;
    };

    using Lines = std::array<QString, LineRecord::SlotCount>;

    SettingsFileController(QWidget *page, PageLayout &ui, Lines &lines, PageHooks hooks);

    SettingsCodec::Settings current() const;
    // The settings file the page holds unchanged since it was loaded or saved: its absolute path
    // and the SHA-256 of its bytes on the disk; empty once the page differs from it.
    struct Source {
        QString path;
        QString sha256;
    };
    Source unchangedSource() const;
    // Returns whether the file now holds the settings; a failure is reported to the operator.
    bool save(const QString &route);
    // A file that is no settings file leaves the page and the file as they were.
    void load(const QString &route, bool writeBack);

private:
    // The bytes written go to written.
    bool write(const QString &route, QString *error, QByteArray *written) const;
    void setSource(const QString &route, const QByteArray &content);

    QWidget *Page;
    PageLayout &Ui;
    Lines &Page_Lines;
    PageHooks Hooks;
    Source Loaded;
    SettingsCodec::Settings Loaded_Settings;
};
