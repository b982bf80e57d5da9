// The largest values the GIF format holds: its sizes, delays and repeat count are 16-bit
// fields. What this program reads back is held to a smaller side (kMaxPictureSide).
#pragma once

// The largest width or height of a GIF's logical screen or of an image on it.
constexpr int kGifMaxSide = 65535;

// The longest delay of a frame, in hundredths of a second.
constexpr int kGifMaxDelay = 65535;

// The most times an animation can be asked to play: the looping extension's repeat count
// counts the plays after the first.
constexpr int kGifMaxLoopCount = 65536;
