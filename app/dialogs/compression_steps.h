#pragma once
// The JPEG compression step list: 21 entries "0", "5", ..., "100"; the step is the entry's
// index, the text the compression level (the JPEG quality is 100 - 5 x step).
// The index -1 means no entry is selected.
#include <QString>
#include <QStringList>
#include <optional>

namespace folivo {

inline constexpr int kJpegStepCount = 21;
inline constexpr int kJpegLastStep = kJpegStepCount - 1;
// Quality 75: what a fresh install writes, a sound balance of size and quality.
inline constexpr int kJpegDefaultStep = 5;

QStringList JpegStepTexts();

// The stored "Complevel" text as an index: a whole decimal number 0..20 (blanks around it
// allowed), otherwise -1.
int ParseJpegStep(const QString& text);
// What the window shows for a stored "Complevel": an absent text or one that is no number
// at all gives kJpegDefaultStep, like the JPEG writer; any number goes through
// ParseJpegStep.
int ShownJpegStep(const std::optional<QString>& stored);

// "↑": past 19 stays at 20, else the next entry (-1 gives 0).
int JpegStepUp(int index);
// "↓": below 1 gives 0, else the previous entry.
int JpegStepDown(int index);

} // namespace folivo
