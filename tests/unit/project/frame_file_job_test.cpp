// The worker that writes a save's frame files: lossless pictures, copies, and a failure that
// names the file and leaves nothing behind.
#include <gtest/gtest.h>
#include <wx/dir.h>
#include <wx/ffile.h>
#include <wx/filefn.h>

#include "core/project/frame_file_job.h"
#include "support/temp_dir.h"
#include "support/string_list.h"
#include "support/test_images.h"

TEST(FrameFileJob, WritesLosslessPicturesAndCopiesOnBothCores)
{
    TempDir dir;
    std::vector<FrameFileTask> tasks;
    std::vector<wxImage> images;
    for (int i = 0; i < 6; ++i) {
        wxImage image = PhotoLikeImage(64, 48, i);
        if (i == 1) {
            image.InitAlpha();
            image.GetAlpha()[5] = 0;
        }
        images.push_back(image);
        tasks.push_back({PictureOf(image), "", dir.File(wxString::Format("%04d.png", i + 1))});
    }
    FrameFileJob job(tasks);
    const FrameFileOutcome outcome = job.Wait();
    ASSERT_TRUE(outcome.ok) << outcome.file << ": " << outcome.reason;
    for (size_t i = 0; i < images.size(); ++i)
        EXPECT_TRUE(SamePixels(wxImage(tasks[i].target, wxBITMAP_TYPE_PNG), images[i])) << i;

    FrameFileJob copy({{nullptr, tasks[1].target, dir.File("copy.png")}});
    ASSERT_TRUE(copy.Wait().ok);
    EXPECT_TRUE(SamePixels(wxImage(dir.File("copy.png"), wxBITMAP_TYPE_PNG), images[1]));
}

TEST(FrameFileJob, AFailureNamesTheFileAndTakesAwayWhatTheJobWrote)
{
    TempDir dir;
    // A file where the folder should be: nothing can be made in it.
    wxFFile(dir.File("blocked"), "w").Close();
    std::vector<FrameFileTask> tasks;
    for (int i = 0; i < 4; ++i)
        tasks.push_back({PictureOf(GradientImage(16, 16, i)), "",
                         dir.File(wxString::Format("%04d.png", i + 1))});
    tasks.push_back({PictureOf(GradientImage(16, 16, 9)), "", dir.File("blocked/0005.png")});
    tasks.push_back({nullptr, dir.File("gone.png"), dir.File("0006.png")});

    FrameFileJob job(tasks);
    const FrameFileOutcome outcome = job.Wait();
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.cancelled);
    EXPECT_TRUE(outcome.file == dir.File("blocked/0005.png") || outcome.file == dir.File("0006.png"))
        << outcome.file;
    EXPECT_FALSE(outcome.reason.empty());
    wxArrayString left;
    wxDir::GetAllFiles(dir.Path(), &left);
    EXPECT_EQ(left, Strings({dir.File("blocked")})) << "only what was there before";
}
