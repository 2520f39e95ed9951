#pragma once

#include "protocol/BatchKind.h"
#include "serial/IUsart_dis.h"
#include "ticket/LineRecord.h"
#include "ticket/SettingsCodec.h"

#include <QString>
#include <QStringList>
#include <QWidget>

#include <array>
#include <memory>

class ActionRecorder;
class ConnectionController;
class IFunction;
class RecordFile;
class SettingsFileController;
class UnitSession;
struct PageLayout;

// The device page: connection, ticket page, type names, system parameters, pairing and clock.
// Its controls are laid out by PageLayout and found by object name; it loads a settings file onto
// them and builds each batch from them; the connection and the settings file's saving have
// controllers of their own.
class Function_One : public QWidget, public IUsart_dis
{
    Q_OBJECT

public:
    explicit Function_One(QWidget *parent);
    ~Function_One() override;

    void Set_Function(IFunction *f);
    void USART_COM_Show(QStringList list);

    void Receive_Data(QString dat) override;
    void Link_Lost() override;
    void Link_Ready() override;
    void Link_Failed(QString reason) override;
    void Link_Warning(QString text) override;

    // The number of entries the port box was last filled with.
    int COM_Count = 0;

    // The unit on the page's link: a firmware transfer gets the unit's texts through it.
    UnitSession &unitSession();
    // Puts the device path typed at the last connection back into the port box.
    void showRememberedPort();
    // Picks the listed port with this system location and connects; false when it is not listed.
    bool connectTo(const QString &systemLocation);
    // Where the actions on the unit are recorded (none: not recorded). A record that cannot be
    // written is said once in the log view.
    void setRecord(RecordFile *record);
    ActionRecorder &recorder() { return *Recorder; }

signals:
    void USART_RX_dat_SIGNALS(QString dat);

public slots:
    void Function_USART_COM_LA_UPDAT();
    void OPEN_USART_BUTTON();
    void SEND_USART_Contents(QString str);
    void OPEN_Dialg_Add_Line();
    void SavePtint_Line_Contents(QString str);
    void Limit_Ql_type_Lenght(QString text);
    void Set_System_PushButton_Handle();
    // Returns whether the file now holds the settings (saving reports a failure to the operator).
    bool Save_FILE_Operation(QString Route);
    void OPEN_FILE_Operation(QString Route);
    void Pair_Mode_PushButton_Handle();

public:
    // Loads a settings file as Open does; with writeBack, a clean load rewrites the file from what
    // was loaded (the shipped defaults of an installation are only read).
    void loadSettingsFile(const QString &Route, bool writeBack);
    // What the page holds: its ten lines, the type names and the three parameters.
    SettingsCodec::Settings currentSettings() const;

    using Lines = std::array<QString, LineRecord::SlotCount>;

    Lines Print_Line;
    QString USART_RX_dat;

    // The batches, built from the page as it is now.
    QStringList Type_Name_Command() const;
    QStringList System_Parameter_Command() const;
    QStringList Time_Sync_Command() const;
    QStringList Build_Print_Commands(const Lines &lines) const;

    // The ticket page: store, clear, check and render, report a format error.
    void Clear_Print_Page();
    bool Show_Print_Preview(); // false when a faulty record was reported
    void Show_Format_Error(const QString &code);

private:
    void runBatch(BatchKind kind, const QStringList &commands);
    void initConnections();

    std::unique_ptr<PageLayout> Ui;
    ConnectionController *Connection = nullptr;
    std::unique_ptr<SettingsFileController> Settings_File;
    std::unique_ptr<ActionRecorder> Recorder;
};
