#pragma once
// Turns a PagePicture into rows of PDF samples (internal to app/output).
//
// PlanPicture looks only at headers where it can (a BMP file's header and palette, a
// picture file's size and pixel format), so planning a long document costs little
// memory. ReadPictureRows then reads the picture again and hands each row, top first,
// to the callback; it answers Unreadable when the file no longer gives what the plan
// promised (gone, changed, broken), so a half-written stream is never passed off as good.
#include "bmp_rows.h"
#include "pdf_image_plan.h"

#include <QImage>
#include <functional>
#include <optional>

namespace folivo {

struct PagePicture;

struct PicturePlan {
    ImagePlan image;
    std::optional<BmpLayout> bmp;                   // set: rows are streamed from the BMP file
    QImage::Format qtFormat = QImage::Format_RGB32; // otherwise: the decoded picture's format
};

enum class RowsResult { Ok, Unreadable, OutOfMemory };

std::optional<PicturePlan> PlanPicture(const PagePicture& picture);

RowsResult ReadPictureRows(const PagePicture& picture, const PicturePlan& plan,
                           const std::function<void(const std::uint8_t*)>& row);

} // namespace folivo
