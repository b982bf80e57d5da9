#include <gtest/gtest.h>
#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>
#include <wx/xrc/xmlres.h>

#include "core/settings/language_setting.h"
#include "core/settings/paths.h"
#include "core/settings/product.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

namespace {
std::string StoredBytes()
{
    wxFFile file(GetLanguageFilePath(), "rb");
    char buffer[16] = {};
    const size_t n = file.IsOpened() ? file.Read(buffer, sizeof buffer) : 0;
    return std::string(buffer, n);
}

void Store(const char* bytes)
{
    wxFFile(GetLanguageFilePath(), "wb").Write(bytes, strlen(bytes));
}

int CheckedLanguage(MainWindow& frame)
{
    for (wxMenuItem* item : Probe(frame).LanguageMenu()->GetMenuItems())
        if (item->IsChecked())
            return item->GetId();
    return -1;
}

wxString Utf8(const char* text)
{
    return wxString::FromUTF8(text);
}

// Answers a question with No, keeping the labels its buttons were given.
class RecordButtonLabels : public wxExpectModalBase<wxMessageDialog, RecordButtonLabels> {
public:
    explicit RecordButtonLabels(wxString* labels) : m_labels(labels) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        *m_labels = dialog->GetYesLabel() + "|" + dialog->GetNoLabel();
        return wxID_NO;
    }

private:
    wxString* m_labels;
};

// Every test leaves English stored for the tests after it.
class Language : public testing::Test {
protected:
    void TearDown() override { Store("58"); }
};
}

TEST_F(Language, FirstStartStoresEnglish)
{
    if (wxFileExists(GetLanguageFilePath()))
        wxRemoveFile(GetLanguageFilePath());
    MainWindowFixture fixture;
    EXPECT_EQ(StoredBytes(), "58");
    EXPECT_EQ(CheckedLanguage(fixture.Frame()), 58);
    EXPECT_EQ(fixture.Frame().GetMenuBar()->GetMenuLabelText(0), "File");
}

TEST_F(Language, StoredGermanStartsInGerman)
{
    Store("89");
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    EXPECT_EQ(CheckedLanguage(frame), 89);
    EXPECT_EQ(frame.GetMenuBar()->GetMenuLabelText(0), "Datei");
    EXPECT_EQ(Probe(frame).WidthLabel()->GetLabel(), "Breite:");
}

TEST_F(Language, StoredNumberIsReadLikeAnIntegerConversion)
{
    Store(" 80abc");
    MainWindowFixture fixture;
    EXPECT_EQ(CheckedLanguage(fixture.Frame()), 80);
    EXPECT_EQ(fixture.Frame().GetMenuBar()->GetMenuLabelText(0), "Fichier");
}

TEST_F(Language, UnknownStoredNumberChecksNothingUntilAChoiceOverwritesIt)
{
    Store("5");
    MainWindowFixture fixture;
    EXPECT_EQ(CheckedLanguage(fixture.Frame()), -1);
    fixture.Command(110);
    EXPECT_EQ(StoredBytes(), "110");
    EXPECT_EQ(CheckedLanguage(fixture.Frame()), 110);
}

TEST_F(Language, EverySwitchRelabelsMenusAndLabelsAtOnce)
{
    struct Expected {
        int id;
        const char* file;
        const char* help;
        const char* width;
    };
    const Expected languages[] = {
        {46, "文件", "帮助", "宽度:"},         {47, "檔案", "說明", "寬度:"},
        {89, "Datei", "Hilfe", "Breite:"},     {80, "Fichier", "Aide", "Largeur :"},
        {110, "File", "Aiuto", "Larghezza:"}, {112, "ファイル", "ヘルプ", "幅:"},
        {58, "File", "Help", "Width:"},
    };
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    for (const Expected& e : languages) {
        fixture.Command(e.id);
        SCOPED_TRACE(e.id);
        EXPECT_EQ(Probe(frame).Language(), e.id);
        EXPECT_EQ(CheckedLanguage(frame), e.id);
        EXPECT_EQ(frame.GetMenuBar()->GetMenuLabelText(0), Utf8(e.file));
        EXPECT_EQ(frame.GetMenuBar()->GetMenuLabelText(6), Utf8(e.help));
        EXPECT_EQ(Probe(frame).WidthLabel()->GetLabel(), Utf8(e.width));
        EXPECT_EQ(StoredBytes(), std::to_string(e.id));
        EXPECT_EQ(frame.GetTitle(), GetProductName());
    }
}

