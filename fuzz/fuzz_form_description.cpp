// Feeds arbitrary bytes to the form-description reader as the toolbar uses it: every
// block's window keys through ReadButtonSite. (The round trip: fuzz_property_bag.)
#include "button_site.h"
#include "zk_form_text.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // No folder: relative pictures are refused, so the reader touches no files.
    const zkFormText form = zk::form::parse(bytes, QString());
    for (const zkFormControl& control : form.controls) {
        const folivo::ButtonSiteResult site =
            folivo::ReadButtonSite([&](const QString& key) -> std::optional<QVariant> {
                if (!control.bag->contains(key))
                    return std::nullopt;
                return control.bag->value(key);
            });
        if (site.site && (site.site->width <= 0 || site.site->height <= 0 ||
                          site.site->left > folivo::kMaxSiteTwips))
            __builtin_trap(); // a site that passed the checks is within its bounds
    }
    return 0;
}
