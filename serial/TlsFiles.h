#pragma once

#include <QList>
#include <QSslCertificate>
#include <QSslKey>
#include <QString>

// The files a TLS address names, read and checked before anything goes on the network, each fault
// told by its name: a missing, unreadable or irregular file, one that holds no PEM, a key with a
// passphrase (not supported), a private key other users may read, a key of another certificate.
namespace TlsFiles {
// A PEM file is a few kilobytes; a larger one is no certificate or key.
constexpr qint64 MaxSize = 1024 * 1024;

struct Anchors {
    QList<QSslCertificate> certificates;
    QString error;
};
Anchors anchors(const QString &caFile);

struct Identity {
    QSslCertificate certificate;
    QSslKey key;
    QString error;   // not used, and why
    QString warning; // used, but worth saying
};
Identity identity(const QString &certFile, const QString &keyFile);

// Who besides the owner may read the file. Known from POSIX modes; elsewhere (Windows ACLs) the
// question is not asked and Owner comes back.
enum class Readers { Owner, Group, Others };
Readers readers(const QString &file);

// Whether the private key is the certificate's, where the key's kind tells (RSA, EC); true where
// it does not (TLS refuses a wrong one then, at the handshake).
bool belongsTo(const QSslKey &key, const QSslCertificate &certificate);
} // namespace TlsFiles
