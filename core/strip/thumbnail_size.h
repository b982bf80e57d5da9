// The sizes the strip's thumbnails come in, as the user picks them (the View menu, Ctrl with
// the mouse wheel) and as the settings file remembers them.
#pragma once

enum class ThumbnailSize { Small = 0, Medium = 1, Large = 2 };

constexpr ThumbnailSize kDefaultThumbnailSize = ThumbnailSize::Medium;

// The side of the square box a thumbnail is fitted into, in pixels.
int ThumbnailSide(ThumbnailSize size);
// The size steps notches of the wheel away (> 0 larger, < 0 smaller), stopping at either end.
ThumbnailSize StepThumbnailSize(ThumbnailSize size, int steps);
// The size a settings value stands for; anything unknown (a damaged or newer file) gives the
// default.
ThumbnailSize ThumbnailSizeFromSetting(long value);
long ThumbnailSizeSetting(ThumbnailSize size);
