#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

// The firmware transfer the unit drives: the tool asks to start, then answers each package request
// with a slice of the image, until the unit asks past the end and gives its verdict.
class UpgradeSession : public QObject
{
    Q_OBJECT

public:
    explicit UpgradeSession(QObject *parent = nullptr);

    // True from the start request until the transfer ends; one per process, it outlives the window.
    static bool Upgrade_Active;

    void setImage(const QByteArray &image) { Image = image; }
    const QByteArray &image() const { return Image; }
    bool isButtonEnabled() const { return Button_Enabled; }
    bool isWaiting() const { return Response_Timer.isActive(); }

    void pressUpdate();
    void responseTimeout();
    // One received text (or one of the tool's own two event texts).
    void handle(const QString &text);

    static constexpr int ResponseTimeoutMs = 1000;
    static const char *const RequestText; // "AT+Request_to_upgrade+OK"
    static const char *const TimeoutText; // "AT+Response_timeout+OK"

    // The package number a request's third field selects: low 16 bits of a decimal integer, else 0.
    static uint16_t packageNumber(const QString &field);

signals:
    void sendText(const QString &text);
    void sendPackage(const QByteArray &package);
    void logLine(const QString &text);
    void buttonEnabledChanged(bool enabled);

private:
    void setButtonEnabled(bool enabled);
    void finish(const QString &line);
    void answerRequest(const QString &numberField);

    QByteArray Image;
    QTimer Response_Timer;
    bool Button_Enabled = true;
};
