// Opening projects: an unusable file changes nothing, moved sources stay as placeholders, the
// stored canvas is the user's, and an opened project is unchanged until the user changes it.
#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>

#include "core/settings/product.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "core/project/project_file.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

namespace {
class ProjectOpen : public testing::Test {
protected:
    void SetUp() override
    {
        a = WritePicture(dir, "a.png", 64, 48, *wxRED);
        b = WritePicture(dir, "b.png", 64, 48, *wxGREEN);
        gif = WriteGif(dir, "g.gif", 3, 64, 48);
    }
    MainWindow& Frame() { return fixture.Frame(); }
    wxString WriteProject(const char* name, const wxArrayString& frames, int width = 320,
                          int height = 240)
    {
        ProjectData data;
        data.width = width;
        data.height = height;
        data.delay = 15;
        data.frames = frames;
        EXPECT_TRUE(WriteProjectFile(dir.File(name), data, nullptr));
        return dir.File(name);
    }

    TempDir dir;
    MainWindowFixture fixture;
    wxString a, b, gif;
};
}

TEST_F(ProjectOpen, UnusableFilesChangeNothingAndSayWhy)
{
    const wxString good = WriteProject("good.xml", Paths({a, b}));
    fixture.OpenProject(good);
    fixture.Edit(Probe(Frame()).WidthControl(), 100);
    const wxString title = Frame().GetTitle();
    const wxArrayString frames = FrameNames(Frame());
    const wxString canvasText = Frame().GetStatusBar()->GetStatusText(0);

    const auto write = [&](const char* name, const std::string& text) {
        wxFFile(dir.File(name), "wb").Write(text.data(), text.size());
        return dir.File(name);
    };
    std::string deep, attributes;
    for (int i = 0; i < 200000; ++i)
        deep += "<a>";
    for (int i = 0; i < 100000; ++i)
        attributes += " a" + std::to_string(i) + "='1'";
    const struct {
        wxString path;
        const char* why;
    } files[] = {
        {write("text.xml", "not xml"), "well-formed"},
        {write("other.xml", "<other/>"), "\"project\""},
        {write("short.xml", "<project><name/><gif><width>5</width></gif></project>"), "\"height\""},
        {write("empty.xml", "<project><name/><gif><width>5</width><height>5</height>"
                            "<delay_time>5</delay_time></gif><images/></project>"),
         "no frames"},
        {dir.File("absent.xml"), "No such file"},
        {write("deep.xml", deep), "nested more than 16 deep"},
        {write("attributes.xml", "<project" + attributes + "/>"), "more than 16 attributes"},
        {write("doctype.xml", "<!DOCTYPE project><project/>"), "document type"},
    };
    for (const auto& file : files) {
        SCOPED_TRACE(file.path);
        // A changed project would ask first; No keeps the open going.
        wxTEST_DIALOG(fixture.OpenProject(file.path),
                      wxExpectModal<wxMessageDialog>(wxID_NO).Describe("unsaved changes"),
                      ExpectMessage(wxID_OK, file.why));
        EXPECT_EQ(FrameNames(Frame()), frames);
        EXPECT_EQ(Frame().GetTitle(), title);
        EXPECT_EQ(Probe(Frame()).ProjectPath(), good);
        EXPECT_EQ(Probe(Frame()).WidthControl()->GetValue(), 100);
        EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(0), canvasText);
    }
}

