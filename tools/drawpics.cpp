// Draws the program's pictures into Res/Pic, and the application icon from its SVG. Run by hand
// when a picture changes:
//   cmake --build build --target drawpics && build/drawpics Res/Pic packaging/io.github.tqmanage.TqManage.svg
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QDir>
#include <QFont>
#include <QSvgRenderer>

namespace {

struct Pic {
    const char *name;
    int size;
    QColor colour;
    QString glyph;
};

void drawBadge(const QString &file, int size, const QColor &colour, const QString &glyph)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal m = size * 0.06;
    QRectF r(m, m, size - 2 * m, size - 2 * m);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, colour.lighter(135));
    g.setColorAt(1, colour);
    p.setBrush(g);
    p.setPen(QPen(colour.darker(140), qMax(1.0, size / 40.0)));
    p.drawRoundedRect(r, size * 0.22, size * 0.22);
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setBold(true);
    f.setPixelSize(int(size * (glyph.size() > 2 ? 0.30 : 0.55)));
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(r, Qt::AlignCenter, glyph);
    p.end();
    img.save(file);
}

void drawRadio(const QString &file, bool on, bool hover, int scale)
{
    const int size = 20 * scale;
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.setPen(QPen(hover ? QColor(0x2e, 0x9d, 0x5b) : QColor(0x70, 0x70, 0x70), 1.5));
    p.setBrush(Qt::white);
    p.drawEllipse(QRectF(2, 2, 16, 16));
    if (on) {
        p.setPen(Qt::NoPen);
        p.setBrush(hover ? QColor(0x2e, 0x9d, 0x5b) : QColor(0x1f, 0x6f, 0xc5));
        p.drawEllipse(QRectF(6, 6, 8, 8));
    }
    p.end();
    img.save(file);
}

void drawArrow(const QString &file, int scale)
{
    QImage img(12 * scale, 12 * scale, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x50, 0x50, 0x50));
    QPainterPath path;
    path.moveTo(1, 3);
    path.lineTo(11, 3);
    path.lineTo(6, 9);
    path.closeSubpath();
    p.drawPath(path);
    p.end();
    img.save(file);
}

void drawHelpPage(const QString &file)
{
    QImage img(1300, 700, QImage::Format_RGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient g(0, 0, 0, 700);
    g.setColorAt(0, QColor(0xf4, 0xf8, 0xfc));
    g.setColorAt(1, QColor(0xd9, 0xe6, 0xf2));
    p.fillRect(img.rect(), g);
    QFont f(QStringLiteral("WenQuanYi Micro Hei"));
    f.setPixelSize(64);
    f.setBold(true);
    p.setFont(f);
    p.setPen(QColor(0x1f, 0x4e, 0x79));
    p.drawText(QRect(0, 160, 1300, 100), Qt::AlignCenter, QStringLiteral("tqmanage  帮助 · Help · Pomoc"));
    f.setPixelSize(34);
    f.setBold(false);
    p.setFont(f);
    p.setPen(QColor(0x40, 0x40, 0x40));
    p.drawText(QRect(0, 300, 1300, 60), Qt::AlignCenter,
               QStringLiteral("连接 · 小票 · 类型 · 参数 · 配对 · 固件 · 文件"));
    p.drawText(QRect(0, 380, 1300, 60), Qt::AlignCenter,
               QStringLiteral("Connect · Ticket · Types · Parameters · Pairing · Firmware · Files"));
    p.setBrush(QColor(0x2e, 0x9d, 0x5b));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QPoint(650, 540), 50, 50);
    p.setBrush(Qt::white);
    QPainterPath play;
    play.moveTo(635, 515);
    play.lineTo(675, 540);
    play.lineTo(635, 565);
    play.closeSubpath();
    p.drawPath(play);
    p.end();
    img.save(file, "JPG", 90);
}

