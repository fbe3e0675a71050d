#include "zk_mnemonic.h"

zkMnemonic ParseMnemonic(const QString& caption) {
    zkMnemonic result{caption, QString(), 0};
    qsizetype index = 0; // 0-based form of the 1-based search index
    while (true) {
        const qsizetype amp = result.text.indexOf(QLatin1Char('&'), index);
        if (amp < 0)
            break;
        const bool doubled = amp + 1 < result.text.size() && result.text.at(amp + 1) == u'&';
        if (!doubled) {
            result.key =
                amp + 1 < result.text.size() ? QString(result.text.at(amp + 1)) : QString();
            result.position = static_cast<int>(amp + 1);
        }
        result.text.remove(amp, 1);
        index = amp + 1;
    }
    return result;
}
