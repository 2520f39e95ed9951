#include "Gbk.h"

#include <QTextCodec>

namespace {
QTextCodec *codec()
{
    static QTextCodec *const gbk = QTextCodec::codecForName("GBK");
    return gbk;
}
} // namespace

QByteArray Gbk::encode(const QString &text)
{
    return codec()->fromUnicode(text);
}

QString Gbk::decode(const QByteArray &bytes)
{
    return codec()->toUnicode(bytes);
}

int Gbk::length(const QString &text)
{
    return encode(text).size();
}
