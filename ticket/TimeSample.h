#pragma once

#include <QString>

class QDateTime;

// The sample date and time the line editor shows for a time line, in the interface language's form.
namespace TimeSample {
QString format(const QDateTime &when, int languageCode);
} // namespace TimeSample
