#include "PtyPort.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

PtyPort::PtyPort(QObject *parent)
    : QObject(parent)
{
}

PtyPort::~PtyPort()
{
    if (Master >= 0)
        ::close(Master);
    if (Slave_Keep >= 0)
        ::close(Slave_Keep);
}

bool PtyPort::open(QString *error)
{
    Master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (Master < 0 || ::grantpt(Master) != 0 || ::unlockpt(Master) != 0) {
        *error = QStringLiteral("cannot open a pseudo-terminal: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    Slave_Path = QString::fromLocal8Bit(::ptsname(Master));
    Slave_Keep = ::open(::ptsname(Master), O_RDWR | O_NOCTTY);
    if (Slave_Keep < 0) {
        *error = QStringLiteral("cannot open %1: %2").arg(Slave_Path, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    termios raw{};
    ::tcgetattr(Slave_Keep, &raw);
    ::cfmakeraw(&raw);
    ::cfsetispeed(&raw, B115200);
    ::cfsetospeed(&raw, B115200);
    ::tcsetattr(Slave_Keep, TCSANOW, &raw);
    ::fcntl(Master, F_SETFL, ::fcntl(Master, F_GETFL) | O_NONBLOCK);

    Notifier = new QSocketNotifier(Master, QSocketNotifier::Read, this);
    connect(Notifier, &QSocketNotifier::activated, this, [this] { readAvailable(); });
    return true;
}

void PtyPort::readAvailable()
{
    char buf[4096];
    for (;;) {
        const ssize_t n = ::read(Master, buf, sizeof buf);
        if (n > 0) {
            Bursts.add(QByteArray(buf, int(n)));
            continue;
        }
        break;
    }
}

void PtyPort::write(const QByteArray &bytes)
{
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(Master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0) {
            done += n;
        } else if (n < 0 && errno == EAGAIN) {
            ::usleep(1000);
        } else {
            return;
        }
    }
}
