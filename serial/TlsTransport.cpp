#include "TlsTransport.h"

#include "TlsFiles.h"

#include <QCoreApplication>
#include <QSslConfiguration>
#include <QSslSocket>

QTcpSocket *TlsTransport::makeSocket(SerialLink::Failure *failure)
{
    if (!QSslSocket::supportsSsl()) {
        failure->reason = QCoreApplication::translate("QObject", "此电脑上没有 TLS 库 (OpenSSL)");
        return nullptr;
    }
    QSslConfiguration config = QSslConfiguration::defaultConfiguration();
    config.setProtocol(QSsl::TlsV1_2OrLater);
    if (!Address.caFile.isEmpty()) {
        const TlsFiles::Anchors anchors = TlsFiles::anchors(Address.caFile);
        failure->reason = anchors.error;
        config.setCaCertificates(anchors.certificates); // only these: the shop's own CA, not every public one
    }
    if (failure->reason.isEmpty() && !Address.certFile.isEmpty()) {
        const TlsFiles::Identity mine = TlsFiles::identity(Address.certFile, Address.keyFile);
        failure->reason = mine.error;
        Key_Warning = mine.warning;
        config.setLocalCertificate(mine.certificate);
        config.setPrivateKey(mine.key);
    }
    if (!failure->reason.isEmpty())
        return nullptr;
    config.setPeerVerifyMode(Address.insecure ? QSslSocket::QueryPeer : QSslSocket::VerifyPeer);
    auto *socket = new QSslSocket(this);
    socket->setSslConfiguration(config);
    return socket;
}

void TlsTransport::startConnection()
{
    auto *socket = qobject_cast<QSslSocket *>(Socket);
    if (Address.insecure)
        qCWarning(lcLink) << "INSECURE:" << Address.text << "the server's certificate is not verified";
    if (!Key_Warning.isEmpty()) {
        qCWarning(lcLink) << Key_Warning;
        emit warning(Key_Warning);
    }
    // The TCP connection is there; the handshake has a limit of its own.
    connect(socket, &QSslSocket::connected, this, &TlsTransport::restartConnectTimer);
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
