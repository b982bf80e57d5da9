// What the animated PNG tests share: frames made in code, files written to memory, files taken
// apart into chunks and put together again (to damage one), and pictures compared as RGBA.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <wx/image.h>
#include <wx/mstream.h>

#include "core/base/byte_order.h"
#include "core/formats/apng_decoder.h"
#include "core/formats/apng_encoder.h"
#include "core/formats/png_chunks.h"

namespace apngtest {

using Bytes = std::vector<uint8_t>;

// A frame of w x h whose pixels depend on x, y and n; with alpha, a clear corner, a half
// covered band and coloured pixels under both, so that nothing but exact bytes compares equal.
// A square of 3 x 3 moves with n, so that frames differ in a small rectangle.
inline wxImage PatternFrame(int w, int h, int n, bool alpha)
{
    wxImage image(w, h, false);
    if (alpha)
        image.SetAlpha();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool square = x >= n % w && x < n % w + 3 && y >= n % h && y < n % h + 3;
            image.SetRGB(x, y, (x * 37 + y * 11) & 0xFF, square ? 255 : (y * 53) & 0xFF,
                         square ? n * 40 : (x ^ y) & 0xFF);
            if (alpha)
                image.SetAlpha(x, y, square ? 255 : x + y < 3 ? 0 : y % 8 == 1 ? 128 : 255);
        }
    return image;
}

// The picture as RGBA, 255 where it has no alpha channel.
inline Bytes Rgba(const wxImage& image)
{
    Bytes out;
    for (int y = 0; y < image.GetHeight(); ++y)
        for (int x = 0; x < image.GetWidth(); ++x)
            out.insert(out.end(), {image.GetRed(x, y), image.GetGreen(x, y), image.GetBlue(x, y),
                                   image.HasAlpha() ? image.GetAlpha(x, y) : uint8_t{255}});
    return out;
}

struct Written {
    Bytes bytes;
    std::string error;  // empty when every call succeeded
};

// frames written by the encoder, one delay each (10 when delays is short).
inline Written EncodeApng(const std::vector<wxImage>& frames, const std::vector<int>& delays,
                          int loops = 0, int effort = -1)
{
    wxMemoryOutputStream out;
    AnimationEncoding encoding;
    encoding.width = frames.front().GetWidth();
    encoding.height = frames.front().GetHeight();
    encoding.frameCount = static_cast<int>(frames.size());
    encoding.loopCount = loops;
    encoding.effort = effort;
    ApngEncoder encoder;
    Written written;
    bool ok = encoder.Begin(out, encoding, written.error);
    for (size_t i = 0; ok && i < frames.size(); ++i)
        ok = encoder.Add(frames[i], i < delays.size() ? delays[i] : 10, written.error);
    ok = ok && encoder.Finish(written.error);
    written.bytes.resize(out.GetLength());
    out.CopyTo(written.bytes.data(), written.bytes.size());
    return written;
}

struct Chunk {
    std::string type;
    Bytes data;
};

// The chunks after the signature; the file must be whole.
inline std::vector<Chunk> Chunks(const Bytes& file)
{
    std::vector<Chunk> chunks;
    for (size_t at = 8; at + 12 <= file.size();) {
        const uint32_t length = Big32(&file[at]);
        chunks.push_back({std::string(file.begin() + at + 4, file.begin() + at + 8),
                          Bytes(file.begin() + at + 8, file.begin() + at + 8 + length)});
        at += 12 + length;
    }
    return chunks;
}

// The file of these chunks, each with its right CRC.
inline Bytes Assemble(const std::vector<Chunk>& chunks)
{
    Bytes file(kPngSignature.begin(), kPngSignature.end());
    for (const Chunk& c : chunks) {
        const PngBytes bytes = PngChunk(c.type.c_str(), c.data.data(), c.data.size());
        file.insert(file.end(), bytes.begin(), bytes.end());
    }
    return file;
}

// Every frame decoded; fails the test at the first that doesn't.
inline std::vector<wxImage> DecodeAll(ApngDecoder& decoder)
{
    std::vector<wxImage> frames(decoder.Count());
    for (unsigned i = 0; i < decoder.Count(); ++i)
        EXPECT_TRUE(decoder.Frame(i, frames[i])) << "frame " << i << ": " << decoder.Error();
    return frames;
}

} // namespace apngtest
