// The Canvas menu's edits in the window: undo and redo give each state back exactly, Save
// writes what zoruvede-cli writes for the same edits, and a project keeps them.
#include <gtest/gtest.h>

#include <wx/utils.h>

#include "support/file_bytes.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"
#include "support/main_window_probe.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"

namespace {

class PictureEdits : public testing::Test {
protected:
    void SetUp() override
    {
        fixture.AddImages(Paths({WritePicture(dir, "a.png", 64, 48, *wxRED),
                                 WritePicture(dir, "b.png", 30, 60, *wxBLUE)}));
    }
    MainWindow& Frame() { return fixture.Frame(); }
    AnimationDocument& Document() { return Probe(Frame()).Document(); }
    void Transparent(bool on)
    {
        wxCommandEvent event(wxEVT_MENU, ID_TRANSPARENT_BACKGROUND);
        event.SetInt(on ? 1 : 0);
        Frame().GetEventHandler()->ProcessEvent(event);
    }
    // Fill, a crop, a right turn, a flip top to bottom and a transparent background, as
    // zoruvede-cli's options below make them.
    void MakeEdits()
    {
        // The canvas is the tall frame's, 30 x 60.
        fixture.Command(ID_FIT_FILL);
        ASSERT_TRUE(Frame().CropAnimation(wxRect(2, 6, 24, 14)));
        fixture.Command(ID_ROTATE_RIGHT);
        fixture.Command(ID_FLIP_VERTICAL);
        Transparent(true);
    }
    const char* CliEdits() const
    {
        return " --fit fill --crop 24x14+2+6 --rotate 90 --flip v --background transparent ";
    }

    TempDir dir;
    MainWindowFixture fixture;
};

} // namespace

TEST_F(PictureEdits, EveryEditUndoesAndRedoesExactlyAndNamesItsStep)
{
    const DocumentSettings start = Document().Settings();
    MakeEdits();
    const DocumentSettings edited = Document().Settings();
    EXPECT_EQ(Document().Canvas(), wxSize(14, 24));
    EXPECT_TRUE(edited.edit.background.transparent);
    EXPECT_TRUE(edited.edit.Cropped());
    EXPECT_NE(Probe(Frame()).EditMenu()->FindItem(wxID_UNDO)->GetItemLabelText().Find("Background"),
              wxNOT_FOUND);
    for (int i = 0; i < 5; ++i)
        fixture.Command(wxID_UNDO);
    EXPECT_TRUE(Document().Settings() == start);
    EXPECT_TRUE(Document().Edit().Identity());
    for (int i = 0; i < 5; ++i)
        fixture.Command(wxID_REDO);
    EXPECT_TRUE(Document().Settings() == edited);
    // The thumbnails show the turned picture: taller than wide.
    const FrameTile* tile = dynamic_cast<FrameTile*>(Probe(Frame()).Strip()->GetItem(0));
    ASSERT_TRUE(tile && tile->m_thumbnail.IsOk());
    EXPECT_GT(tile->m_thumbnail.GetHeight(), tile->m_thumbnail.GetWidth());
}

TEST_F(PictureEdits, SaveWritesTheBytesOfTheCommandLineWithTheSameEdits)
{
    MakeEdits();
    fixture.SaveWith(ID_SAVE_GIF, dir.File("app.gif"));
    const wxString cli = wxString(ZORUVEDE_BUILD_DIR) + "/bin/zoruvede-cli";
    wxArrayString output, errors;
    const long code = wxExecute(cli + " -q" + CliEdits() + "-o " + dir.File("cli.gif") + " " +
                                    dir.File("a.png") + " " + dir.File("b.png"),
                                output, errors, wxEXEC_SYNC);
    ASSERT_EQ(code, 0) << (errors.empty() ? wxString() : errors[0]);
    const std::string app = FileBytes(dir.File("app.gif"));
    EXPECT_FALSE(app.empty());
    EXPECT_TRUE(app == FileBytes(dir.File("cli.gif")));
}

TEST_F(PictureEdits, AProjectKeepsTheEditsAndTheCommandLineExportsThemAsTheWindowDoes)
{
    MakeEdits();
    const DocumentSettings edited = Document().Settings();
    fixture.SaveWith(ID_SAVE_PROJECT_AS, dir.File("p.xml"));
    MainWindowFixture second;
    second.OpenProject(dir.File("p.xml"));
    EXPECT_TRUE(Probe(second.Frame()).Document().Edit() == edited.edit);
    EXPECT_EQ(Probe(second.Frame()).Document().Canvas(), edited.canvas);

    fixture.SaveWith(ID_SAVE_GIF, dir.File("app.gif"));
    const wxString cli = wxString(ZORUVEDE_BUILD_DIR) + "/bin/zoruvede-cli";
    wxArrayString output, errors;
    ASSERT_EQ(wxExecute(cli + " -q -o " + dir.File("cli.gif") + " " + dir.File("p.xml"), output,
                        errors, wxEXEC_SYNC),
              0)
        << (errors.empty() ? wxString() : errors[0]);
    EXPECT_TRUE(FileBytes(dir.File("app.gif")) == FileBytes(dir.File("cli.gif")));
}
