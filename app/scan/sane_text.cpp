#include "sane_text.h"

#include <clocale>
#include <cstring>
#include <libintl.h>

namespace folivo {

namespace {

constexpr const char* kDomain = "sane-backends";

} // namespace

void PrepareSaneText() {
    const char* messages = std::setlocale(LC_MESSAGES, nullptr);
    if (!messages || std::strcmp(messages, "C") == 0 || std::strcmp(messages, "POSIX") == 0)
        std::setlocale(LC_MESSAGES, "C.UTF-8");
    // Whatever LC_CTYPE says, the texts reach Qt as UTF-8.
    bind_textdomain_codeset(kDomain, "UTF-8");
}

QString SaneText(const QString& text) {
    if (text.isEmpty())
        return text;
    const QByteArray msgid = text.toUtf8();
    const char* translated = dgettext(kDomain, msgid.constData());
    return translated == msgid.constData() ? text : QString::fromUtf8(translated);
}

} // namespace folivo
