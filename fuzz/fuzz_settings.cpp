// Settings files: whatever a file decodes to is written and decoded again to the same values; a
// refused file (a typed value) yields no values.
#include "FuzzSupport.h"
#include "ticket/SettingsCodec.h"

TQ_FUZZ_TARGET(settings)
{
    const QByteArray content(reinterpret_cast<const char *>(data), int(size));
    const SettingsCodec::Decoded first = SettingsCodec::decode(content);
    FUZZ_CHECK(first.keysFound >= 0 && first.keysFound <= SettingsCodec::KeyCount
                   && first.keysFound + first.missing.size() == SettingsCodec::KeyCount,
               QString::fromLatin1(content.toBase64()));
    const QByteArray written = SettingsCodec::encode(first.settings);
    const SettingsCodec::Decoded again = SettingsCodec::decode(written);
    const auto &a = first.settings;
    const auto &b = again.settings;
    FUZZ_CHECK(again.keysFound == SettingsCodec::KeyCount && again.typedKey.isEmpty(), QString::fromLatin1(content.toBase64()));
    for (int i = 0; i < 10; ++i)
        FUZZ_CHECK(a.lines[i] == b.lines[i], QString::fromLatin1(content.toBase64()));
    for (int i = 0; i < 5; ++i)
        FUZZ_CHECK(a.typeNames[i] == b.typeNames[i], QString::fromLatin1(content.toBase64()));
    FUZZ_CHECK(a.networkIdIndex == b.networkIdIndex && a.autoClearIndex == b.autoClearIndex
                   && a.syncRestartIndex == b.syncRestartIndex,
               QString::fromLatin1(content.toBase64()));
    return 0;
}
