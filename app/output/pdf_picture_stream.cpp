#include "pdf_picture_stream.h"

namespace folivo {

JobResult EncodePicture(const PagePicture& picture, const PicturePlan& plan,
                        const ImageEncoding& encoding) {
    auto encoder = ImageStreamEncoder::create(plan.image.format, EncoderCompresses(encoding));
    if (!encoder)
        return {std::nullopt, JobError::OutOfMemory};
    const RowsResult rows =
        ReadPictureRows(picture, plan, [&](const std::uint8_t* row) { encoder->addRow(row); });
    if (rows != RowsResult::Ok)
        return {std::nullopt,
                rows == RowsResult::OutOfMemory ? JobError::OutOfMemory : JobError::Unreadable};
    auto bytes = encoder->finish();
    if (bytes)
        bytes = EncodeSamples(plan.image.format, encoding, std::move(*bytes));
    return {std::move(bytes), bytes ? JobError::None : JobError::OutOfMemory};
}

} // namespace folivo
