#pragma once
// The JPEG compression step list: 21 entries "0", "5", ..., "100"; the step is the entry's
// index, the text the compression level (the JPEG quality is 100 - 5 x step).
// The index -1 means no entry is selected.
#include <QString>
#include <QStringList>

namespace folivo {

inline constexpr int kJpegStepCount = 21;
inline constexpr int kJpegLastStep = kJpegStepCount - 1;

QStringList JpegStepTexts();

// The stored "Complevel" text as an index: a whole decimal number 0..20 (blanks around it
// allowed), otherwise -1.
int ParseJpegStep(const QString& text);

// "↑": past 19 stays at 20, else the next entry (-1 gives 0).
int JpegStepUp(int index);
// "↓": below 1 gives 0, else the previous entry.
int JpegStepDown(int index);

} // namespace folivo
