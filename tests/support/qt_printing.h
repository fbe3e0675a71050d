#pragma once
// Readable Qt values in test failure messages, and colour comparison for pictures read back
// from a lossy or scaled rendering.
#include <QRgb>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <ostream>

// QString lives in the global namespace, so its printer does too.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace folivo::test {

// The largest difference of the red, green and blue channels of two colours.
inline int ChannelDistance(QRgb a, QRgb b) {
    return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                     std::abs(qBlue(a) - qBlue(b))});
}

} // namespace folivo::test
