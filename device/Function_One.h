#pragma once

#include "serial/IUsart_dis.h"
#include "ticket/LineRecord.h"

#include <QString>
#include <QWidget>

#include <array>
#include <memory>

class ActionRecorder;
class ConnectionController;
class IFunction;
class RecordFile;
class SettingsFileController;
struct PageLayout;

// The device page: connection, ticket page, type names, system parameters, pairing and clock.
// Its controls are laid out by PageLayout and found by object name; the connection and the
// settings file have controllers of their own.
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

    // Process-wide count of entries the port box was last filled with.
    static int COM_Count;

    // While the firmware window is open the unit is not asked for its state: it may be mid-transfer.
    void setStateQueryPaused(bool paused);
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

    // The entries a command batch window reads; the builders write theirs from entry 0 on.
    using Batch = std::array<QString, 10>;
    using Lines = std::array<QString, LineRecord::SlotCount>;

    Lines Print_Line;
    QString USART_RX_dat;

    // Batch builders; a longer batch than the entries is cut, never written past them.
    void Type_Name_Command(Batch &list);
    void System_Parameter_Command(Batch &list);
    void Time_Sync_Command(Batch &cmd);
    void Build_Print_Commands(const Lines &lines, Batch &commands);

    // The ticket page: store, clear, check and render, report a format error.
    void Clear_Print_Page();
    bool Show_Print_Preview(); // false when a faulty record was reported
    void Show_Format_Error(const QString &code);

private:
    void runBatch(const QString &kind, Batch &batch);
    void initConnections();

    std::unique_ptr<PageLayout> Ui;
    ConnectionController *Connection = nullptr;
    std::unique_ptr<SettingsFileController> Settings_File;
    std::unique_ptr<ActionRecorder> Recorder;
};
