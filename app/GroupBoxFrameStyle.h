#pragma once

#include <QColor>
#include <QPixmap>
#include <QProxyStyle>

// The application's style with one shortcut: Fusion draws a group box by stretching a picture whose
// middle is one faint colour over the whole box, filtered pixel by pixel, which is a tenth of the
// first frame's drawing with five boxes. Where the scale is whole, the border is drawn from the same
// picture as Fusion draws it and the middle is filled with its colour: the same pixels.
class GroupBoxFrameStyle : public QProxyStyle
{
    Q_OBJECT

public:
    // key: the name of the style to draw like (QStyleFactory), as the application's is named.
    explicit GroupBoxFrameStyle(const QString &key);

    // The colour of the frame picture's middle, invalid when this Qt's picture is not one colour there
    // (then every box is drawn by the base style alone).
    QColor centreColour() const;

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;

private:
    // Fusion's picture, read when the first box is drawn rather than with the style: the first picture
    // read in the program loads Qt's image plugins, which another thread does while the window is built.
    const QPixmap &picture() const;

    mutable QPixmap Picture;
    mutable QColor Centre;
    // Only Fusion's picture is read, once; any other base style draws every box alone.
    mutable bool ToRead = false;
};
