#pragma once
// The program's UI font "ＭＳ Ｐゴシック" at 9 points. Linux has no such family: IPA P Gothic,
// its metric-compatible stand-in, is substituted under the same name, so every widget
// and every caption that names the family gets the Japanese glyphs.
#include <QString>

namespace folivo {

inline const QString kUiFontFamily = QStringLiteral("ＭＳ Ｐゴシック");
inline constexpr int kUiFontPointSize = 9;

// Registers the substitution and makes the font the application's default.
void InstallUiFont();

} // namespace folivo
