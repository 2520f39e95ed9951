#pragma once

#include <QString>

class QByteArray;

// One received burst as the text handed to the receiver: GBK, cut at the first zero byte.
QString decodeBurst(const QByteArray &burst);
