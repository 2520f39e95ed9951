#include "DeferredIconEngine.h"

#include <QImageReader>
#include <QPainter>

DeferredIconEngine::DeferredIconEngine(const QString &file)
    : File(file)
{
}

QIcon DeferredIconEngine::icon(const QString &file)
{
    return QIcon(new DeferredIconEngine(file));
}

const QIcon &DeferredIconEngine::decoded() const
{
    if (Decoded.isNull())
        Decoded = QIcon(File);
    return Decoded;
}

void DeferredIconEngine::paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state)
{
    decoded().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QSize DeferredIconEngine::actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return decoded().actualSize(size, mode, state);
}

QPixmap DeferredIconEngine::pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state)
{
    return decoded().pixmap(size, mode, state);
}

QList<QSize> DeferredIconEngine::availableSizes(QIcon::Mode mode, QIcon::State state) const
{
    return decoded().availableSizes(mode, state);
}

QString DeferredIconEngine::key() const
{
    return QStringLiteral("DeferredIconEngine");
}

QIconEngine *DeferredIconEngine::clone() const
{
    return new DeferredIconEngine(*this);
}

void DeferredIconEngine::virtual_hook(int id, void *data)
{
    // Whether there is a picture is known from its header; the pixels wait.
    if (id == QIconEngine::IsNullHook) {
        *static_cast<bool *>(data) = Decoded.isNull() && !QImageReader(File).canRead();
        return;
    }
    QIconEngine::virtual_hook(id, data);
}
