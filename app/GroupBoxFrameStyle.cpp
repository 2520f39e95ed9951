#include "GroupBoxFrameStyle.h"

#include <QImage>
#include <QPainter>
#include <QStyleOption>
#include <QtMath>

namespace {
// Fusion's group box picture and the width of its border, as that style draws it.
const char FramePicture[] = ":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png";
constexpr int Border = 6;
// More than the gap Fusion leaves above the frame besides the title's height.
constexpr int TitleGapAtMost = 8;

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
    if (baseStyle()->inherits("QFusionStyle"))
        Centre = uniformCentre(QImage(QLatin1String(FramePicture), "PNG"));
}

void GroupBoxFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                                       const QWidget *widget) const
{
    if (element != PE_FrameGroupBox || !Centre.isValid() || !painter || !option) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Only where logical pixels are whole device pixels: there the fill and the border meet exactly.
    const QTransform device = painter->deviceTransform();
    const bool whole = device.type() <= QTransform::TxScale && device.m11() == device.m22() && isWhole(device.m11())
        && isWhole(device.dx()) && isWhole(device.dy());
    const int titleRoom = qMax(pixelMetric(PM_ExclusiveIndicatorHeight, option, widget), option->fontMetrics.height())
        + TitleGapAtMost;
    // One pixel inside the middle, whatever the title took.
    const QRect middle = option->rect.adjusted(Border + 1, titleRoom + Border + 1, -(Border + 1), -(Border + 1));
    if (!whole || middle.isEmpty() || painter->compositionMode() != QPainter::CompositionMode_SourceOver
        || painter->opacity() < 1) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // The base style draws the border in four bands, each clipped to a plain rectangle, so that none
    // of the middle is filtered; the middle is one fill.
    const QRect bands[] = {
        {option->rect.left(), option->rect.top(), option->rect.width(), middle.top() - option->rect.top()},
        {option->rect.left(), middle.bottom() + 1, option->rect.width(), option->rect.bottom() - middle.bottom()},
        {option->rect.left(), middle.top(), middle.left() - option->rect.left(), middle.height()},
        {middle.right() + 1, middle.top(), option->rect.right() - middle.right(), middle.height()},
    };
    for (const QRect &band : bands) {
        painter->save();
        painter->setClipRect(band, Qt::IntersectClip);
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        painter->restore();
    }
    painter->fillRect(middle, Centre);
}
