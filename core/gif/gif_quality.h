// What the export's quality setting (1..100) trades for a smaller file, as plain numbers.
#pragma once

struct GifQualitySettings {
    int colours = 256;       // the most palette entries one frame may use, 2..256
    float dithering = 1.0f;  // the reducer's error diffusion, 0 (none) to 1 (full)
    // The squared error per changed pixel that a reused palette may add over the frame's own
    // reduction before the optimised writer gives it up (see ReusePalette).
    int reusePerPixel = 2;
    // Optimised files: a pixel whose red, green and blue are each within this of what is
    // already on screen counts as unchanged. 0 keeps the differencing lossless.
    int stillTolerance = 0;
};

// The settings for quality, held in 1..100. 100 gives the defaults above, the output of
// earlier versions; lower ones drop colours, dithering and exactness gradually, so that each
// step down shortens the file a little and changes the look a little.
GifQualitySettings QualitySettings(int quality);
