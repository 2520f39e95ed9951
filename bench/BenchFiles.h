#pragma once

// The settings file and the 51200-byte image every command-line benchmark sends.
#include "testsupport/TestSupport.h"
#include "ticket/SettingsCodec.h"

#include <QTemporaryDir>

struct BenchFiles {
    QTemporaryDir dir;
    QString ini = dir.filePath(QStringLiteral("shop.ini"));
    QString image = dir.filePath(QStringLiteral("image.bin"));
    // False when either file could not be written.
    bool written = write();

private:
    bool write() const
    {
        SettingsCodec::Settings settings;
        settings.lines[0] = QStringLiteral("ATPW+0+N+M+Welcome+SIZE:B+OK");
        settings.typeNames[0] = QStringLiteral("Cash");
        return dir.isValid() && TestSupport::writeFile(ini, SettingsCodec::encode(settings))
            && TestSupport::writeFile(image, TestSupport::randomBytes(51200, 7));
    }
};
