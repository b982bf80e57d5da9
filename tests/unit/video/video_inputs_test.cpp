// Video clips among an export's inputs: a clip gives the frames of the sampling with delays
// from its rate, a project's video frame names give their one frame each.
#include <gtest/gtest.h>

#include "core/export/input_frames.h"
#include "core/video/video_reference.h"
#include "support/frame_files.h"
#include "support/temp_dir.h"
#include "support/video_clips.h"

namespace {

std::vector<wxImage> AllFrames(InputFileFrames& frames)
{
    std::vector<wxImage> out;
    for (int i = 0; i < frames.Count(); ++i) {
        wxImage frame;
        FrameError error;
        EXPECT_TRUE(frames.Frame(i, frame, error)) << error.reason;
        out.push_back(frame);
    }
    return out;
}

} // namespace

TEST(VideoInputs, ClipsGiveSampledFramesBesidePicturesAndReferencesGiveOne)
{
    if (!HaveFfmpeg())
        GTEST_SKIP() << "ffmpeg is not installed";
    TempDir dir;
    const wxString clip = dir.File("clip.mp4");
    const wxString picture = WritePicture(dir, "still.png", 40, 30);
    ASSERT_TRUE(MakeNumberedClip(clip, 3));

    InputFileFrames frames({picture, clip});
    frames.SetVideoSampling({1, 2, 15}, 80);
    wxString error;
    ASSERT_TRUE(frames.Scan(true, error)) << error;
    ASSERT_EQ(frames.Count(), 16);
    EXPECT_EQ(frames.FrameSizes()[0], wxSize(40, 30));
    EXPECT_EQ(frames.FrameSizes()[15], wxSize(80, 60));
    EXPECT_EQ(frames.FrameDelays()[0], -1);
    EXPECT_EQ(std::vector<int>(frames.FrameDelays().begin() + 1, frames.FrameDelays().begin() + 4),
              (std::vector<int>{7, 7, 6}));
    const std::vector<wxImage> decoded = AllFrames(frames);
    for (int k = 0; k < 15; ++k) {
        EXPECT_EQ(decoded[1 + k].GetSize(), wxSize(80, 60));
        EXPECT_EQ(PictureNumber(decoded[1 + k]), 30 + 2 * k) << k;
    }

    // As a project names them: one frame each, the common delay, any order.
    InputFileFrames named({FormatVideoReference({clip, 2500, 160}),
                           FormatVideoReference({clip, 500, 80})},
                          true);
    ASSERT_TRUE(named.Scan(true, error)) << error;
    ASSERT_EQ(named.Count(), 2);
    EXPECT_EQ(named.FrameDelays(), (std::vector<int>{-1, -1}));
    EXPECT_EQ(named.FrameSizes()[0], wxSize(160, 120));
    const std::vector<wxImage> two = AllFrames(named);
    EXPECT_EQ(PictureNumber(two[0]), 75);
    EXPECT_EQ(PictureNumber(two[1]), 15);
    EXPECT_EQ(two[1].GetSize(), wxSize(80, 60));

    // A start after the clip's end, and a missing clip, are told by name.
    InputFileFrames late({clip});
    late.SetVideoSampling({5, 6, 10}, 0);
    EXPECT_FALSE(late.Scan(false, error));
    EXPECT_NE(error.Find("clip.mp4"), wxNOT_FOUND);
    EXPECT_NE(error.Find("shorter than the start"), wxNOT_FOUND) << error;
    InputFileFrames gone({FormatVideoReference({dir.File("gone.mp4"), 0, 80})}, true);
    EXPECT_FALSE(gone.Scan(false, error));
}
