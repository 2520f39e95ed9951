#pragma once

// The settings file and the 51200-byte image every command-line benchmark sends.
#include "testsupport/TestSupport.h"
#include "ticket/SettingsCodec.h"

#include <QTemporaryDir>

struct BenchFiles {
    QString ini;
    QString image;

    // Written into dir; false when either could not be written.
    bool writeInto(const QTemporaryDir &dir)
    {
        SettingsCodec::Settings settings;
        settings.lines[0] = QStringLiteral("ATPW+0+N+M+Welcome+SIZE:B+OK");
        settings.typeNames[0] = QStringLiteral("Cash");
        ini = dir.filePath(QStringLiteral("shop.ini"));
        image = dir.filePath(QStringLiteral("image.bin"));
        return TestSupport::writeFile(ini, SettingsCodec::encode(settings))
            && TestSupport::writeFile(image, TestSupport::randomBytes(51200, 7));
    }
};
