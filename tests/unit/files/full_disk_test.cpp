// A full disk is reported as what it is, never as a generic input/output error, and the
// previous file survives. Needs a small tmpfs; skipped where mounting one isn't permitted.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include <sys/mount.h>

#include <wx/dir.h>
#include <wx/filefn.h>
#include <wx/filename.h>

#include "core/files/atomic_file.h"
#include "core/project/project_file.h"
#include "core/export/gif_export.h"
#include "support/temp_dir.h"
#include "support/test_images.h"
#include "support/gif_test_helpers.h"

namespace {
// A 64 KiB tmpfs mounted on a fresh folder for the life of the object.
class SmallDisk {
public:
    SmallDisk() : m_path(m_dir.File("disk"))
    {
        m_mounted = wxMkdir(m_path) &&
                    ::mount("tmpfs", m_path.fn_str(), "tmpfs", 0, "size=64k") == 0;
    }
    ~SmallDisk()
    {
        if (m_mounted)
            ::umount2(m_path.fn_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return m_mounted; }
    wxString File(const wxString& name) const { return m_path + "/" + name; }
    size_t Entries() const
    {
        wxArrayString files;
        return wxDir::GetAllFiles(m_path, &files, wxEmptyString, wxDIR_FILES | wxDIR_HIDDEN);
    }

private:
    TempDir m_dir;
    wxString m_path;
    bool m_mounted = false;
};

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
