#include "core/input/load_estimate.h"

#include <map>
#include <memory>

#include <wx/filefn.h>

#include "core/input/frame_reference.h"
#include "core/gif/gif_frame_reader.h"
#include "core/picture/picture_limit.h"
#include "core/base/readable_file.h"
#include "core/input/image_header.h"
#include "core/video/video_decoder.h"
#include "core/video/video_geometry.h"
#include "core/video/video_reference.h"

uint64_t FrameMemoryCost(const wxSize& size)
{
    const uint64_t thumbnail = 80 * 80 * 4;
    return uint64_t(size.GetWidth()) * uint64_t(size.GetHeight()) * 4 + thumbnail;
}

namespace {
// What a GIF holds, read once per file however many of its frames the entries name: a
// project of a long GIF names every frame, and walking the file for each would take minutes.
struct GifShape {
    unsigned count = 0;
    wxSize screen;
};

const GifShape& ShapeOf(const wxString& path, std::map<wxString, GifShape>& known)
{
    auto found = known.find(path);
    if (found != known.end())
        return found->second;
    GifShape shape;
    GifFrameReader reader;
    if (reader.Open(path, nullptr)) {
        shape.count = reader.Count();
        shape.screen = reader.ScreenSize();
    }
    return known.emplace(path, shape).first->second;
}

// A video's picture on screen, read once per file however many of its frames the entries
// name, from its headers alone (this runs before a load starts); 0 x 0 when it can't be read.
wxSize DisplayOf(const wxString& video, std::map<wxString, wxSize>& known)
{
    auto found = known.find(video);
    if (found != known.end())
        return found->second;
    wxString reason;
    const std::unique_ptr<VideoDecoder> decoder =
        CheckReadable(video, nullptr)
            ? VideoDecoder::Open(video, reason, VideoProbe::PictureSize)
            : nullptr;
    return known.emplace(video, decoder ? decoder->Info().display : wxSize()).first->second;
}

// A GIF's frames: all of them, or the one a frame reference names.
LoadEstimate GifEstimate(const GifShape& shape, int frame)
{
    LoadEstimate estimate;
    estimate.frames = frame < 0 ? shape.count : (unsigned(frame) < shape.count ? 1 : 0);
    estimate.bytes = estimate.frames * FrameMemoryCost(shape.screen);
    return estimate;
}
}

LoadEstimate EstimateLoad(const wxArrayString& entries)
{
    LoadEstimate total;
    std::map<wxString, GifShape> gifs;
    std::map<wxString, wxSize> videos;
    for (const wxString& entry : entries) {
        const int frame = GetGifFrameIndex(entry);
        const wxString path = StripGifFrameSuffix(entry);
        LoadEstimate one;
        const auto video = frame < 0 && !wxFileExists(path) ? ParseVideoReference(path)
                                                             : std::nullopt;
        if (video) {
            const wxSize display = DisplayOf(video->video, videos);
            if (display != wxSize()) {
                total.frames += 1;
                total.bytes += FrameMemoryCost(VideoFrameSize(display, video->width));
            }
            continue;
        }
        if (!CheckReadable(path, nullptr))
            continue;
        if (IsGifPath(path)) {
            one = GifEstimate(ShapeOf(path, gifs), frame);
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