TEST_F(Language, SwitchKeepsTheFrameCommandsStateAndRefillsTheStatus)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.Command(89);
    EXPECT_FALSE(MenuItem(frame, ID_SAVE_GIF)->IsEnabled());
    EXPECT_FALSE(MenuItem(frame, ID_RUN_ANIMATION)->IsEnabled());

    wxArrayString paths;
    paths.Add(WritePicture(dir, "a.png", 40, 30));
    fixture.AddImages(paths);
    frame.SetTitle("proj - " + GetProductName());
    fixture.Command(ID_CLEAR_ALL);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(1), "");
    fixture.Command(58);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(1), "");
    fixture.AddImages(paths);
    fixture.Command(58);
    EXPECT_TRUE(MenuItem(frame, ID_SAVE_GIF)->IsEnabled());
    EXPECT_TRUE(MenuItem(frame, ID_RUN_ANIMATION)->IsEnabled());
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(1), "a.png Width:40px,Height:30 px");
    EXPECT_EQ(frame.GetStatusBar()->GetStatusText(0), "Untitled.gif (40 * 30)px");
    EXPECT_EQ(frame.GetTitle(), GetProductName());
}

TEST_F(Language, SwitchKeepsTheChosenCanvasAndTheProjectInTheTitle)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(Paths({WritePicture(dir, "a.png", 40, 30)}));
    fixture.Edit(Probe(frame).WidthControl(), 20);
    fixture.SaveWith(ID_SAVE_PROJECT, dir.File("proj.xml"));
    fixture.Command(89);
    fixture.Command(58);
    EXPECT_EQ(Probe(frame).WidthControl()->GetValue(), 20);
    EXPECT_EQ(Probe(frame).HeightControl()->GetValue(), 15);
    EXPECT_EQ(frame.GetTitle(), "proj - " + GetProductName());
    EXPECT_FALSE(frame.ProjectChanged());
}

TEST_F(Language, FailedExportIsToldInTheInterfaceLanguage)
{
    TempDir dir;
    MainWindowFixture fixture;
    fixture.AddImages(Paths({WritePicture(dir, "a.png", 40, 30)}));
    fixture.Command(89);
    wxTEST_DIALOG(fixture.SaveWith(ID_SAVE_GIF, dir.File("nowhere/x.gif")),
                  ExpectMessage(wxID_OK, Utf8("kann keine neue Datei aufnehmen")));
    fixture.Command(58);
}

TEST_F(Language, SwitchDoesNotStopThePreview)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    wxArrayString paths;
    paths.Add(WritePicture(dir, "a.png", 10, 10));
    fixture.AddImages(paths);
    fixture.Command(ID_RUN_ANIMATION);
    fixture.Command(89);
    EXPECT_TRUE(Probe(frame).Player().Playing());
    EXPECT_EQ(MenuItem(frame, ID_RUN_ANIMATION)->GetItemLabelText(), Utf8("Animation anhalten"));
    fixture.Command(ID_RUN_ANIMATION);
    EXPECT_FALSE(Probe(frame).Player().Playing());
}

TEST_F(Language, ChoiceThatCantBeStoredStillAppliesAndSaysSo)
{
    MainWindowFixture fixture;
    // A folder in the file's place makes storing the choice fail.
    if (wxFileExists(GetLanguageFilePath()))
        wxRemoveFile(GetLanguageFilePath());
    ASSERT_TRUE(wxMkdir(GetLanguageFilePath()));
    wxTEST_DIALOG(fixture.Command(89), wxExpectModal<wxMessageDialog>(wxID_OK));
    EXPECT_EQ(fixture.Frame().GetMenuBar()->GetMenuLabelText(0), "Datei");
    wxRmdir(GetLanguageFilePath());
}

