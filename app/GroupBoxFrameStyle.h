#pragma once

#include <QColor>
#include <QProxyStyle>

// The application's style with one shortcut: Fusion draws a group box by stretching a picture whose
// middle is one faint colour over the whole box, filtered pixel by pixel, which is a tenth of the
// first frame's work with five boxes. Where the scale is whole, that middle is filled with its colour
// instead; the border and every other pixel are the base style's own.
class GroupBoxFrameStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // key: the name of the style to draw like (QStyleFactory), as the application's is named.
    explicit GroupBoxFrameStyle(const QString &key);

    // The colour of the frame picture's middle, invalid when this Qt's picture is not one colour there
    // (then every box is drawn by the base style alone).
    QColor centreColour() const { return Centre; }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

private:
    QColor Centre;
};
