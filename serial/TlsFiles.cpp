#include "TlsFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {
// The file's bytes, or empty with the reason in *error.
QByteArray readPem(const QString &role, const QString &file, QString *error)
{
    const QFileInfo info(file);
    const QString what = role + QLatin1Char(' ') + file;
    if (!info.exists()) {
        *error = QCoreApplication::translate("QObject", "%1: 文件不存在").arg(what);
        return {};
    }
    if (!info.isFile() || info.size() > TlsFiles::MaxSize) {
        *error = QCoreApplication::translate("QObject", "%1: 不是普通的 PEM 文件").arg(what);
        return {};
    }
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QCoreApplication::translate("QObject", "%1: 无法读取 (%2)").arg(what, f.errorString());
        return {};
    }
    const QByteArray pem = f.read(TlsFiles::MaxSize);
    if (!pem.contains("-----BEGIN "))
        *error = QCoreApplication::translate("QObject", "%1: 不是 PEM 文件").arg(what);
    return error->isEmpty() ? pem : QByteArray();
}

// One DER element: its tag, where its content starts and how long it is (tag -1: none there).
struct Element {
    int tag = -1;
    int start = 0;
    int length = 0;
    int end() const { return start + length; }
};

Element element(const QByteArray &der, int at)
{
    Element e;
    if (at < 0 || at + 2 > der.size())
        return e;
    const int tag = uchar(der.at(at));
    int length = uchar(der.at(at + 1));
    at += 2;
    if (length & 0x80) {
        const int bytes = length & 0x7f;
        if (bytes < 1 || bytes > 3 || at + bytes > der.size())
            return e;
        length = 0;
        for (int i = 0; i < bytes; ++i)
            length = (length << 8) | uchar(der.at(at++));
    }
    if (at + length > der.size())
        return e;
    return {tag, at, length};
}

// What of a private key stands in its public key too: an RSA key's modulus (PKCS #1), an EC key's
// point (SEC 1). Empty where the form does not tell.
QByteArray publicPart(const QSslKey &key)
{
    const QByteArray der = key.toDer();
    const Element outer = element(der, 0);
    Element field = element(der, outer.start); // the version
    if (outer.tag != 0x30 || field.tag != 0x02)
        return {};
    field = element(der, field.end());
    if (key.algorithm() == QSsl::Rsa)
        return field.tag == 0x02 ? der.mid(field.start, field.length) : QByteArray();
    for (; key.algorithm() == QSsl::Ec && field.tag >= 0; field = element(der, field.end())) {
        if (field.tag == 0xA1) {
            const Element point = element(der, field.start);
            return point.tag == 0x03 ? der.mid(point.start, point.length) : QByteArray();
        }
    }
    return {};
}
} // namespace

TlsFiles::Anchors TlsFiles::anchors(const QString &caFile)
{
    Anchors a;
    const QString role = QCoreApplication::translate("QObject", "CA 文件");
    const QByteArray pem = readPem(role, caFile, &a.error);
    if (!a.error.isEmpty())
        return a;
    a.certificates = QSslCertificate::fromData(pem, QSsl::Pem);
    if (a.certificates.isEmpty())
        a.error = QCoreApplication::translate("QObject", "%1: 不是 PEM 格式的证书").arg(role + QLatin1Char(' ') + caFile);
    return a;
}

TlsFiles::Identity TlsFiles::identity(const QString &certFile, const QString &keyFile)
{
    Identity id;
    const QString certRole = QCoreApplication::translate("QObject", "客户端证书");
    const QString keyRole = QCoreApplication::translate("QObject", "客户端私钥");
    const QByteArray certPem = readPem(certRole, certFile, &id.error);
    if (!id.error.isEmpty())
        return id;
    id.certificate = QSslCertificate::fromData(certPem, QSsl::Pem).value(0);
    if (id.certificate.isNull()) {
        id.error = QCoreApplication::translate("QObject", "%1: 不是 PEM 格式的证书").arg(certRole + QLatin1Char(' ') + certFile);
        return id;
    }
    const QString what = keyRole + QLatin1Char(' ') + keyFile;
    // As ssh does: a private key others may read is no longer private.
    const Readers readable = readers(keyFile);
    if (readable == Readers::Others) {
        id.error = QCoreApplication::translate("QObject", "%1: 其他用户可以读取此私钥, 所以不使用它; 请执行 chmod 600 %2").arg(what, keyFile);
        return id;
    }
    if (readable == Readers::Group)
        id.warning = QCoreApplication::translate("QObject", "%1: 同组用户可以读取此私钥 (chmod 600 %2 可以避免)").arg(what, keyFile);
    const QByteArray keyPem = readPem(keyRole, keyFile, &id.error);
    if (!id.error.isEmpty())
        return id;
    if (keyPem.contains("ENCRYPTED")) {
        id.error = QCoreApplication::translate("QObject", "%1: 私钥有密码保护, 本程序不支持; 请用 openssl pkey -in %2 -out 新文件 去掉密码").arg(what, keyFile);
        return id;
    }
    for (const QSsl::KeyAlgorithm algorithm : {QSsl::Rsa, QSsl::Ec, QSsl::Dsa}) {
        id.key = QSslKey(keyPem, algorithm);
        if (!id.key.isNull())
            break;
    }
    if (id.key.isNull())
        id.error = QCoreApplication::translate("QObject", "%1: 不是可用的 PEM 私钥 (支持 RSA, EC 和 DSA)").arg(what);
    else if (!belongsTo(id.key, id.certificate))
        id.error = QCoreApplication::translate("QObject", "%1: 私钥与证书 %2 不匹配").arg(what, certFile);
    return id;
}

TlsFiles::Readers TlsFiles::readers(const QString &file)
{
#ifdef Q_OS_UNIX
    const QFile::Permissions mode = QFileInfo(file).permissions();
    if (mode & QFile::ReadOther)
        return Readers::Others;
    if (mode & QFile::ReadGroup)
        return Readers::Group;
#else
    Q_UNUSED(file)
#endif
    return Readers::Owner;
}

bool TlsFiles::belongsTo(const QSslKey &key, const QSslCertificate &certificate)
{
    const QByteArray part = publicPart(key);
    return part.isEmpty() || certificate.publicKey().toDer().contains(part);
}
