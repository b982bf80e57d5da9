#include "src/window/load_estimate.h"

#include <fstream>
#include <sstream>

#include "src/window/frame_reference.h"
#include "src/window/gif_frame_reader.h"
#include "src/window/image_decode.h"
#include "src/window/image_header.h"

uint64_t FrameMemoryCost(const wxSize& size)
{
    const uint64_t thumbnail = 80 * 80 * 4;
    return uint64_t(size.GetWidth()) * uint64_t(size.GetHeight()) * 4 + thumbnail;
}

namespace {
// A GIF's frames: all of them, or the one a frame reference names.
LoadEstimate GifEstimate(const wxString& path, int frame)
{
    LoadEstimate estimate;
    GifFrameReader reader;
    if (!reader.Open(path, nullptr))
        return estimate;
    estimate.frames = frame < 0 ? reader.Count() : (unsigned(frame) < reader.Count() ? 1 : 0);
    estimate.bytes = estimate.frames * FrameMemoryCost(reader.ScreenSize());
    return estimate;
}
}

LoadEstimate EstimateLoad(const wxArrayString& entries)
{
    LoadEstimate total;
    for (const wxString& entry : entries) {
        const int frame = GetGifFrameIndex(entry);
        const wxString path = StripGifFrameSuffix(entry);
        if (!CheckReadable(path, nullptr))
            continue;
        LoadEstimate one;
        if (IsGifPath(path)) {
            one = GifEstimate(path, frame);
        } else {
            const ImageHeader header = ReadImageHeader(path);
            if (WithinPictureLimit(header.size)) {
                one.frames = 1;
                one.bytes = FrameMemoryCost(header.size);
            }
        }
        total.frames += one.frames;
        total.bytes += one.bytes;
    }
    return total;
}

uint64_t ParseMemAvailable(const std::string& meminfo)
{
    std::istringstream lines(meminfo);
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string name, unit;
        uint64_t value = 0;
        if (fields >> name >> value >> unit && name == "MemAvailable:" && unit == "kB")
            return value * 1024;
    }
    return 0;
}

uint64_t AvailableMemory()
{
    std::ifstream file("/proc/meminfo");
    std::stringstream text;
    text << file.rdbuf();
    return ParseMemAvailable(text.str());
}
