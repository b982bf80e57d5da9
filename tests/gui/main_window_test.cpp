#include <gtest/gtest.h>
#include <sys/stat.h>

#include <wx/ffile.h>
#include <wx/filefn.h>
#include <wx/menu.h>
#include <wx/settings.h>
#include <wx/stopwatch.h>
#include <wx/panel.h>
#include <wx/process.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>
#include <wx/stattext.h>
#include <wx/toolbar.h>
#include <wx/txtstrm.h>
#include <wx/utils.h>
#include <wx/xrc/xmlres.h>

#include "core/settings/language_setting.h"
#include "core/settings/paths.h"
#include "core/settings/product.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "support/child_process.h"
#include "support/gui_helpers.h"
#include "support/temp_dir.h"

namespace {
// The language the next window starts with.
void StoreLanguage(const char* bytes)
{
    WriteLanguageSetting(GetLanguageFilePath(), 0);
    wxFFile file(GetLanguageFilePath(), "wb");
    file.Write(bytes, strlen(bytes));
}

wxMenuItem* CheckedLanguageItem(MainWindow& frame)
{
    for (wxMenuItem* item : Probe(frame).LanguageMenu()->GetMenuItems())
        if (item->IsChecked())
            return item;
    return nullptr;
}
}

TEST(MainWindow, CommandsThatNeedFramesAreDisabledAtStart)
{
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    for (wxMenuItem* item : {MenuItem(frame, ID_SAVE_GIF), MenuItem(frame, ID_SAVE_GIF_AS),
                             MenuItem(frame, ID_DELETE_FRAMES), MenuItem(frame, ID_CLEAR_ALL),
                             MenuItem(frame, ID_RUN_ANIMATION), MenuItem(frame, ID_LOOP_COUNT),
                             MenuItem(frame, ID_SAVE_PROJECT)})
        EXPECT_FALSE(item->IsEnabled()) << item->GetItemLabelText();
    EXPECT_FALSE(frame.GetToolBar()->GetToolEnabled(XRCID("m_tool_delete")));
    EXPECT_FALSE(frame.GetToolBar()->GetToolEnabled(XRCID("m_tool_play")));
    EXPECT_FALSE(Probe(frame).DelayControl()->IsEnabled());
    EXPECT_FALSE(Probe(frame).WidthControl()->IsEnabled());
    EXPECT_FALSE(Probe(frame).HeightControl()->IsEnabled());

    EXPECT_TRUE(MenuItem(frame, ID_ADD_IMAGE)->IsEnabled());
    EXPECT_TRUE(MenuItem(frame, ID_OPEN_PROJECT)->IsEnabled());
    EXPECT_TRUE(MenuItem(frame, ID_EXIT_PROGRAM)->IsEnabled());
    EXPECT_TRUE(frame.GetToolBar()->GetToolEnabled(XRCID("m_tool_insert")));
}

