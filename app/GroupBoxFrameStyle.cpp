#include "GroupBoxFrameStyle.h"

#include <qdrawutil.h>
#include <QGroupBox>
#include <QImage>
#include <QPainter>
#include <QStyleOption>
#include <QtMath>

namespace {
// Fusion's group box picture and the width of its border, as that style draws it.
const char FramePicture[] = ":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png";
constexpr int Border = 6;
// The gap Fusion leaves above the frame, besides the title's height.
constexpr int TopGap = 3;

// The one colour of the picture's middle and a ring of three pixels around it, so that filtering
// the stretched middle can only ever mix that colour with itself.
QColor uniformCentre(const QImage &picture)
{
    if (picture.width() <= 2 * Border || picture.height() <= 2 * Border)
        return {};
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb colour = image.pixel(Border, Border);
    for (int y = Border - 3; y < image.height() - Border + 3; ++y)
        for (int x = Border - 3; x < image.width() - Border + 3; ++x)
            if (image.pixel(x, y) != colour)
                return {};
    // Filled as a colour it must be exactly the premultiplied pixel again.
    if (qPremultiply(qUnpremultiply(colour)) != colour)
        return {};
    return QColor::fromRgba(qUnpremultiply(colour));
}

bool isWhole(qreal value)
{
    return qFuzzyCompare(value + 1, qRound(value) + 1);
}
} // namespace

GroupBoxFrameStyle::GroupBoxFrameStyle(const QString &key)
    : QProxyStyle(key)
{
    ToRead = baseStyle()->inherits("QFusionStyle");
}

const QPixmap &GroupBoxFrameStyle::picture() const
{
    if (ToRead) {
        ToRead = false;
        Picture = QPixmap(QLatin1String(FramePicture));
        Centre = uniformCentre(Picture.toImage());
    }
    return Picture;
}

QColor GroupBoxFrameStyle::centreColour() const
{
    picture();
    return Centre;
}

void GroupBoxFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                       const QWidget *widget) const
{
    const auto *box = qobject_cast<const QGroupBox *>(widget);
    if (element != PE_FrameGroupBox || !box || !painter || !option || !centreColour().isValid()) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Fusion's frame: below the title or check box, if there is one.
    const int titleRoom = box->isCheckable() || !box->title().isEmpty()
        ? qMax(baseStyle()->pixelMetric(PM_ExclusiveIndicatorHeight), option->fontMetrics.height())
        : 0;
    const QRect frame = option->rect.adjusted(0, titleRoom + TopGap, 0, 0);
    // One pixel inside the picture's middle, so that filtering the border never reaches the fill.
    const QRect middle = frame.adjusted(Border + 1, Border + 1, -(Border + 1), -(Border + 1));
    // Only where logical pixels are whole device pixels: there the fill and the border meet exactly.
    const QTransform device = painter->deviceTransform();
    const bool whole = device.type() <= QTransform::TxScale && device.m11() == device.m22() && isWhole(device.m11())
        && isWhole(device.dx()) && isWhole(device.dy());
    if (!whole || middle.isEmpty() || painter->compositionMode() != QPainter::CompositionMode_SourceOver
        || painter->opacity() < 1) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The border in four bands, each clipped to a plain rectangle, so that none of the middle is
    // filtered; the middle is one fill.
    const QRect bands[] = {
        {frame.left(), frame.top(), frame.width(), middle.top() - frame.top()},
        {frame.left(), middle.bottom() + 1, frame.width(), frame.bottom() - middle.bottom()},
        {frame.left(), middle.top(), middle.left() - frame.left(), middle.height()},
        {middle.right() + 1, middle.top(), frame.right() - middle.right(), middle.height()},
    };
    for (const QRect &band : bands) {
        painter->save();
        painter->setClipRect(band, Qt::IntersectClip);
        qDrawBorderPixmap(painter, frame, QMargins(Border, Border, Border, Border), picture());
        painter->restore();
    }
    painter->fillRect(middle, Centre);
}