TEST_F(Language, ToolTipsAndQuestionButtonsFollowTheSwitch)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(Paths({WritePicture(dir, "a.png", 10, 10)}));
    wxToolBar* tools = frame.GetToolBar();
    fixture.Command(89);
    EXPECT_EQ(tools->GetToolShortHelp(XRCID("m_tool_insert")), Utf8("Bild hinzufügen"));
    EXPECT_EQ(tools->GetToolShortHelp(XRCID("m_tool_delete")), Utf8("Löschen"));
    EXPECT_EQ(tools->GetToolShortHelp(XRCID("m_tool_play")), "Animation abspielen");
    fixture.Command(ID_RUN_ANIMATION);
    EXPECT_EQ(tools->GetToolShortHelp(XRCID("m_tool_play")), "Animation anhalten");
    fixture.Command(ID_RUN_ANIMATION);

    // GTK would label these from its own catalog, in English on a system without that locale;
    // the labels read back in its mnemonic notation.
    Probe(frame).Strip()->Select(0);
    wxString labels;
    wxTEST_DIALOG(fixture.Command(ID_DELETE_FRAMES), RecordButtonLabels(&labels));
    EXPECT_EQ(labels, "_Ja|_Nein");
    EXPECT_EQ(frame.FrameCount(), 1);

    fixture.Command(58);
    EXPECT_EQ(tools->GetToolShortHelp(XRCID("m_tool_play")), "Run animation");
    wxTEST_DIALOG(fixture.Command(ID_DELETE_FRAMES), RecordButtonLabels(&labels));
    EXPECT_EQ(labels, "_Yes|_No");
}

// Texts worded from what the window keeps, not from what it showed: the undo steps made and
// the size estimate made before a switch read in the new language at once, counts in the
// plural form their number takes.
TEST_F(Language, SwitchRewordsTheUndoStepsAndTheSizeEstimate)
{
    TempDir dir;
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    fixture.AddImages(Paths({WritePicture(dir, "a.png", 40, 30), WritePicture(dir, "b.png", 40, 30)}));
    Probe(frame).Strip()->Select(0);
    wxTEST_DIALOG(fixture.Command(ID_DELETE_FRAMES), ExpectMessage(wxID_YES, ""));
    fixture.Command(wxID_UNDO);
    const auto estimate = [&] {
        return frame.GetStatusBar()->GetStatusText(2).AfterFirst(wxUniChar(0xb7));
    };
    ASSERT_TRUE(WaitFor("an estimate", [&] { return estimate().Contains("about "); }));

    const struct {
        int id;
        const char* undo;
        const char* redo;
        const char* about;
    } languages[] = {
        {80, "Ajouter 2 images", "Supprimer 1 image", "environ "},
        {89, "2 Einzelbilder hinzufügen", "1 Einzelbild löschen", "etwa "},
        {46, "添加 2 帧", "删除 1 帧", "约 "},
        {58, "Add 2 Frames", "Delete 1 Frame", "about "},
    };
    for (const auto& l : languages) {
        SCOPED_TRACE(l.id);
        fixture.Command(l.id);
        EXPECT_TRUE(MenuItem(frame, wxID_UNDO)->GetItemLabel().Contains(Utf8(l.undo)))
            << MenuItem(frame, wxID_UNDO)->GetItemLabel();
        EXPECT_TRUE(MenuItem(frame, wxID_REDO)->GetItemLabel().Contains(Utf8(l.redo)))
            << MenuItem(frame, wxID_REDO)->GetItemLabel();
        EXPECT_TRUE(estimate().StartsWith(" " + Utf8(l.about))) << estimate();
    }
}
