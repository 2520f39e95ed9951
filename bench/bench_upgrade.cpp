// How long a 51200-byte firmware transfer takes against tqunit-sim, beside the floor that the
// 30 ms framing gap sets (the unit's 51 package requests each wait for one gap).
// Run: build/tests/bench_upgrade [rounds]
#include "app/AppSetup.h"
#include "ticket/Language.h"
#include "device/Function_One.h"
#include "device/Bootloader_Handle.h"
#include "device/Function_USART.h"
#include "testsupport/TestSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTextEdit>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_LOGGING_RULES", "tq.*.debug=false");
    QApplication app(argc, argv);
    AppSetup::initResources();
    const int rounds = argc > 1 ? qMax(1, atoi(argv[1])) : 3;
    const QByteArray image = TestSupport::randomBytes(51200, 1);

    const int requests = 51;
    const double floorMs = requests * SerialLink::BurstGapMs;
    double total = 0;
    for (int round = 0; round < rounds; ++round) {
        SimUnderTest sim({"--bootloader"});
        if (!sim.started()) {
            std::fprintf(stderr, "bench_upgrade: the simulator did not start\n");
            return 1;
        }
        Function_One page(nullptr);
        Function_USART serial(nullptr);
        page.Set_Function(&serial);
        serial.Set_Receiver(&page);
        if (!serial.USART_Open(sim.port()))
            return 1;
        Bootloader_Handle dialog(nullptr);
        QObject::connect(&dialog, &Bootloader_Handle::USART_Bootloader_signals, &serial, &Function_USART::Send_USART_QByteArray);
        QObject::connect(&dialog, &Bootloader_Handle::USART_Bootloader_COM, &serial, &Function_USART::USART_Send);
        QObject::connect(&page, &Function_One::USART_RX_dat_SIGNALS, &dialog, &Bootloader_Handle::USART_Update_APP_Handle);
        dialog.Session.setImage(image);
        QElapsedTimer clock;
        clock.start();
        dialog.Update_Button->click();
        while (!dialog.Info_Text.toPlainText().contains(QStringLiteral("升级完成")) && clock.elapsed() < 30000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        const qint64 ms = clock.elapsed();
        if (!dialog.Info_Text.toPlainText().contains(QStringLiteral("升级完成"))) {
            std::fprintf(stderr, "bench_upgrade: round %d did not finish\n", round + 1);
            return 1;
        }
        std::printf("round %d: %lld ms\n", round + 1, static_cast<long long>(ms));
        total += double(ms);
    }
    const double mean = total / rounds;
    std::printf("51200-byte upgrade: mean %.0f ms over %d rounds; floor %.0f ms (%d requests x %d ms gap); "
                "overhead %.0f ms (%.1f ms per request)\n",
                mean, rounds, floorMs, requests, SerialLink::BurstGapMs, mean - floorMs, (mean - floorMs) / requests);
    return 0;
}
