#include "PageHelpers.h"

#include "ticket/Gbk.h"
#include "ticket/LogCategories.h"

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
    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    int size = 24;
    const int room = button->width() - 10;
    for (; size > 8; --size) {
        font.setPixelSize(size);
        if (QFontMetrics(font).horizontalAdvance(word) <= room)
            break;
    }
    button->setStyleSheet(QStringLiteral("QPushButton{border-image:url(%1);background:transparent;color:white;"
                                         "font-family:Arial;font-weight:bold;font-size:%3px;}"
                                         "QPushButton:pressed,QPushButton:hover,QPushButton:focus{border-image:url(%2);}"
                                         "QPushButton:disabled{color:rgb(200,215,235);}")
                              .arg(normal, pressed)
                              .arg(size));
}
