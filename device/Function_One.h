#pragma once

#include "serial/IUsart_dis.h"
#include "serial/SerialLink.h"
#include "ticket/SettingsCodec.h"

#include <QString>
#include <QWidget>

class IFunction;
class QComboBox;
class QElapsedTimer;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;
class QTextEdit;
class QTimer;

// The device page: connection, ticket page, type names, system parameters, pairing and clock.
class Function_One : public QWidget, public IUsart_dis
{
    Q_OBJECT

public:
    explicit Function_One(QWidget *parent);

    void Set_Function(IFunction *f);
    void USART_COM_Show(QStringList list);

    void Receive_Data(QString dat) override;
    void Link_Lost() override;

    // Process-wide count of entries the port box was last filled with.
    static int COM_Count;

    // Milliseconds between a successful open and the state query, and between unanswered queries.
    static constexpr int StateQueryDelayMs = 100;
    static constexpr int StateQueryRepeatMs = 2000;

    // While the firmware window is open the unit is not asked for its state: it may be mid-transfer.
    void setStateQueryPaused(bool paused);
    // Puts the device path typed at the last connection back into the port box.
    void showRememberedPort();

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

    QComboBox *QC_COM_Choose = nullptr;
    QPushButton *QB_OPEN_USART = nullptr;
    IFunction *usart = nullptr;
    QTimer *COM_Update_Timer = nullptr;
    QPushButton *QB_Add_Line = nullptr;
    QPushButton *Print_Write_Push = nullptr;
    QTextBrowser *Print_Preview = nullptr;
    QString Print_Line[10];
    QPushButton *PB_Rec_sned = nullptr;
    QPushButton *PB_Time_syn_sned = nullptr;
    QLineEdit *QL_Type_Name[5] = {};
    QLabel *Type_Name_Label[5] = {};
    QPushButton *TYPE_PB_SET = nullptr;
    QPushButton *PB_ID_sned = nullptr;
    QComboBox *QC_Auto_Clear = nullptr;
    QComboBox *QC_Sync_Restart = nullptr;
    QComboBox *QC_Network_ID = nullptr;
    QLabel *Version_Label = nullptr;
    QLabel *State_Label = nullptr;
    QPushButton *Pair_Set_Push = nullptr;
    QComboBox *QC_Pair_Mode = nullptr;
    QTextEdit *USART_Log = nullptr;
    QString USART_RX_dat;

    // The six command buttons, in the order they are switched together.
    QList<QPushButton *> commandButtons() const;

    // Batch builders: each writes its commands from entry 0 on.
    void Type_Name_Command(QString *list);
    void System_Parameter_Command(QString *list);
    void Time_Sync_Command(QString *cmd);
    void Build_Print_Commands(const QString *lines, QString *commands);

    // The ticket page: store, clear, check and render, report a format error.
    void Clear_Print_Page();
    bool Show_Print_Preview(); // false when a faulty record was reported
    void Show_Format_Error(const QString &code);


private:
    void buildTicketGroup();
    void buildConnectionControls();
    void buildTypeGroup();
    void buildParameterGroup();
    void buildPairingGroup();
    void buildOtherGroup();
    void nameControls();
    void setCommandButtonsEnabled(bool enabled);
    void showNotConnectedLabels();
    void sendStateQueryWhenDue(int connection, const QElapsedTimer &opened);
    void repeatStateQuery();
    void runBatch(const QString &kind, QString *batch);
    SettingsCodec::Settings currentSettings() const;
    bool writeSettingsFile(const QString &route, QString *error) const;
    void initConnections();

    // Counts connections so a state query scheduled for one is never sent on another.
    int Connection_Serial = 0;
    QTimer *State_Query_Timer = nullptr;
    int Unanswered_Queries = 0;
    bool Unit_Online = false;
    bool Queries_Paused = false;
};
