#pragma once

#include <QLoggingCategory>

// The program's debug log, one category a part, all named here: QT_LOGGING_RULES="tq.*=true" (or
// --verbose) shows them, "tq.serial=true" one of them.
Q_DECLARE_LOGGING_CATEGORY(lcSettingsFile) // tq.settingsfile
Q_DECLARE_LOGGING_CATEGORY(lcLanguage)     // tq.language
Q_DECLARE_LOGGING_CATEGORY(lcPort)         // tq.port: the port typed last
Q_DECLARE_LOGGING_CATEGORY(lcRecord)       // tq.record
Q_DECLARE_LOGGING_CATEGORY(lcLink)         // tq.serial: the link, its transports, the serial service
Q_DECLARE_LOGGING_CATEGORY(lcDiscovery)    // tq.discovery
Q_DECLARE_LOGGING_CATEGORY(lcBatch)        // tq.batch
Q_DECLARE_LOGGING_CATEGORY(lcSession)      // tq.session: the state query and where replies go
Q_DECLARE_LOGGING_CATEGORY(lcUpgrade)      // tq.upgrade
Q_DECLARE_LOGGING_CATEGORY(lcDevice)       // tq.device: the device page
Q_DECLARE_LOGGING_CATEGORY(lcPage)         // tq.page
Q_DECLARE_LOGGING_CATEGORY(lcPairing)      // tq.pairing
Q_DECLARE_LOGGING_CATEGORY(lcEditor)       // tq.editor: the line editor
Q_DECLARE_LOGGING_CATEGORY(lcFirmware)     // tq.firmware: the firmware window
Q_DECLARE_LOGGING_CATEGORY(lcWindow)       // tq.window
Q_DECLARE_LOGGING_CATEGORY(lcLanguageSwitch) // tq.window.language
Q_DECLARE_LOGGING_CATEGORY(lcDocument)     // tq.window.document
Q_DECLARE_LOGGING_CATEGORY(lcSetup)        // tq.setup
Q_DECLARE_LOGGING_CATEGORY(lcMain)         // tq.main
Q_DECLARE_LOGGING_CATEGORY(lcJob)          // tq.cli
