// A GIF with more frames than are read from one file: the frames past the limit are left out,
// and every reader that drops them says so, so that neither the window nor the exporter
// loses frames without a word.
#include <gtest/gtest.h>

#include <wx/ffile.h>

#include "core/gif/gif_frame_reader.h"
#include "core/gif/gif_geometry.h"
#include "core/jobs/image_load_thread.h"
#include "core/export/input_frames.h"
#include "support/temp_dir.h"
#include "support/gif_bytes_builder.h"

using namespace giftest;

namespace {

wxString WriteGifOf(const TempDir& dir, unsigned frames)
{
    const std::vector<HandImage> images(frames, HandImage{0, 0, 1, 1, 0, -1, 1, false, {1}});
    const std::vector<uint8_t> bytes = HandGif(1, 1, {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255}, images);
    const wxString path = dir.File(wxString::Format("f%u.gif", frames));
    wxFFile file(path, "wb");
    EXPECT_TRUE(file.Write(bytes.data(), bytes.size()));
    return path;
}

class CountingSink : public LoadSink {
public:
    void Loaded(const wxString&, int, int, int, std::unique_ptr<wxImage>) override { ++frames; }
    void Finished() override {}
    void FramesLeftOut(const wxString& path, int percent) override
    {
        leftOut.push_back(path);
        framesBeforeLeftOut = frames;
        EXPECT_LT(percent, 100);
    }

    unsigned frames = 0;
    unsigned framesBeforeLeftOut = 0;
    std::vector<wxString> leftOut;
};

} // namespace

TEST(GifFrameLimit, FramesPastTheLimitAreLeftOutAndToldByEveryReader)
{
    TempDir dir;
    for (const unsigned frames : {kGifMaxFrames, kGifMaxFrames + 1}) {
        const bool over = frames > kGifMaxFrames;
        const wxString path = WriteGifOf(dir, frames);

        GifFrameReader reader;
        wxString reason;
        ASSERT_TRUE(reader.Open(path, &reason)) << reason;
        EXPECT_EQ(reader.Count(), kGifMaxFrames) << frames;
        EXPECT_EQ(reader.FramesLeftOut(), over) << frames;
        EXPECT_TRUE(reader.Damage().empty()) << reader.Damage();

        // The exporter's inputs: a whole GIF is told, a frame reference into it is not.
        InputFileFrames whole({path});
        ASSERT_TRUE(whole.Scan(false, reason)) << reason;
        EXPECT_EQ(whole.Count(), static_cast<int>(kGifMaxFrames));
        EXPECT_EQ(whole.FramesLeftOut(), over ? std::vector<wxString>{path} : std::vector<wxString>{});
        InputFileFrames one({path + "_3"}, true);
        ASSERT_TRUE(one.Scan(false, reason)) << reason;
        EXPECT_TRUE(one.FramesLeftOut().empty());

        // The window's loader: told once, before the frames.
        CountingSink sink;
        LoadImageBatch(wxArrayString(1, &path), sink, [] { return false; });
        EXPECT_EQ(sink.frames, kGifMaxFrames);
        EXPECT_EQ(sink.leftOut, over ? std::vector<wxString>{path} : std::vector<wxString>{});
        EXPECT_EQ(sink.framesBeforeLeftOut, 0u);
    }
}
