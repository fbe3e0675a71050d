#include "page_reader.h"

#include <vector>

namespace folivo {

namespace {

constexpr SANE_Int kReadChunk = 256 * 1024;

PageReadResult Failed(SANE_Status status) {
    return PageReadResult{status, false, std::nullopt};
}

PageReadResult BadData() {
    return PageReadResult{SANE_STATUS_INVAL, true, std::nullopt};
}

} // namespace

std::optional<FrameParams> ToFrameParams(const SANE_Parameters& p) {
    FrameParams f;
    switch (p.format) {
    case SANE_FRAME_GRAY:
        f.format = FrameFormat::Gray;
        break;
    case SANE_FRAME_RGB:
        f.format = FrameFormat::Rgb;
        break;
    case SANE_FRAME_RED:
        f.format = FrameFormat::Red;
        break;
    case SANE_FRAME_GREEN:
        f.format = FrameFormat::Green;
        break;
    case SANE_FRAME_BLUE:
        f.format = FrameFormat::Blue;
        break;
    default:
        return std::nullopt;
    }
    f.lastFrame = p.last_frame != SANE_FALSE;
    f.bytesPerLine = p.bytes_per_line;
    f.pixelsPerLine = p.pixels_per_line;
    f.lines = p.lines < 0 ? -1 : p.lines;
    f.depth = p.depth;
    return f;
}

PageReadResult ReadPage(const SaneEntries& sane, SANE_Handle handle, double dpi,
                        ReadProgress& progress) {
    PageAssembler page;
    std::vector<SANE_Byte> buffer(kReadChunk);
    bool first = true;
    while (!page.isComplete()) {
        if (progress.cancelled)
            return Failed(SANE_STATUS_CANCELLED);
        SANE_Status status = sane.startFrame(handle);
        progress.cancelNotBefore =
            (std::chrono::steady_clock::now() + kReaderSettle).time_since_epoch().count();
        if (status != SANE_STATUS_GOOD)
            return Failed(status);
        SANE_Parameters raw{};
        status = sane.frameParameters(handle, &raw);
        if (status != SANE_STATUS_GOOD)
            return Failed(status);
        const std::optional<FrameParams> params = ToFrameParams(raw);
        if (!params || page.beginFrame(*params) != DecodeError::None)
            return BadData();
        if (first)
            progress.bytesExpected = ExpectedPageBytes(*params);
        first = false;
        for (;;) {
            if (progress.cancelled)
                return Failed(SANE_STATUS_CANCELLED);
            SANE_Int length = 0;
            status = sane.readData(handle, buffer.data(), kReadChunk, &length);
            // Once the user cancelled, whatever the read answers (an error, a short end of
            // frame) is the cancel taking effect, never a device fault or a finished page.
            if (progress.cancelled)
                return Failed(SANE_STATUS_CANCELLED);
            if (status == SANE_STATUS_EOF)
                break;
            if (status != SANE_STATUS_GOOD)
                return Failed(status);
            if (length < 0 || length > kReadChunk)
                return BadData();
            const DecodeError fed = page.feed(buffer.data(), static_cast<std::size_t>(length));
            if (fed == DecodeError::TooLarge)
                return Failed(SANE_STATUS_NO_MEM);
            progress.bytesDone += length;
        }
        page.endFrame();
    }
    if (progress.cancelled)
        return Failed(SANE_STATUS_CANCELLED);
    PageReadResult result;
    result.image = page.takeImage(dpi);
    if (!result.image)
        return BadData();
    return result;
}

} // namespace folivo