// The window and desktop icon at the sizes the desktop asks for most.
void drawAppIcon(const QDir &out, const QString &svg)
{
    QSvgRenderer renderer(svg);
    for (const int size : {48, 128}) {
        QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        renderer.render(&p);
        p.end();
        img.save(out.filePath(QStringLiteral("AppIcon%1.png").arg(size)));
    }
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    out.mkpath(QStringLiteral("."));

    const QColor blue(0x1f, 0x6f, 0xc5), green(0x2e, 0x9d, 0x5b), red(0xc8, 0x3a, 0x3a),
        orange(0xe0, 0x8a, 0x1e), grey(0x6b, 0x73, 0x80), purple(0x7a, 0x4f, 0xb5);
    const Pic pics[] = {
        {"Open_Flie.png", 32, blue, QStringLiteral("开")},
        {"Save_File.png", 32, blue, QStringLiteral("S")},
        {"about.png", 32, grey, QStringLiteral("i")},
        {"Help_Book.png", 32, green, QStringLiteral("?")},
        {"Help_Book2.png", 32, green.darker(120), QStringLiteral("?")},
        {"Save_as_a.png", 32, purple, QStringLiteral("S+")},
        {"Save_as_b.png", 32, purple.darker(120), QStringLiteral("S+")},
        {"Fir_up_a.png", 32, orange, QStringLiteral("F")},
        {"Fir_up_b.png", 32, orange.darker(120), QStringLiteral("F")},
        {"YOU_Up_a.png", 32, blue, QStringLiteral("↑")},
        {"YOU_Up_b.png", 32, blue.darker(120), QStringLiteral("↑")},
        {"Translate_A.png", 32, green, QStringLiteral("文")},
        {"Translate_B.png", 32, green.darker(120), QStringLiteral("文")},
        {"Warning.png", 128, orange, QStringLiteral("!")},
        {"Disconnect.png", 128, red, QStringLiteral("⚡")},
        {"ban.png", 128, red, QStringLiteral("+")},
        {"damage.png", 128, grey, QStringLiteral("✕")},
        {"Language.png", 128, green, QStringLiteral("文A")},
        {"about3.png", 128, blue, QStringLiteral("TQ")},
        {"add_Q.png", 37, green, QStringLiteral("+")},
        {"add_B.png", 37, green.darker(130), QStringLiteral("+")},
        {"add.png", 37, green.lighter(115), QStringLiteral("+")},
        // The write button's word is drawn over it in the window's language.
        {"Write1_A.png", 45, blue, QString()},
        {"Write1_B.png", 45, blue.darker(125), QString()},
        {"add_sta.png", 128, blue, QStringLiteral("+")},
        {"Delete_sta.png", 128, grey, QStringLiteral("删")},
        {"Hold_down.png", 128, orange, QStringLiteral("☝")},
        {"ADD_OVER.png", 128, green, QStringLiteral("✓")},
        {"ADD_ERROR.png", 128, red, QStringLiteral("✕")},
    };
    // Every picture also at twice the size ("@2x"), for screens that are laid out at 2x.
    const auto named = [&out](const char *name, int scale) {
        const QString file = QLatin1String(name);
        return out.filePath(scale == 1 ? file : file.chopped(4) + QStringLiteral("@2x.png"));
    };
    for (const int scale : {1, 2}) {
        for (const Pic &pic : pics)
            drawBadge(named(pic.name, scale), pic.size * scale, pic.colour, pic.glyph);
        drawRadio(named("Select_F_A.png", scale), false, false, scale);
        drawRadio(named("Select_F_A_F.png", scale), false, true, scale);
        drawRadio(named("Select_F_B.png", scale), true, false, scale);
        drawRadio(named("Select_F_B_F.png", scale), true, true, scale);
        drawArrow(named("drop-down.png", scale), scale);
    }
    drawHelpPage(out.filePath(QStringLiteral("Help.jpg")));
    if (argc > 2)
        drawAppIcon(out, QString::fromLocal8Bit(argv[2]));
    return 0;
}