TEST_F(ProjectOpen, MovedSourcesStayAsPlaceholdersAndRoundTrip)
{
    const wxString moved = WritePicture(dir, "moved.png", 64, 48, *wxBLUE);
    const wxString path = WriteProject("p.xml", Paths({a, moved, gif + "_1", b}), 64, 48);
    ASSERT_TRUE(wxRemoveFile(moved));
    const std::string saved = [&] {
        wxString text;
        wxFFile(path, "rb").ReadAll(&text);
        return text.utf8_string();
    }();

    wxTEST_DIALOG(fixture.OpenProject(path), ExpectMessage(wxID_OK, "1 of the project's 4 frames"));
    ASSERT_EQ(FrameNames(Frame()), Paths({a, moved, gif + "_1", b}));
    EXPECT_TRUE(IsMissingFrame(Probe(Frame()).Strip()->GetItem(1)));
    EXPECT_FALSE(Frame().ProjectChanged());

    // Selected, it names its path; the preview shows nothing for it.
    Probe(Frame()).ShowFrame(1);
    EXPECT_EQ(Frame().GetStatusBar()->GetStatusText(1), "Missing file: " + moved);

    // Save Project writes it back unchanged.
    fixture.Command(ID_SAVE_PROJECT);
    wxString text;
    wxFFile(path, "rb").ReadAll(&text);
    EXPECT_EQ(text.utf8_string(), saved);

    // Save as GIF asks whether to leave it out: No writes nothing, Yes writes the other three.
    wxTEST_DIALOG(fixture.SaveWith(ID_SAVE_GIF, dir.File("out.gif")),
                  ExpectMessage(wxID_NO, "1 of the 4 frames is missing"));
    EXPECT_FALSE(wxFileExists(dir.File("out.gif")));
    wxTEST_DIALOG(fixture.SaveWith(ID_SAVE_GIF, dir.File("out.gif")),
                  ExpectMessage(wxID_YES, "1 of the 4 frames is missing"));
    ASSERT_TRUE(wxFileExists(dir.File("out.gif")));
    EXPECT_EQ(wxImage::GetImageCount(dir.File("out.gif"), wxBITMAP_TYPE_GIF), 3);
}

TEST_F(ProjectOpen, OlderVersionsFilesOpenWithEveryFrameAndSaveByteForByte)
{
    const wxString many = WriteGif(dir, "m.gif", 13, 64, 48);
    const wxString upper = WriteGif(dir, "X.GIF", 2, 64, 48);
    // As older versions wrote it: a frame of a file named X.GIF under the file's own path,
    // and after each run of GIF frames its last entry shortened by two characters ("m.gif_"
    // after frame 12; before the last frame when the run ends the list).
    const wxArrayString entries = Paths({a, many + "_11", many + "_12", many + "_", upper,
                                         gif + "_0", gif, gif + "_2"});
    std::string text = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<project>\n"
                       "  <name>old.gif</name>\n  <gif>\n    <width>64</width>\n"
                       "    <height>48</height>\n    <delay_time>15</delay_time>\n  </gif>\n"
                       "  <images>\n";
    for (const wxString& entry : entries)
        text += "    <path>" + entry.utf8_string() + "</path>\n";
    text += "  </images>\n</project>\n";
    const wxString path = dir.File("old.xml");
    wxFFile(path, "wb").Write(text.data(), text.size());

    // No message: every entry is a frame that loads.
    fixture.OpenProject(path);
    ASSERT_EQ(FrameNames(Frame()),
              Paths({a, many + "_11", many + "_12", upper, gif + "_0", gif + "_2"}));
    for (int i = 0; i < Frame().FrameCount(); ++i)
        EXPECT_FALSE(IsMissingFrame(Probe(Frame()).Strip()->GetItem(i))) << i;

    fixture.Command(ID_SAVE_PROJECT);
    std::string saved(text.size() + 100, '\0');
    saved.resize(wxFFile(path, "rb").Read(&saved[0], saved.size()));
    EXPECT_EQ(saved, text);
}

TEST_F(ProjectOpen, ManyMissingFramesAreListedUpToTen)
{
    wxArrayString frames;
    for (int i = 0; i < 13; ++i)
        frames.Add(dir.File(wxString::Format("gone%02d.png", i)));
    const wxString path = WriteProject("many.xml", frames);
    wxTEST_DIALOG(fixture.OpenProject(path), ExpectMessage(wxID_OK, "gone09.png\nand 3 more"));
    EXPECT_EQ(Frame().FrameCount(), 13);
    EXPECT_EQ(Probe(Frame()).WidthControl()->GetValue(), 320);
}

