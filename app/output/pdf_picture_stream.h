#pragma once
// The one way a page picture becomes the data of its PDF image stream (internal to
// app/output): the exporter calls it for pages it encodes itself, the stream cache for
// sheets it encodes ahead, so both give the same bytes.
#include "pdf_image_filters.h"
#include "pdf_job_queue.h"
#include "pdf_picture_source.h"

namespace folivo {

JobResult EncodePicture(const PagePicture& picture, const PicturePlan& plan,
                        const ImageEncoding& encoding);

} // namespace folivo
