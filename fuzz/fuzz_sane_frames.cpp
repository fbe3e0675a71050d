// Frames as a scanner might send them: any parameters, any bytes, in any pieces.
// The decoder must refuse what makes no image and never read or write out of bounds.
#include "frame_decoder.h"
#include "sane_option.h"

#include <algorithm>
#include <cstdint>

namespace {

int Take(const std::uint8_t*& data, std::size_t& size, int bytes) {
    int v = 0;
    for (int i = 0; i < bytes && size > 0; ++i, ++data, --size)
        v = (v << 8) | *data;
    return v;
}

folivo::FrameParams Params(const std::uint8_t*& data, std::size_t& size) {
    folivo::FrameParams p;
    const int head = Take(data, size, 1);
    p.format = static_cast<folivo::FrameFormat>(head % 5);
    p.lastFrame = (head & 0x80) != 0;
    static constexpr int kDepths[] = {1, 8, 16, 4};
    p.depth = kDepths[(head >> 3) & 3];
    p.pixelsPerLine = Take(data, size, 2) - 8;
    p.bytesPerLine = Take(data, size, 2) - 8;
    p.lines = Take(data, size, 2) - 2;
    return p;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    folivo::PageAssembler page;
    const int frames = 1 + Take(data, size, 1) % 4;
    for (int f = 0; f < frames && size > 0; ++f) {
        if (page.beginFrame(Params(data, size)) != folivo::DecodeError::None)
            break;
        // Pieces of the frame, each announced by a length byte.
        for (int piece = 0; piece < 8 && size > 0; ++piece) {
            const std::size_t n = std::min<std::size_t>(size, std::size_t(Take(data, size, 1)) * 7);
            if (page.feed(data, n) != folivo::DecodeError::None)
                break;
            data += n;
            size -= n;
        }
        page.endFrame();
    }
    if (const auto img = page.takeImage(300)) {
        volatile int sink = int(img->pixel(0, 0) & 0xff) + img->width() + img->height();
        (void)sink;
    }
    return 0;
}