TEST(MainWindow, MenuBarHasEveryMenuItemAndShortcut)
{
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    ASSERT_EQ(frame.GetMenuBar()->GetMenuCount(), 7u);
    EXPECT_EQ(frame.GetMenuBar()->GetMenuLabel(0), "&File");
    EXPECT_EQ(frame.GetMenuBar()->GetMenuLabel(1), "&Edit");
    EXPECT_EQ(frame.GetMenuBar()->GetMenuLabel(2), "F&rame");
    EXPECT_EQ(frame.GetMenuBar()->GetMenuLabel(3), "&Canvas");
    EXPECT_EQ(frame.GetMenuBar()->GetMenuLabel(4), "&View");
    EXPECT_EQ(frame.GetMenuBar()->GetMenuLabel(5), "&Animation");
    EXPECT_EQ(frame.GetMenuBar()->GetMenuLabel(6), "&Help");
    // New and Record Screen, then the saving and opening commands and Exit.
    EXPECT_EQ(Probe(frame).FileMenu()->GetMenuItemCount(), 9u);
    EXPECT_EQ(Probe(frame).EditMenu()->GetMenuItemCount(), 4u);
    // Add Image, Delete, Clear All, the five arranging commands, the two timing commands and
    // the GIF timing check item, and the four commands that make fewer frames, in four groups.
    EXPECT_EQ(Probe(frame).FrameMenu()->GetMenuItemCount(), 18u);
    EXPECT_TRUE(Probe(frame).FrameMenu()->FindItem(ID_KEEP_GIF_TIMING)->IsCheckable());
    EXPECT_EQ(Probe(frame).AnimationMenu()->GetMenuItemCount(), 2u);
    EXPECT_EQ(Probe(frame).HelpMenu()->GetMenuItemCount(), 5u);
    EXPECT_EQ(Probe(frame).LanguageMenu()->GetMenuItemCount(), 7u);

    EXPECT_EQ(MenuItem(frame, ID_NEW_DOCUMENT)->GetItemLabel(), "&New\tCtrl+N");
    EXPECT_EQ(MenuItem(frame, ID_RECORD_SCREEN)->GetItemLabel(), "&Record Screen...\tCtrl+R");
    EXPECT_EQ(MenuItem(frame, ID_SAVE_GIF)->GetItemLabel(), "&Save\tCtrl+E");
    EXPECT_EQ(MenuItem(frame, ID_SAVE_GIF_AS)->GetItemLabel(), "Save &As\tCtrl+Shift+E");
    EXPECT_EQ(MenuItem(frame, ID_SAVE_PROJECT)->GetItemLabel(), "Save &Project\tCtrl+S");
    EXPECT_EQ(MenuItem(frame, ID_SAVE_PROJECT_AS)->GetItemLabel(),
              "Save Pro&ject As...\tCtrl+Shift+S");
    EXPECT_EQ(MenuItem(frame, ID_EXIT_PROGRAM)->GetItemLabel(), "E&xit\tCtrl+Q");
    EXPECT_EQ(MenuItem(frame, ID_ADD_IMAGE)->GetItemLabel(), "&Add Image\tCtrl+Ins");
    EXPECT_EQ(MenuItem(frame, ID_DELETE_FRAMES)->GetItemLabel(), "&Delete\tCtrl+Del");
    EXPECT_EQ(MenuItem(frame, ID_RUN_ANIMATION)->GetItemLabel(), "&Run animation\tCtrl+P");
    EXPECT_EQ(MenuItem(frame, ID_LOOP_COUNT)->GetItemLabel(), "&Loop Count");
    EXPECT_EQ(MenuItem(frame, wxID_UNDO)->GetItemLabel(), "&Undo\tCtrl+Z");
    EXPECT_EQ(MenuItem(frame, wxID_REDO)->GetItemLabel(), "&Redo\tCtrl+Shift+Z");
    EXPECT_EQ(Probe(frame).FrameMenu()->FindItem(ID_DUPLICATE)->GetItemLabel(),
              "D&uplicate\tCtrl+D");

    const int ids[] = {46, 47, 89, 58, 80, 110, 112};
    const char* names[] = {"中文简体", "中文繁体", "Deutsch", "English", "Français", "Italiano", "日本語"};
    for (int i = 0; i < 7; ++i) {
        wxMenuItem* item = Probe(frame).LanguageMenu()->FindItemByPosition(i);
        EXPECT_EQ(item->GetId(), ids[i]);
        EXPECT_TRUE(item->IsCheckable());
        EXPECT_EQ(item->GetItemLabelText(), wxString::FromUTF8(names[i]));
    }
}

TEST(MainWindow, StoredEnglishChecksTheEnglishItem)
{
    StoreLanguage("58");
    MainWindowFixture fixture;
    wxMenuItem* checked = CheckedLanguageItem(fixture.Frame());
    ASSERT_NE(checked, nullptr);
    EXPECT_EQ(checked->GetId(), 58);
    EXPECT_EQ(Probe(fixture.Frame()).Language(), 58);
}

TEST(MainWindow, StoredUnknownLanguageChecksNothingAndKeepsEnglish)
{
    StoreLanguage("5");
    MainWindowFixture fixture;
    EXPECT_EQ(CheckedLanguageItem(fixture.Frame()), nullptr);
    EXPECT_EQ(Probe(fixture.Frame()).Language(), 5);
    EXPECT_EQ(MenuItem(fixture.Frame(), ID_SAVE_GIF)->GetItemLabelText(), "Save");
    StoreLanguage("58");
}

