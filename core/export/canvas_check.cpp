#include "core/export/canvas_check.h"

#include "core/input/image_header.h"
#include "core/picture/picture_limit.h"

ExportFailure CheckCanvas(const wxSize& canvas, uint64_t available)
{
    ExportFailure failure;
    failure.canvas = canvas;
    if (!WithinPictureLimit(canvas)) {
        failure.kind = ExportFailure::Kind::BadCanvas;
        return failure;
    }
    const uint64_t needed = uint64_t(canvas.x) * uint64_t(canvas.y) * kCanvasBytesPerPixel;
    if (available != 0 && needed > available) {
        failure.kind = ExportFailure::Kind::CanvasMemory;
        failure.needed = needed;
        failure.available = available;
    }
    return failure;
}
