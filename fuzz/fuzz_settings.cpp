// Feeds arbitrary bytes to the settings-file parser, then reads and writes through it.
#include "ini_document.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    auto doc = folivo::IniDocument::parse(bytes);
    (void)doc.value(QStringLiteral("JPEG"), QStringLiteral("Complevel"));
    doc.setValue(QStringLiteral("Toolbar"), QStringLiteral("Flag"), QStringLiteral("False"));
    const auto again = folivo::IniDocument::parse(doc.toBytes());
    if (again.value(QStringLiteral("toolbar"), QStringLiteral("flag")) != QStringLiteral("False"))
        __builtin_trap(); // a write must always read back
    return 0;
}
