// How a size-limited export goes down from a file that was too long to the next try, as plain
// arithmetic on sizes: fewer colours first (a lower quality), then a smaller canvas.
#pragma once

#include <cstdint>
#include <optional>

#include <wx/gdicmn.h>

// Below this quality the colours get too few to keep the look; a smaller picture looks better.
constexpr int kSizeLimitLowestQuality = 40;

// One try of a size-limited export.
struct SizeStep {
    int quality = 100;
    wxSize canvas;
};

// canvas times factor, each side rounded and at least 1.
wxSize ScaledCanvas(const wxSize& canvas, double factor);

// The smallest canvas a size-limited export goes down to: a quarter of full each way, but
// not below 16 pixels (nor above full).
wxSize SmallestCanvas(const wxSize& full);

// The length of a whole file of count frames from a try stopped after frames of them had
// made written bytes, first of them the header and first frame: the others at the mean of
// those written. The first frame apart, since in an optimised file it alone is whole.
uint64_t ProjectedLength(uint64_t first, uint64_t written, int frames, int count);

// The next try after tried made a file of bytes, longer than limit, for a canvas of full at
// most; nothing when tried was already the smallest. The measured ratio picks the step: a
// file a little too long loses a little quality, one far too long goes to the lowest quality
// at once; at the lowest quality the canvas shrinks by the square root of the ratio (file
// length goes with the area), by at least a tenth each way, with a margin so one more try
// usually suffices.
std::optional<SizeStep> NextSizeStep(const SizeStep& tried, uint64_t bytes, uint64_t limit,
                                     const wxSize& full);
