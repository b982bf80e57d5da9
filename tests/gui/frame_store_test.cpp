// Frames kept in the picture store's cache file, through the real window.
#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include "core/picture/picture_store.h"
#include "ui/strip/frame_strip.h"
#include "support/file_bytes.h"
#include "support/temp_dir.h"
#include "support/gui_helpers.h"
#include "support/test_images.h"

namespace {
// Four different photograph-like frames of 64 x 48.
wxArrayString FourFrames(const TempDir& dir)
{
    wxArrayString paths;
    for (int i = 0; i < 4; ++i) {
        const wxString path = dir.File(wxString::Format("f%d.png", i));
        EXPECT_TRUE(WriteImage(PhotoLikeImage(64, 48, i), path, wxBITMAP_TYPE_PNG));
        paths.Add(path);
    }
    return paths;
}

std::shared_ptr<PictureStore> StoreIn(const wxString& folder)
{
    PictureStoreOptions options;
    options.budgetBytes = 1;  // every picture but the newest goes to the file
    options.cacheFolder = folder.ToStdString();
    options.decodedBytes = 0;
    return PictureStore::Create(options);
}

// The colour the preview shows at the middle of its panel for frame index.
wxColour PreviewMiddle(MainWindow& window, int index)
{
    const wxSize size = Probe(window).PreviewPanel()->GetClientSize();
    wxBitmap bitmap(size);
    {
        wxMemoryDC dc(bitmap);
        Probe(window).DrawPreview(dc, index);
    }
    const wxImage shown = bitmap.ConvertToImage();
    const int x = size.x / 2, y = size.y / 2;
    return wxColour(shown.GetRed(x, y), shown.GetGreen(x, y), shown.GetBlue(x, y));
}
}

TEST(FrameStore, FramesInTheCacheFileArePreviewedUndoneAndSavedAsFramesInMemory)
{
    TempDir dir;
    const wxArrayString frames = FourFrames(dir);
    std::string inMemory;
    std::vector<wxColour> shownInMemory;
    {
        MainWindowFixture fixture;
        fixture.AddImages(frames);
        for (int i = 0; i < 4; ++i)
            shownInMemory.push_back(PreviewMiddle(fixture.Frame(), i));
        fixture.SaveWith(ID_SAVE_GIF, dir.File("memory.gif"));
        inMemory = FileBytes(dir.File("memory.gif"));
    }
    MainWindowFixture fixture;
    MainWindow& window = fixture.Frame();
    const std::shared_ptr<PictureStore> store = StoreIn(dir.File("cache"));
    Probe(window).Document().UseStore(store);
    fixture.AddImages(frames);
    ASSERT_EQ(window.FrameCount(), 4);
    EXPECT_GT(store->Counts().fileBytes, 0u) << "the frames went to the cache file";

    Probe(window).Strip()->Select(1);
    wxTEST_DIALOG(fixture.Command(ID_DELETE_FRAMES), wxExpectModal<wxMessageDialog>(wxID_YES));
    ASSERT_EQ(window.FrameCount(), 3);
    fixture.Command(wxID_UNDO);
    fixture.Command(wxID_REDO);
    fixture.Command(wxID_UNDO);
    ASSERT_EQ(window.FrameCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(PreviewMiddle(window, i), shownInMemory[i]) << "frame " << i;
    fixture.SaveWith(ID_SAVE_GIF, dir.File("file.gif"));
    EXPECT_EQ(FileBytes(dir.File("file.gif")), inMemory);
}

TEST(FrameStore, ACacheFileThatCantBeMadeIsToldOnceAndTheFramesStayInMemory)
{
    TempDir dir;
    const wxArrayString frames = FourFrames(dir);
    // A folder inside a plain file can't be made.
    ASSERT_TRUE(WriteImage(SolidImage(1, 1, 0, 0, 0), dir.File("plain"), wxBITMAP_TYPE_PNG));
    MainWindowFixture fixture;
    MainWindow& window = fixture.Frame();
    const std::shared_ptr<PictureStore> store = StoreIn(dir.File("plain/cache"));
    Probe(window).Document().UseStore(store);
    wxTEST_DIALOG(fixture.AddImages(frames),
                  ExpectMessage(wxID_OK, "can't be kept in the cache file"));
    fixture.AddImages(frames);  // no second message: the test would fail on an unexpected one
    ASSERT_EQ(window.FrameCount(), 8);
    EXPECT_EQ(store->Counts().fileBytes, 0u);
    fixture.SaveWith(ID_SAVE_GIF, dir.File("out.gif"));
    EXPECT_EQ(FileBytes(dir.File("out.gif")).substr(0, 6), "GIF89a");
}
