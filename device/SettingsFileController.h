#pragma once

#include "ticket/SettingsCodec.h"

#include <QByteArray>
#include <QString>

#include <functional>

class QTextEdit;
class QWidget;

// The device page's settings file: saving what the page holds, the rewrite that follows a clean
// load, and which file the page still holds unchanged (the record names it).
class SettingsFileController
{
public:
    // What the page holds now: its ten lines and its controls.
    using Current = std::function<SettingsCodec::Settings()>;

    SettingsFileController(QWidget *page, QTextEdit *log, Current current);

    // The settings file the page holds unchanged since it was loaded or saved: its absolute path
    // and the SHA-256 of its bytes on the disk; empty once the page differs from it.
    struct Source {
        QString path;
        QString sha256;
    };
    Source unchangedSource() const;
    // Returns whether the file now holds the settings; a failure is reported to the operator.
    bool save(const QString &route);
    // The page now holds what route held (content, its bytes). With rewrite, the file is written
    // again from the page; when that fails it stays as it was.
    void loaded(const QString &route, const QByteArray &content, bool rewrite);

private:
    // The bytes written go to written.
    bool write(const QString &route, QString *error, QByteArray *written) const;
    void setSource(const QString &route, const QByteArray &content);

    QWidget *Page;
    QTextEdit *Log;
    Current Page_Settings;
    Source Loaded;
    SettingsCodec::Settings Loaded_Settings;
};
