#include "UpgradeSession.h"

#include "CRC16_Handle.h"
#include "protocol/Commands.h"
#include "ticket/LogCategories.h"

#include <QCoreApplication>
#include <QLoggingCategory>
#include <QStringList>

const char *const UpgradeSession::RequestText = "AT+Request_to_upgrade+OK";
const char *const UpgradeSession::TimeoutText = "AT+Response_timeout+OK";

namespace {
const QString CrLf = QStringLiteral("\r\n");
} // namespace

UpgradeSession::UpgradeSession(QObject *parent)
    : QObject(parent)
{
    Response_Timer.setSingleShot(true);
    Response_Timer.setTimerType(Qt::PreciseTimer); // a coarse timer may give up 5 % early
    connect(&Response_Timer, &QTimer::timeout, this, &UpgradeSession::responseTimeout);
}

bool UpgradeSession::setImage(const QByteArray &image)
{
    if (Upgrade_Active)
        return false;
    Image = image;
    return true;
}

void UpgradeSession::abandon()
{
    Response_Timer.stop();
    Upgrade_Active = false;
    Transfer_Running = false;
    setButtonEnabled(true);
}

void UpgradeSession::setButtonEnabled(bool enabled)
{
    Button_Enabled = enabled;
    emit buttonEnabledChanged(enabled);
}

void UpgradeSession::pressUpdate()
{
    if (Image.isEmpty()) {
        emit logLine(QCoreApplication::translate("QObject", "请选择并打开要更新的固件.....") + CrLf);
        return;
    }
    Response_Timer.start(ResponseTimeoutMs);
    handle(QLatin1String(RequestText));
    setButtonEnabled(false);
}

void UpgradeSession::responseTimeout()
{
    Response_Timer.stop();
    qCDebug(lcUpgrade) << "response timeout";
    handle(QLatin1String(TimeoutText));
}

void UpgradeSession::finish(const QString &line, Outcome outcome)
{
    emit logLine(line + CrLf);
    setButtonEnabled(true);
    Upgrade_Active = false;
    Transfer_Running = false;
    emit ended(outcome);
}

void UpgradeSession::handle(const QString &text)
{
    Response_Timer.stop();
    if (text.size() < 10) {
        finish(QCoreApplication::translate("QObject", "发生异常错误请重新尝试....."), Outcome::Garbled);
    } else if (text == QLatin1String(RequestText)) {
        emit sendText(Commands::upgradeStart());
        emit logLine(QCoreApplication::translate("QObject", "正在请求升级等待响应...") + CrLf);
        Upgrade_Active = true;
        Transfer_Image = Image;
        Transfer_Running = true;
        Over_Sent = false;
        Requests = 0;
        Packages_Sent = QBitArray(packageCount(Image.size()));
        Response_Timer.start(ResponseTimeoutMs);
    } else if (text == QLatin1String(TimeoutText)) {
        finish(QCoreApplication::translate("QObject", "响应超时请重新尝试....."), Outcome::NoAnswer);
    } else if (text == QLatin1String("ATUP+Upgrade_Over+OK\r\n")) {
        unitReportsSuccess();
    } else if (text == QLatin1String("ATUP+Upgrade_Error+OK\r\n")) {
        qCDebug(lcUpgrade) << "unit rejected the image";
        finish(QCoreApplication::translate("QObject", "升级包存在异常升级失败请检查后重新尝试..."), Outcome::Rejected);
    } else if (Upgrade_Active) {
        const QStringList fields = text.split(QLatin1Char('+'));
        if (fields.value(1) != QLatin1String("Package")) {
            // Anything else during a transfer abandons it; only the unit's verdict or a short text frees the button.
            Upgrade_Active = false;
            return;
        }
        answerRequest(fields.value(2));
    } else {
        const QStringList fields = text.split(QLatin1Char('+'));
        if (fields.value(0) != QLatin1String("ATSW"))
            return;
        const QString version = fields.value(1);
        if (version.startsWith(QLatin1String("VB")))
            emit logLine(QCoreApplication::translate("QObject", "系统已经进入升级模式....") + CrLf);
        else
            emit logLine(QCoreApplication::translate("QObject", "系统已经进入正常模式系统版本:") + version + CrLf);
    }
}

void UpgradeSession::unitReportsSuccess()
{
    const int sent = packagesSent();
    if (Transfer_Running && !Over_Sent && sent < Packages_Sent.size()) {
        qCDebug(lcUpgrade) << "unit reports success after" << sent << "of" << Packages_Sent.size() << "packages";
        finish(QCoreApplication::translate("QObject", "管理机在收到全部固件之前报告升级完成 (已发送 %1/%2 包): 升级没有完成, 请重新尝试.....")
                   .arg(sent)
                   .arg(Packages_Sent.size()),
               Outcome::EndedEarly);
        return;
    }
    qCDebug(lcUpgrade) << "unit reports success";
    finish(QCoreApplication::translate("QObject", "升级完成5s后进入主程序..."), Outcome::Upgraded);
}

uint16_t UpgradeSession::packageNumber(const QString &field)
{
    bool ok = false;
    const qlonglong n = field.trimmed().toLongLong(&ok);
    return ok ? uint16_t(quint64(n) & 0xFFFF) : 0;
}

void UpgradeSession::answerRequest(const QString &numberField)
{
    const uint16_t n = packageNumber(numberField);
    qCDebug(lcUpgrade) << "request for package" << n;
    const int total = packageCount(Transfer_Image.size());
    if (++Requests > requestLimit(Transfer_Image.size())) {
        finish(QCoreApplication::translate("QObject", "管理机请求了 %1 个包, 而固件只有 %2 个包: 升级已停止, 请检查后重新尝试.....")
                   .arg(Requests)
                   .arg(total),
               Outcome::TooManyRequests);
        return;
    }
    // The number as the unit sent it, without its line break: one log line per package.
    emit logLine(QCoreApplication::translate("QObject", "正在发送 ") + numberField.trimmed() + QStringLiteral(" package....\r\n"));
    const QByteArray package = CRC16_Handle().package(Transfer_Image, n);
    if (!package.isEmpty()) {
        Packages_Sent.setBit(n);
        emit sendPackage(package);
        emit progress(qMin(int(n) + 1, total), total);
        Response_Timer.start(ResponseTimeoutMs);
        return;
    }
    qCDebug(lcUpgrade) << "request past the image: transfer over";
    Upgrade_Active = false;
    Over_Sent = true;
    emit sendText(Commands::packageOver());
    emit progress(total, total);
}

int UpgradeSession::packageCount(int imageSize)
{
    return imageSize / int(CRC16_Handle::SliceSize) + 1;
}

int UpgradeSession::requestLimit(int imageSize)
{
    return 3 * packageCount(imageSize) + 8;
}

int UpgradeSession::secondsLeft(qint64 elapsedMs, int done, int total)
{
    if (done <= 0 || elapsedMs <= 0)
        return -1;
    return int((elapsedMs * (total - done) / done + 999) / 1000);
}
