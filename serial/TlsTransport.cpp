#include "TlsTransport.h"

#include <QCoreApplication>
#include <QFile>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslSocket>

namespace {
QString unreadable(const QString &file)
{
    return QCoreApplication::translate("QObject", "无法读取证书或密钥文件: %1").arg(file);
}

QSslKey readKey(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly) || f.size() > 1024 * 1024)
        return {};
    const QByteArray pem = f.readAll();
    for (const QSsl::KeyAlgorithm algorithm : {QSsl::Rsa, QSsl::Ec, QSsl::Dsa}) {
        const QSslKey key(pem, algorithm);
        if (!key.isNull())
            return key;
    }
    return {};
}
} // namespace

QTcpSocket *TlsTransport::makeSocket()
{
    if (!QSslSocket::supportsSsl()) {
        Setup_Failure = QCoreApplication::translate("QObject", "此电脑上没有 TLS 库 (OpenSSL)");
        return new QTcpSocket(this);
    }
    auto *socket = new QSslSocket(this);
    QSslConfiguration config = socket->sslConfiguration();
    config.setProtocol(QSsl::TlsV1_2OrLater);
    if (!Address.caFile.isEmpty()) {
        const QList<QSslCertificate> anchors = QSslCertificate::fromPath(Address.caFile, QSsl::Pem,
                                                                         QSslCertificate::PatternSyntax::FixedString);
        if (anchors.isEmpty())
            Setup_Failure = unreadable(Address.caFile);
        config.setCaCertificates(anchors); // only these: the shop's own CA, not every public one
    }
    if (!Address.certFile.isEmpty()) {
        const QList<QSslCertificate> mine = QSslCertificate::fromPath(Address.certFile, QSsl::Pem,
                                                                      QSslCertificate::PatternSyntax::FixedString);
        const QSslKey key = readKey(Address.keyFile);
        if (mine.isEmpty())
            Setup_Failure = unreadable(Address.certFile);
        else if (key.isNull())
            Setup_Failure = unreadable(Address.keyFile);
        else {
            config.setLocalCertificate(mine.constFirst());
            config.setPrivateKey(key);
        }
    }
    config.setPeerVerifyMode(Address.insecure ? QSslSocket::QueryPeer : QSslSocket::VerifyPeer);
    socket->setSslConfiguration(config);
    return socket;
}

void TlsTransport::startConnection()
{
    auto *socket = qobject_cast<QSslSocket *>(Socket);
    if (!Setup_Failure.isEmpty() || !socket) {
        // Reported from the event loop, as every other network failure is.
        QMetaObject::invokeMethod(this, [this] { fail(Setup_Failure); }, Qt::QueuedConnection);
        return;
    }
    if (Address.insecure)
        qCWarning(lcLink) << "INSECURE:" << Address.text << "the server's certificate is not verified";
    connect(socket, &QSslSocket::encrypted, this, &TlsTransport::streamUp);
    connect(socket, QOverload<const QList<QSslError> &>::of(&QSslSocket::sslErrors), this,
            &TlsTransport::verificationFailed);
    // A discovered server is reached by its IP address; its certificate names its host.
    if (!Address.peerName.isEmpty())
        socket->setPeerVerifyName(Address.peerName);
    socket->connectToHostEncrypted(Address.host, Address.port);
}

void TlsTransport::verificationFailed(const QList<QSslError> &errors)
{
    auto *socket = qobject_cast<QSslSocket *>(Socket);
    if (!socket || errors.isEmpty())
        return;
    if (Address.insecure) {
        for (const QSslError &e : errors)
            qCWarning(lcLink) << "INSECURE: accepted despite" << e.errorString();
        socket->ignoreSslErrors();
        return;
    }
    const QSslError &first = errors.constFirst();
    QSslCertificate certificate = first.certificate();
    if (certificate.isNull())
        certificate = socket->peerCertificate();
    const QString subject = certificate.isNull() ? QStringLiteral("?") : certificate.subjectDisplayName();
    fail(QCoreApplication::translate("QObject", "TLS 验证失败: %1 的证书 \"%2\": %3")
             .arg(Address.endpoint(), subject, first.errorString()));
}
