#pragma once

class QString;
class QWidget;

// The boxes that tell the operator a settings file was not read or not written.
namespace FileBoxes {
// Nothing on the page changed.
void notLoaded(QWidget *parent, const QString &path, const QString &reason);
// The old file is as it was.
void notSaved(QWidget *parent, const QString &path, const QString &reason);
} // namespace FileBoxes
