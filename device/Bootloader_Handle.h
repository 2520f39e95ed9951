#pragma once

#include "firmware/UpgradeSession.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QTextEdit>

#include <cstdint>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

// The firmware update window: loads an image file and runs the transfer the unit asks for.
class Bootloader_Handle : public QDialog
{
    Q_OBJECT

public:
    explicit Bootloader_Handle(QWidget *parent);

    QTextEdit Info_Text;
    QPushButton *Update_Button = nullptr;
    QPushButton *Open_Button = nullptr;
    // Packages sent out of the total, and the time the transfer will still take at its pace so far.
    QProgressBar *Progress = nullptr;
    QLabel *Time_Left = nullptr;
    UpgradeSession Session;

    uint32_t APP_Size() const { return uint32_t(Session.image().size()); }
    // Asks for the image file; tests answer it themselves.
    std::function<QString(QWidget *parent)> chooseImage;
    // Why no image should go over the link now (empty: it may); asked when the update is pressed.
    std::function<QString()> upgradeObstacle;

signals:
    void USART_Bootloader_signals(uint8_t *buff, uint32_t len);
    void USART_Bootloader_COM(QString com);

public slots:
    void Update_APP_Button_Handle();
    void Open_Bootloader_File_Handle();
    void USART_Update_APP_Handle(QString Ask_COM);

private:
    void appendLog(const QString &text);
    void showProgress(int done, int total);
    void initConnections();

    QElapsedTimer Transfer_Clock;
};
