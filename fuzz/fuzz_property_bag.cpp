// Feeds arbitrary bytes to the form-text reader of zkButton2. Whatever it accepts must
// write back to a text that reads again and writes the same (the writer's form is a fixed
// point), and whatever it rejects must carry a line number inside the input.
#include "zk_form_text.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // No base folder: picture files cannot be reached, embedded pictures still decode.
    const zkFormText form = zk::form::parse(bytes, QString());
    if (!form.ok()) {
        if (form.errorLine < 0 || form.errorLine > bytes.count('\n') + 1 ||
            !form.controls.isEmpty())
            __builtin_trap();
        return 0;
    }
    const QByteArray written = zk::form::write(form.controls);
    const zkFormText again = zk::form::parse(written, QString());
    if (!again.ok() || again.controls.size() != form.controls.size())
        __builtin_trap();
    if (zk::form::write(again.controls) != written)
        __builtin_trap();
    return 0;
}
