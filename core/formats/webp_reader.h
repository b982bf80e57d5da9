// Animated (and still) WebP files read into whole frames: every frame composited on the
// canvas as a player shows it, with its delay and the file's loop count. The bytes are checked
// against the picture limit and the memory given before any decoder runs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <wx/image.h>

struct WebPAnimation {
    int width = 0;
    int height = 0;
    int loopCount = 0;             // 0 forever, N plays
    std::vector<wxImage> frames;   // RGB, with alpha when some pixel of the frame is not opaque
    std::vector<int> delays;       // hundredths of a second, rounded; 0 for a zero-length frame
};

// Whether bytes begin as a WebP file does ("RIFF", a length, "WEBP").
bool LooksLikeWebP(const uint8_t* bytes, size_t size);

// Reads the WebP file in bytes. available is the memory the frames may take (4 bytes a pixel
// of each; 0: unknown, nothing is refused for memory). False with error (one English
// sentence without the file's name) when the bytes are no WebP, are cut short or damaged, or
// the canvas or its frames are beyond the limits.
bool ReadWebPAnimation(const uint8_t* bytes, size_t size, uint64_t available,
                       WebPAnimation& animation, std::string& error);
