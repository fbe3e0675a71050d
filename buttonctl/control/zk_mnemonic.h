#pragma once
// Access-key markers of a caption: "&S" marks S, "&&" is a literal "&".
#include <QString>

struct zkMnemonic {
    QString text;     // the caption without markers
    QString key;      // the access key, empty when none
    int position = 0; // 1-based index of the key character in `text`, 0 when none
};

// The last single marker gives the key; a trailing "&" gives an empty key but a position.
zkMnemonic ParseMnemonic(const QString& caption);
