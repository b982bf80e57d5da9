// Writers of animation files other than GIF: frames given one at a time, in order, all of one
// size, and the bytes written to a stream the caller opened (the atomic writer's). The export
// driver composes the frames exactly as for a GIF and feeds one of these.
#pragma once

#include <string>

#include <wx/image.h>
#include <wx/stream.h>

struct AnimationEncoding {
    int width = 0;          // every frame's size, 1..16384 each way
    int height = 0;
    int frameCount = 0;     // how many Add calls follow
    int loopCount = 0;      // 0 forever, 1 once, N times (the GIF export's meaning)
    int quality = 100;      // 1..100, the GIF export's scale: lower means smaller
    bool lossless = false;  // WebP: lossless coding (APNG is always lossless; video ignores it)
    int effort = -1;        // compression effort or speed preset, 0..100; -1: the type's default
};

class AnimationEncoder {
public:
    virtual ~AnimationEncoder() = default;
    // Starts the file in out, which stays open and is the caller's to close. False with error
    // (one English sentence, no file name) when it can't.
    virtual bool Begin(wxOutputStream& out, const AnimationEncoding& encoding,
                       std::string& error) = 0;
    // The next frame: an RGB image of the encoding's size, with an alpha channel when some of
    // its pixels are clear (a transparent background); delay in hundredths of a second,
    // 0..65535, as the GIF export writes it.
    virtual bool Add(const wxImage& frame, int delay, std::string& error) = 0;
    // Ends the file: after true, every byte is in out.
    virtual bool Finish(std::string& error) = 0;
};
