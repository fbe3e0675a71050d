// Feeds arbitrary registry values (type from the first byte, the rest as the reported data)
// to the decoder and checks what must always hold.
#include "system_info.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    folivo::RegistryValue value;
    value.type = data[0] % 8;
    value.data =
        QByteArray(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    const folivo::RegistryText text = folivo::DecodeRegistryValue(value);
    const bool fits = value.data.size() <= folivo::kRegistryBufferBytes;
    if (text.found != fits)
        __builtin_trap();
    if (!text.found && !text.text.isEmpty())
        __builtin_trap();
    if (text.found && value.type == folivo::kRegDword && text.text.toULongLong() > 0xFFFFFFFFull)
        __builtin_trap();
    return 0;
}
