#pragma once

#include "TcpTransport.h"

#include <QList>

class QSslError;

// TcpTransport inside TLS: the server's certificate is checked against the given CA file (or the
// system's store) and its host name (or the name= the address gives) before a byte of serial data
// goes out. A client certificate is shown when cert= and key= name one. With `insecure` the check
// is skipped, and every use says so.
class TlsTransport : public TcpTransport
{
    Q_OBJECT

public:
    using TcpTransport::TcpTransport;

protected:
    QTcpSocket *makeSocket() override;
    void startConnection() override;

private:
    void verificationFailed(const QList<QSslError> &errors);
    QString Setup_Failure;
};
