#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QString>

// An icon of one picture file that is decoded the first time it is drawn or measured, not when it is
// set: a large picture on a tab the operator may never open costs no memory until then. Meant for a
// picture drawn at its own size, never scaled down: it then draws exactly as QIcon(file) would.
class DeferredIconEngine : public QIconEngine
{
public:
    explicit DeferredIconEngine(const QString &file);

    static QIcon icon(const QString &file);

    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override;
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override;
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) const override;
    QString key() const override;
    QIconEngine *clone() const override;
    void virtual_hook(int id, void *data) override;

private:
    const QIcon &decoded() const;

    QString File;
    mutable QIcon Decoded;
};
