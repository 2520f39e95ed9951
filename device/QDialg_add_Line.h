#pragma once

#include "ticket/LineRecord.h"

#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

// The line editor: composes one ticket line at a time and emits it as a line record.
class QDialg_add_Line : public QDialog
{
    Q_OBJECT

public:
    QDialg_add_Line(QWidget *parent, const QString *pageLines);
    ~QDialg_add_Line() override;

    QGroupBox QG_Alignment;
    QRadioButton QR_Left;
    QRadioButton QR_Center;
    QRadioButton QR_Right;
    QRadioButton QR_Real_time;
    QLabel Lab_Size;
    QLabel Lab_Type;
    QLabel Lab_Colon_Hint;
    QComboBox QC_Type_Choose;
    QComboBox QC_Choose_Line;
    QComboBox QC_Blank_Line;
    QLineEdit QL_Contents;
    QComboBox QC_Font_Size;
    QPushButton QB_Add_Contents;
    QPushButton QB_Clear_ALL;

    // The record the controls describe now.
    QString currentRecord() const;

signals:
    void Add_Button_signals(QString str);

public slots:
    void QL_Contents_Change(QString text);
    void QC_Type_Choose_Change(QString text);
    void QB_Add_Contents_clicked();
    void Clear_ALL_Contents_clicked();
    void QC_Choose_Line_Change(QString text);
    void Real_time_update_display();

private:
    void layoutControls();
    void initConnections();
    LineRecord::Kind kind() const;

    const QString *Page_Lines;
    bool Correcting_Text = false; // set while the contents slot writes its own correction
    bool Loading_Line = false;    // set while a line of the page is put into the controls
};
