#pragma once

#include "ticket/ServiceType.h"

#include <QDialog>
#include <QRadioButton>

class QComboBox;
class QLabel;
class QPushButton;

// The pairing window: adds a ticket dispenser to a service type, or deletes pairings, and shows
// what the unit reports for each type.
class Pair_Mode_Handle : public QDialog
{
    Q_OBJECT

public:
    Pair_Mode_Handle(QWidget *parent, QComboBox *mode);

    QComboBox *Mode_Choose = nullptr;
    QLabel *State_Picture = nullptr;
    QLabel *State_Text = nullptr;
    QPushButton *Set_up_Button = nullptr;
    QComboBox *Type_Choose = nullptr;
    QLabel *Type_Choose_Label = nullptr;
    QLabel *Type_State[ServiceType::Count] = {};
    QRadioButton Auto_Switch;
    QLabel *Auto_Switch_Label = nullptr;

    // The resource path of the picture shown now.
    QString pictureName() const { return Picture_Name; }

signals:
    void USART_SEND_SIGNALS(QString str);

public slots:
    void USART_RETURN_dat_Handel(QString dat);
    void Set_up_Button_Handle();
    void Type_Choose_Change();

private:
    bool addMode() const;
    bool deleteMode() const;
    void showPicture(const QString &name);
    void advanceType();

    QString Picture_Name;
};