TEST(MainWindow, LayoutLabelsStatusBarTitleAndColours)
{
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    EXPECT_EQ(frame.GetTitle(), GetProductName());
    EXPECT_EQ(frame.GetStatusBar()->GetFieldsCount(), 3);
    // Empty fields take no room: the last one, the animation's length, has the whole bar.
    EXPECT_EQ(frame.GetStatusBar()->GetStatusWidth(0), 0);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusWidth(1), 0);
    EXPECT_EQ(frame.GetStatusBar()->GetStatusWidth(2), frame.GetStatusBar()->GetClientSize().x);

    EXPECT_EQ(Probe(frame).DelayLabel()->GetLabel(), "Delay :");
    EXPECT_EQ(Probe(frame).DelayUnit()->GetLabel(), "1/100sec ");
    EXPECT_EQ(Probe(frame).LoopLabel()->GetLabel(), "GIF:");
    EXPECT_EQ(Probe(frame).WidthLabel()->GetLabel(), "Width:");
    EXPECT_EQ(Probe(frame).HeightLabel()->GetLabel(), "Height:");
    EXPECT_EQ(Probe(frame).WidthUnit()->GetLabel(), "px");
    EXPECT_EQ(Probe(frame).HeightUnit()->GetLabel(), "px");

    EXPECT_EQ(Probe(frame).PreviewPanel()->GetBackgroundColour(), wxColour(128, 128, 128));
    EXPECT_EQ(frame.GetStatusBarPane(), -1) << "tool help never takes the canvas text's place";
    ASSERT_NE(Probe(frame).Strip(), nullptr);
    EXPECT_EQ(Probe(frame).Strip()->GetParent(), Probe(frame).StripPanel());
    EXPECT_EQ(Probe(frame).Strip()->GetId(), 3);
    EXPECT_EQ(Probe(frame).Strip()->GetBackgroundColour(),
              Probe(frame).Strip()->GetPalette().background) << "the desktop theme's";
    EXPECT_FALSE(Probe(frame).Player().Playing());
    EXPECT_EQ(Probe(frame).Document().LoopCount(), 0);
}

TEST(MainWindow, ExitClosesTheWindow)
{
    MainWindowFixture fixture;
    fixture.Command(ID_EXIT_PROGRAM);
    WaitFor("the window to close", [&] { return !fixture.Alive(); });
}

namespace {
// Starts program and collects the first count lines of its standard output (or error), then
// kills it: the application itself would wait for the user.
wxArrayString FirstLinesOf(const wxString& program, size_t count, bool fromErrorStream)
{
    static bool ended;
    ended = false;
    auto* child = new EndingChild(&ended);
    wxArrayString lines;
    const long pid = wxExecute(program, wxEXEC_ASYNC, child);
    if (pid <= 0) {
        ADD_FAILURE() << "could not start " << program;
        return lines;
    }
    wxInputStream& stream = fromErrorStream ? *child->GetErrorStream() : *child->GetInputStream();
    wxTextInputStream text(stream);
    wxStopWatch watch;
    wxString partial;
    while (lines.size() < count && watch.Time() < 20000) {
        while (stream.CanRead() && lines.size() < count) {
            const wxChar c = text.GetChar();
            if (c == '\n') {
                lines.Add(partial);
                partial.clear();
            } else if (c) {
                partial += c;
            }
        }
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
    wxProcess::Kill(pid, wxSIGKILL);
    WaitFor("the program to end", [] { return ended; });
    return lines;
}
}

TEST(Startup, PrintsTheOptionPathThenTheIconPath)
{
    const wxArrayString lines = FirstLinesOf(wxString(ZORUVEDE_BUILD_DIR) + "/bin/zoruvede", 2, false);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], wxString(ZORUVEDE_BUILD_DIR) + "/option.cfg");
    EXPECT_EQ(lines[1], wxString(ZORUVEDE_BUILD_DIR) + "/Themes/application.ico");
}

TEST(Startup, MissingLayoutIsReportedInsteadOfAnEmptyExit)
{
    TempDir install;
    wxMkdir(install.File("bin"));
    ASSERT_TRUE(wxCopyFile(wxString(ZORUVEDE_BUILD_DIR) + "/bin/zoruvede", install.File("bin/zoruvede")));
    chmod(install.File("bin/zoruvede").utf8_str(), 0755);
    const wxArrayString lines = FirstLinesOf(install.File("bin/zoruvede"), 1, true);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], "zoruvede: The window layout could not be loaded from " + install.File("Themes") + ".");
}
