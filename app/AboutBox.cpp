#include "AboutBox.h"

#include "device/PictureBox.h"
#include "ticket/Language.h"
#include "ticket/Version.h"

#include <QMessageBox>

void AboutBox::exec(QWidget *parent)
{
    const bool polish = Read_Language(false) == Language_Polish;
    const QString title = polish
        ? QStringLiteral("          chodzi o naszą wersję danych i informacji zwrotnych metod i oświadczenia")
        : QStringLiteral("        About some of our version information and feedback methods and statements.");
    QMessageBox box(QMessageBox::NoIcon, title, QString(), QMessageBox::Close, parent);
    box.setText(polish ? QStringLiteral("\r\n    Wersja programu: V" TQ_VERSION "\r\n"
                                        "    Prawa: zespół projektu tqmanage\r\n"
                                        "    Kontakt: Biuro projektu tqmanage, ul. Przykładowa 1, 00-001 Miasto\r\n"
                                        "    Telefon: +48 000 000 000\r\n"
                                        "    E-mail: kontakt@tqmanage.example\r\n"
                                        "    WWW: https://tqmanage.example\r\n")
                       : QStringLiteral("\r\n    tqmanage - queue management unit configuration tool\r\n"
                                        "    Platform: Windows and Linux desktop (Qt 5)\r\n"
                                        "    Version: V" TQ_VERSION "\r\n"
                                        "    Rights: the tqmanage project team\r\n"
                                        "    Feedback: feedback@tqmanage.example\r\n"
                                        "    Provided as is, without warranty of any kind.\r\n"));
    box.setIconPixmap(PictureBox::picture(QStringLiteral(":/Res/Pic/about3.png"), 128));
    if (polish)
        box.resize(800, 100);
    box.exec();
}
