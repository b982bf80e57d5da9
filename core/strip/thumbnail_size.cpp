#include "core/strip/thumbnail_size.h"

#include <algorithm>

int ThumbnailSide(ThumbnailSize size)
{
    switch (size) {
    case ThumbnailSize::Small:
        return 64;
    case ThumbnailSize::Large:
        return 128;
    case ThumbnailSize::Medium:
        break;
    }
    return 80;
}

ThumbnailSize StepThumbnailSize(ThumbnailSize size, int steps)
{
    const int stepped = static_cast<int>(size) + std::clamp(steps, -2, 2);
    return static_cast<ThumbnailSize>(std::clamp(stepped, 0, 2));
}

ThumbnailSize ThumbnailSizeFromSetting(long value)
{
    return value >= 0 && value <= 2 ? static_cast<ThumbnailSize>(value) : kDefaultThumbnailSize;
}

long ThumbnailSizeSetting(ThumbnailSize size)
{
    return static_cast<long>(size);
}
