#pragma once

// One fuzz target per parser. Built with clang and -DTQ_FUZZ=ON each target is a libFuzzer program;
// with any compiler all targets are linked into fuzz_replay, which runs a corpus through one of them.
#include <QString>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace Fuzz {
using Target = int (*)(const uint8_t *data, size_t size);
bool add(const char *name, Target target);

// Input as text: a first byte 'U' means the rest is raw UTF-16 (lone surrogates included), anything
// else is UTF-8.
inline QString text(const uint8_t *data, size_t size)
{
    if (size > 0 && data[0] == 'U')
        return QString(reinterpret_cast<const QChar *>(data + 1), int((size - 1) / 2));
    return QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
}

[[noreturn]] inline void fail(const char *what, const QString &input)
{
    std::fprintf(stderr, "invariant broken: %s\ninput: %s\n", what, input.toUtf8().toHex().constData());
    std::abort();
}
} // namespace Fuzz

#define FUZZ_CHECK(condition, input)                                                                                    \
    do {                                                                                                                \
        if (!(condition))                                                                                               \
            Fuzz::fail(#condition, input);                                                                              \
    } while (false)

#ifdef TQ_LIBFUZZER
#define TQ_FUZZ_TARGET(name) extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
#else
#define TQ_FUZZ_TARGET(name)                                                                                            \
    static int fuzz_##name(const uint8_t *data, size_t size);                                                           \
    static const bool registered_##name = Fuzz::add(#name, fuzz_##name);                                               \
    static int fuzz_##name(const uint8_t *data, size_t size)
#endif

#include <QCoreApplication>
#include <QList>

namespace Fuzz {
// Timers need an application object; libFuzzer's own main has none.
inline void ensureApplication()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
}

// Several texts in one input, separated by the byte 0x1E.
inline QList<QByteArray> pieces(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size)).split('\x1e');
}
} // namespace Fuzz
