#include "compression_steps.h"

namespace folivo {

QStringList JpegStepTexts() {
    QStringList texts;
    for (int step = 0; step < kJpegStepCount; ++step)
        texts << QString::number(step * 5);
    return texts;
}

int ParseJpegStep(const QString& text) {
    bool ok = false;
    const int step = text.trimmed().toInt(&ok, 10);
    return ok && step >= 0 && step <= kJpegLastStep ? step : -1;
}

int ShownJpegStep(const std::optional<QString>& stored) {
    bool number = false;
    if (stored)
        stored->trimmed().toDouble(&number);
    return number ? ParseJpegStep(*stored) : kJpegDefaultStep;
}

int JpegStepUp(int index) {
    return index > kJpegLastStep - 1 ? kJpegLastStep : index + 1;
}

int JpegStepDown(int index) {
    return index < 1 ? 0 : index - 1;
}

} // namespace folivo
