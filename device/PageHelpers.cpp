#include "PageHelpers.h"

#include "Styles.h"
#include "ticket/Gbk.h"
#include "ticket/LogCategories.h"

#include <QFont>
#include <QFontMetrics>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QPushButton>
#include <QTextEdit>

void PageHelpers::appendLog(QTextEdit *log, const QString &line)
{
    qCDebug(lcPage) << line;
    log->moveCursor(QTextCursor::End);
    log->insertPlainText(line + QStringLiteral("\r\n"));
    log->moveCursor(QTextCursor::End);
}

void PageHelpers::showKept(QLineEdit *field, const QString &typed, const QString &kept, int maxBytes)
{
    const QString withoutPlus = QString(typed).remove(QLatin1Char('+'));
    if (Gbk::length(withoutPlus) > maxBytes && withoutPlus.startsWith(kept)) {
        field->setToolTip(QObject::tr("类型名称最多%1字节(一个汉字占2字节), 多出的部分不会发送: \"%2\"")
                              .arg(maxBytes)
                              .arg(withoutPlus.mid(kept.size())));
        field->setStyleSheet(QStringLiteral("QLineEdit{border:1px solid rgb(224,138,30);}"));
    } else if (Gbk::length(kept) < maxBytes) {
        field->setToolTip(QString());
        field->setStyleSheet(QString());
    }
    if (kept != typed)
        field->setText(kept);
}

void PageHelpers::setWordPicture(QPushButton *button, const QString &word, const QString &normal, const QString &pressed)
{
    button->setText(word);
    QFont font(Styles::fontFamily());
    font.setBold(true);
    const int size = wordSize(font, word, button->width() - 10);
    button->setStyleSheet(QStringLiteral("QPushButton{border-image:url(%1);background:transparent;color:white;"
                                         "font-family:%4;font-weight:bold;font-size:%3px;}"
                                         "QPushButton:pressed,QPushButton:hover,QPushButton:focus{border-image:url(%2);}"
                                         "QPushButton:disabled{color:rgb(200,215,235);}")
                              .arg(normal, pressed)
                              .arg(size)
                              .arg(font.family()));
}

int PageHelpers::wordSize(QFont font, const QString &word, int room)
{
    constexpr int Largest = 24;
    constexpr int Smallest = 9;
    // Each size asked for loads a font of its own, a millisecond or so at the start: the width at the
    // largest size tells where the answer lies (widths grow with the size), and its neighbours settle it.
    const auto width = [&font, &word](int size) {
        font.setPixelSize(size);
        return QFontMetrics(font).horizontalAdvance(word);
    };
    const int widest = width(Largest);
    if (widest <= room)
        return Largest;
    int size = qBound(Smallest, Largest * room / qMax(widest, 1), Largest - 1);
    if (width(size) <= room) {
        while (size + 1 < Largest && width(size + 1) <= room)
            ++size;
        return size;
    }
    while (--size >= Smallest)
        if (width(size) <= room)
            return size;
    return Smallest - 1;
}