TEST_F(ProjectOpen, StoredSizeIsRestoredAndClosingAsksNothing)
{
    const wxString path = WriteProject("sized.xml", Paths({a, b}), 320, 240);
    fixture.OpenProject(path);
    EXPECT_EQ(Probe(Frame()).WidthControl()->GetValue(), 320);
    EXPECT_EQ(Probe(Frame()).HeightControl()->GetValue(), 240);
    EXPECT_EQ(Frame().GetTitle(), "sized - " + GetProductName());
    EXPECT_FALSE(Frame().ProjectChanged());
    fixture.Command(ID_EXIT_PROGRAM);
    EXPECT_TRUE(WaitFor("the window to close", [&] { return !fixture.Alive(); }));
}

TEST_F(ProjectOpen, OpenWithAnEmptiedStripAsksNothing)
{
    const wxString path = WriteProject("p.xml", Paths({a}));
    fixture.AddImages(Paths({b}));
    fixture.SaveWith(ID_SAVE_PROJECT, dir.File("mine.xml"));
    fixture.Command(ID_CLEAR_ALL);
    // No question: with no frames there is nothing a save could keep.
    fixture.OpenProject(path);
    EXPECT_EQ(FrameNames(Frame()), Paths({a}));
}

TEST_F(ProjectOpen, TypedCanvasSurvivesInsertDeleteAndLoadUntilClearAll)
{
    fixture.AddImages(Paths({a, b}));
    fixture.Edit(Probe(Frame()).WidthControl(), 32);
    EXPECT_EQ(Probe(Frame()).HeightControl()->GetValue(), 24);

    const wxString big = WritePicture(dir, "big.png", 200, 150);
    Probe(Frame()).Strip()->Select(0);
    fixture.InsertImages(Paths({big}));
    fixture.AddImages(Paths({big}));
    wxTEST_DIALOG(fixture.Command(ID_DELETE_FRAMES),
                  wxExpectModal<wxMessageDialog>(wxID_YES));
    ASSERT_EQ(Frame().FrameCount(), 3);
    EXPECT_EQ(Probe(Frame()).WidthControl()->GetValue(), 32);
    EXPECT_EQ(Probe(Frame()).HeightControl()->GetValue(), 24);
    EXPECT_EQ(Probe(Frame()).Document().Canvas().x, 32);

    fixture.Command(ID_CLEAR_ALL);
    EXPECT_EQ(Probe(Frame()).WidthControl()->GetValue(), 0);
    fixture.AddImages(Paths({a}));
    EXPECT_EQ(Probe(Frame()).WidthControl()->GetValue(), 64)
        << "an empty strip hands the size back";
    fixture.AddImages(Paths({big}));
    EXPECT_EQ(Probe(Frame()).WidthControl()->GetValue(), 200)
        << "and the canvas follows the frames";
    EXPECT_EQ(Probe(Frame()).HeightControl()->GetValue(), 150);
}

TEST_F(ProjectOpen, PreviewSkipsPlaceholders)
{
    const wxString path = WriteProject("p.xml", Paths({a, dir.File("gone.png"), b}), 64, 48);
    wxTEST_DIALOG(fixture.OpenProject(path), ExpectMessage(wxID_OK, "gone.png"));
    Probe(Frame()).DelayControl()->SetValue(1);
    std::vector<int> shown;
    fixture.Command(ID_RUN_ANIMATION);
    WaitFor("two loops", [&] {
        if (shown.empty() || shown.back() != Probe(Frame()).ShownIndex())
            shown.push_back(Probe(Frame()).ShownIndex());
        return shown.size() >= 5;
    });
    Probe(Frame()).StopPreview();
    for (int index : shown)
        EXPECT_NE(index, 1) << "the missing frame is never shown";
}
