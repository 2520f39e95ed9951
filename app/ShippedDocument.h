#pragma once

#include <QString>

struct Desktop;
class QWidget;

// The operator guides and the update page: the System folder ships, for each, a small file that
// names the document (a path relative to that folder, or an address).
namespace ShippedDocument {
// The file naming the guide, or the update page, in the language with this code.
QString helpPathFile(int languageCode);
QString updatePathFile(int languageCode);
// Opens the document the named file points to; tells the operator when the file is missing or
// nothing on the desktop can open the document.
void open(QWidget *parent, const Desktop &desktop, const QString &fileName);
} // namespace ShippedDocument
