// A full disk is reported as what it is, never as a generic input/output error, and the
// previous file survives. Needs a small tmpfs; skipped where mounting one isn't permitted.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>

#include "core/files/atomic_file.h"
#include "core/project/project_file.h"
#include "core/export/gif_export.h"
#include "support/small_disk.h"
#include "support/test_images.h"
#include "support/gif_test_helpers.h"

namespace {
const wxString kNoSpace = std::strerror(ENOSPC);
}

TEST(FullDisk, EveryWriterSaysNoSpaceAndKeepsThePreviousFile)
{
    SmallDisk disk;
    if (!disk.Mounted())
        GTEST_SKIP() << "can't mount a tmpfs here: " << std::strerror(errno);
    giftest::QuietTrace quiet;
    const wxString target = disk.File("out.gif");
    ASSERT_TRUE(WriteFileAtomically(target, "old", 3, nullptr));

    const std::vector<char> big(256 * 1024, 'x');
    wxString error;
    EXPECT_FALSE(WriteFileAtomically(target, big.data(), big.size(), &error));
    EXPECT_TRUE(error.Contains(kNoSpace)) << error;

    GifExportOptions options;
    options.canvas = wxSize(320, 240);
    std::vector<wxImage> frames;
    for (int seed = 0; seed < 6; ++seed)
        frames.push_back(PhotoLikeImage(320, 240, seed));
    const GifExportResult result = ExportGif(std::move(frames), target, options);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.failure.kind, ExportFailure::Kind::OutputWrite);
    EXPECT_EQ(result.failure.reason, kNoSpace);

    ProjectData data;
    data.width = data.height = data.delay = 10;
    for (int i = 0; i < 2000; ++i)
        data.frames.Add(wxString::Format("/a/long/folder/name/for/frame/number/%06d.png", i));
    ExportFailure failure;
    EXPECT_FALSE(WriteProjectFile(target, data, &error, &failure));
    EXPECT_TRUE(error.Contains(kNoSpace)) << error;
    EXPECT_EQ(failure.reason, kNoSpace);

    EXPECT_EQ(disk.Entries(), 1u);
    EXPECT_EQ(wxFileName::GetSize(target), 3u);
}
