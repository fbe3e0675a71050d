#pragma once
// Turns the raw frames a scanner sends into the page image. Pure: no SANE calls.
//
// A page is one frame (grey or interleaved colour) or three single-channel frames
// (three-pass colour, any order; no more than three). Samples are 1, 8 or 16 bits; 16-bit samples
// are in the machine's byte order and keep their high byte. 1-bit grey is line-art (a set bit is
// black); in colour a set bit is full intensity. Lines are bytesPerLine apart; bytes past
// pixelsPerLine are padding. lines == -1 means the height is unknown (hand scanners).
// The image has a format the BMP writer takes as it is: RGB888 for colour, Indexed8 with
// a 256-entry grey palette for grey, Mono (index 0 white, 1 black) for line-art.
// A page that ends early keeps the lines received (a partial last line is filled with
// white); a page with no line at all is no page.
#include "mapped_bytes.h"

#include <QByteArray>
#include <QImage>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace folivo {

enum class FrameFormat { Gray, Rgb, Red, Green, Blue };

struct FrameParams {
    FrameFormat format = FrameFormat::Gray;
    bool lastFrame = true;
    int bytesPerLine = 0;
    int pixelsPerLine = 0;
    int lines = 0; // -1: unknown
    int depth = 8;
};

enum class DecodeError { None, BadParameters, FrameMismatch, TooLarge };

// Whether a frame's parameters can describe image lines at all.
bool IsValidFrame(const FrameParams& params);

// Bytes a page of these parameters needs when it is complete (0 when unknown).
qint64 ExpectedPageBytes(const FrameParams& first);

class PageAssembler {
public:
    // The largest image the assembler will hold, in bytes; larger pages fail TooLarge.
    static constexpr qint64 kMaxImageBytes = qint64(1) << 30;

    DecodeError beginFrame(const FrameParams& params);
    // Appends bytes of the current frame, in pieces of any size. Bytes beyond the
    // announced lines are dropped.
    DecodeError feed(const std::uint8_t* data, std::size_t size);
    // Ends the current frame: a partial line is kept, filled with white.
    void endFrame();
    bool isComplete() const { return m_complete; }
    // The page (nullopt when no line arrived). dpi goes into the image's resolution.
    std::optional<QImage> takeImage(double dpi);

private:
    bool reserveRows(qint64 rows);
    std::uint8_t* row(qint64 line);
    void finishLine();

    FrameParams m_first;
    FrameParams m_current;
    int m_frames = 0;
    bool m_started = false;
    bool m_inFrame = false;
    bool m_complete = false;
    QImage::Format m_format = QImage::Format_Invalid;
    int m_width = 0;
    qsizetype m_stride = 0;
    // m_capacityRows rows of m_stride bytes; rows below m_whiteRows are initialised.
    // A mapping of its own: rows cost memory only once written, and a page of unknown
    // height grows without copying.
    MappedBytes m_rows;
    qint64 m_capacityRows = 0;
    qint64 m_whiteRows = 0;
    qint64 m_pageRows = 0;            // lines the page holds so far
    qint64 m_frameLine = 0;           // line of the current frame being filled
    std::vector<std::uint8_t> m_line; // the current raw line
    std::size_t m_lineFill = 0;
};

struct RawFrame {
    FrameParams params;
    QByteArray data;
};

// The whole page from its frames at once (for tests and checks of captured data).
std::optional<QImage> DecodeFrames(std::span<const RawFrame> frames, double dpi);

} // namespace folivo
