#pragma once

#include <QBitArray>
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
    // How a transfer ended: the unit's two verdicts, no answer within the response time, a text
    // too short to be anything the unit sends, more requests than any transfer of the image needs,
    // or the unit's success before it had the image.
    enum class Outcome { Upgraded, Rejected, NoAnswer, Garbled, TooManyRequests, EndedEarly };
    Q_ENUM(Outcome)

    explicit UpgradeSession(QObject *parent = nullptr);

    // The image the next transfer sends. Refused (false) while a transfer runs: its packages are only
    // ever cut from the image it started with.
    bool setImage(const QByteArray &image);
    const QByteArray &image() const { return Image; }
    // From the start request until the transfer ends (the unit asked past the image, or gave up).
    bool isActive() const { return Upgrade_Active; }
    bool isButtonEnabled() const { return Button_Enabled; }

    void pressUpdate();
    void responseTimeout();
    // The window closed: the transfer ends here, whatever the unit still asks.
    void abandon();
    // One received text (or one of the tool's own two event texts).
    void handle(const QString &text);

    static constexpr int ResponseTimeoutMs = 1000;
    static const char *const RequestText; // "AT+Request_to_upgrade+OK"
    static const char *const TimeoutText; // "AT+Response_timeout+OK"

    // The package number a request's third field selects: low 16 bits of a decimal integer, else 0.
    static uint16_t packageNumber(const QString &field);
    // Packages an image of this size is sent in: the unit asks for slices until one starts past the
    // end, so a size that fills its last slice exactly takes one empty package more.
    static int packageCount(int imageSize);
    // Seconds still to go when done of total packages took elapsedMs (-1: nothing to go by yet).
    static int secondsLeft(qint64 elapsedMs, int done, int total);
    // Requests one transfer may make: every package three times, and a few more. A unit that asks
    // for more would keep the transfer going for ever.
    static int requestLimit(int imageSize);
    // Packages asked for in this transfer so far, repeats included.
    int requestCount() const { return Requests; }
    // Packages of the image sent at least once in this transfer.
    int packagesSent() const { return Packages_Sent.count(true); }

signals:
    void sendText(const QString &text);
    void sendPackage(const QByteArray &package);
    void logLine(const QString &text);
    void buttonEnabledChanged(bool enabled);
    void ended(UpgradeSession::Outcome outcome);
    // A package went out (done counts it), or the transfer's image ran out (done == total).
    void progress(int done, int total);

private:
    void setButtonEnabled(bool enabled);
    void finish(const QString &line, Outcome outcome);
    void answerRequest(const QString &numberField);
    void unitReportsSuccess();

    QByteArray Image;
    QByteArray Transfer_Image;
    QTimer Response_Timer;
    bool Upgrade_Active = false;
    bool Button_Enabled = true;
    // From the start request until the transfer's outcome: a success the unit reports before it
    // had every package (or the tool's Package_Over) is no success.
    bool Transfer_Running = false;
    bool Over_Sent = false;
    QBitArray Packages_Sent;
    int Requests = 0;
};
