#pragma once
// The JPEG writer: a BMP file in, a JPEG file out, a result code back.
//
// Contract of SavetoJPEG(source, target, quality, progressive):
// - quality 0..255 is clamped to 1..100; progressive -1 writes a progressive JPEG (SOF2),
//   0 (or any other value) a baseline one (SOF0).
// - A grey or black-and-white source stays one component; colour is YCbCr. The source's
//   resolution goes into the JFIF density (dots per inch) when it has one.
// - Result codes: 0 written; 1 the source cannot be opened or read; 2 the target cannot
//   be written (read-only file or folder, a folder in its place, disk full); 3 the source
//   is not a BMP this writer can read; 4 out of memory.
// - The target is replaced only when the new file is complete; on any failure an
//   existing target keeps its old bytes. Never aborts: library errors become codes.
#include "durable_file.h"
#include "jpeg_result.h"

#include <QByteArray>
#include <QString>
#include <cstdint>

class QIODevice;

namespace folivo {

inline constexpr std::int16_t kJpegProgressive = -1;
inline constexpr std::int16_t kJpegBaseline = 0;

std::int16_t SavetoJPEG(const QString& sourcePath, const FileTarget& target, std::uint8_t quality,
                        std::int16_t progressive);

// The encoder behind SavetoJPEG over bytes: decodes `bmp` and writes the JPEG to `out`.
// Answers 0, 2 (a write to `out` failed), 3 or 4 as above.
std::int16_t EncodeBmpToJpeg(const QByteArray& bmp, QIODevice& out, std::uint8_t quality,
                             std::int16_t progressive);

} // namespace folivo
