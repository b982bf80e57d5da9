// Animated WebP files, written by libwebp's animation encoder: each frame timed by its start
// in milliseconds, the loop count kept, clear pixels kept as alpha, lossy or lossless.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "core/formats/animation_encoder.h"

// What the export's 1..100 means to libwebp's lossy coder: 100 gives 80, where photographs
// show no loss to the eye at a third of the size 100 would give, and 1 gives 5.
float WebPLossyQuality(int quality);
// libwebp's method 0..6 for an effort of 0..100; -1 gives libwebp's own default, 4.
int WebPMethod(int effort);
// The file's loop count for the export's: 0 forever and N plays mean the same in WebP, held
// to the 16 bits the file has.
int WebPLoopCount(int loopCount);

class WebPEncoder : public AnimationEncoder {
public:
    WebPEncoder();
    ~WebPEncoder() override;
    bool Begin(wxOutputStream& out, const AnimationEncoding& encoding,
               std::string& error) override;
    bool Add(const wxImage& frame, int delay, std::string& error) override;
    bool Finish(std::string& error) override;

private:
    struct Coder;
    std::unique_ptr<Coder> m_coder;
    wxOutputStream* m_out = nullptr;
    AnimationEncoding m_encoding;
    int m_added = 0;
    int64_t m_timestamp = 0;  // where the next frame starts, in milliseconds
};
