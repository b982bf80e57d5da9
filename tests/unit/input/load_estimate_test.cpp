#include <gtest/gtest.h>

#include <vector>

#include "core/input/load_estimate.h"
#include "support/temp_dir.h"
#include "support/test_images.h"
#include "core/base/available_memory.h"

TEST(LoadEstimate, FramesAndBytesComeFromTheHeadersAlone)
{
    TempDir dir;
    const wxString png = dir.File("p.png");
    ASSERT_TRUE(WriteImage(SolidImage(64, 48, 1, 2, 3), png, wxBITMAP_TYPE_PNG));
    std::vector<wxImage> frames(5, SolidImage(40, 30, 9, 9, 9));
    const wxString gif = dir.File("a.gif");
    ASSERT_TRUE(WriteAnimatedGif(gif, frames.data(), 5));

    wxArrayString entries;
    entries.Add(png);
    entries.Add(gif);
    entries.Add(gif + "_2");
    entries.Add(gif + "_99");
    entries.Add(dir.File("missing.png"));
    const LoadEstimate estimate = EstimateLoad(entries);
    EXPECT_EQ(estimate.frames, 1u + 5u + 1u);
    EXPECT_EQ(estimate.bytes, FrameMemoryCost(wxSize(64, 48)) + 6 * FrameMemoryCost(wxSize(40, 30)));
}

TEST(LoadEstimate, AFrameCostsItsBitmapAndThumbnail)
{
    // About 1.1 MiB for 640 x 480, as measured in the window.
    EXPECT_EQ(FrameMemoryCost(wxSize(640, 480)), 640u * 480 * 4 + 80 * 80 * 4);
    // 5,000 frames of 1000 x 1000 need about 20 GB: no 32-bit overflow on the way.
    EXPECT_EQ(5000 * FrameMemoryCost(wxSize(1000, 1000)), 5000ull * (4000000 + 25600));
}

TEST(LoadEstimate, AvailableMemoryIsReadFromMeminfo)
{
    EXPECT_EQ(ParseMemAvailable("MemTotal:       24576000 kB\nMemFree:         1000 kB\n"
                                "MemAvailable:   12000000 kB\n"),
              12000000ull * 1024);
    EXPECT_EQ(ParseMemAvailable("MemTotal: 5 kB\n"), 0u);
    EXPECT_EQ(ParseMemAvailable(""), 0u);
}
