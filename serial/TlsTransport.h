#pragma once

#include "TcpTransport.h"

#include <QList>

class QSslError;

// TcpTransport inside TLS: the server's certificate is checked against the given CA file (or the
// system's store) and its host name (or the name= the address gives) before a byte of serial data
// goes out. A client certificate is shown when cert= and key= name one. With `insecure` the check
// is skipped, and every use says so. The files are read and checked at the open, before the network
// is asked anything.
class TlsTransport : public TcpTransport
{
    Q_OBJECT

public:
    using TcpTransport::TcpTransport;

protected:
    QTcpSocket *makeSocket(SerialLink::Failure *failure) override;
    void startConnection() override;

private:
    void verificationFailed(const QList<QSslError> &errors);
    QString Key_Warning;
};
