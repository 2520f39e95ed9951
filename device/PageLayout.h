#pragma once

#include "ticket/ServiceType.h"

#include <QList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTextBrowser;
class QTextEdit;
class QWidget;

// The device page's controls, built once on the page with the object names scripts and
// accessibility tools find them by. It owns no behaviour: the page and its controllers wire them.
struct PageLayout {
    explicit PageLayout(QWidget *page);

    // Connection, with the unit's answer and the received texts.
    QComboBox *QC_COM_Choose = nullptr;
    QPushButton *QB_OPEN_USART = nullptr;
    QLabel *State_Label = nullptr, *Version_Label = nullptr;
    QTextEdit *USART_Log = nullptr;
    // The ticket page.
    QPushButton *QB_Add_Line = nullptr, *Print_Write_Push = nullptr;
    QTextBrowser *Print_Preview = nullptr;
    // Type names.
    QLineEdit *QL_Type_Name[ServiceType::Count] = {};
    QLabel *Type_Name_Label[ServiceType::Count] = {};
    QPushButton *TYPE_PB_SET = nullptr;
    // System parameters.
    QComboBox *QC_Network_ID = nullptr, *QC_Auto_Clear = nullptr, *QC_Sync_Restart = nullptr;
    QPushButton *PB_ID_sned = nullptr;
    // Pairing, the clock and the factory reset.
    QComboBox *QC_Pair_Mode = nullptr;
    QPushButton *Pair_Set_Push = nullptr;
    QPushButton *PB_Time_syn_sned = nullptr, *PB_Rec_sned = nullptr;

    // The six command buttons, in the order they are switched together.
    QList<QPushButton *> commandButtons() const;
    void setCommandButtonsEnabled(bool enabled);
    void showNotConnectedLabels();

private:
    void buildTicketGroup(QWidget *page);
    void buildConnectionControls(QWidget *page);
    void buildTypeGroup(QWidget *page);
    void buildParameterGroup(QWidget *page);
    void buildPairingGroup(QWidget *page);
    void buildOtherGroup(QWidget *page);
    void nameControls();
    void nameForScreenReaders(QWidget *page);
};
