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
    for (wxMenuItem* item : frame.m_menuLanguage->GetMenuItems())
        if (item->IsChecked())
            return item;
    return nullptr;
}
}

TEST(MainWindow, CommandsThatNeedFramesAreDisabledAtStart)
{
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    for (wxMenuItem* item : {frame.m_itemSave, frame.m_itemSaveAs, frame.m_itemDelete,
                             frame.m_itemClearAll, frame.m_itemRunAnimation,
                             frame.m_itemLoopCount, frame.m_itemSaveProject})
        EXPECT_FALSE(item->IsEnabled()) << item->GetItemLabelText();
    EXPECT_FALSE(frame.m_toolBar_button->GetToolEnabled(XRCID("m_tool_delete")));
    EXPECT_FALSE(frame.m_toolBar_button->GetToolEnabled(XRCID("m_tool_play")));
    EXPECT_FALSE(frame.m_spinctrl_delay->IsEnabled());
    EXPECT_FALSE(frame.m_spinctrl_width->IsEnabled());
    EXPECT_FALSE(frame.m_spinctrl_height->IsEnabled());

    EXPECT_TRUE(frame.m_itemAddImage->IsEnabled());
    EXPECT_TRUE(frame.m_itemOpenProject->IsEnabled());
    EXPECT_TRUE(frame.m_itemExit->IsEnabled());
    EXPECT_TRUE(frame.m_toolBar_button->GetToolEnabled(XRCID("m_tool_insert")));
}

TEST(MainWindow, MenuBarHasEveryMenuItemAndShortcut)
{
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    ASSERT_EQ(frame.GetMenuBar()->GetMenuCount(), 6u);
    EXPECT_EQ(frame.GetMenuBar()->GetMenuLabel(0), "&File");
    EXPECT_EQ(frame.GetMenuBar()->GetMenuLabel(1), "&Edit");
    EXPECT_EQ(frame.GetMenuBar()->GetMenuLabel(2), "F&rame");
    EXPECT_EQ(frame.GetMenuBar()->GetMenuLabel(3), "&View");
    EXPECT_EQ(frame.GetMenuBar()->GetMenuLabel(4), "&Animation");
    EXPECT_EQ(frame.GetMenuBar()->GetMenuLabel(5), "&Help");
    // New, then the saving and opening commands and Exit.
    EXPECT_EQ(frame.m_menuFile->GetMenuItemCount(), 8u);
    EXPECT_EQ(frame.m_menuEdit->GetMenuItemCount(), 2u);
    // Add Image, Delete, Clear All, the five arranging commands, the two timing commands and
    // the GIF timing check item, in three groups.
    EXPECT_EQ(frame.m_menuFrame->GetMenuItemCount(), 13u);
    EXPECT_TRUE(frame.m_menuFrame->FindItem(ID_KEEP_GIF_TIMING)->IsCheckable());
    EXPECT_EQ(frame.m_menuAnimation->GetMenuItemCount(), 2u);
    EXPECT_EQ(frame.m_menuHelp->GetMenuItemCount(), 5u);
    EXPECT_EQ(frame.m_menuLanguage->GetMenuItemCount(), 7u);

    EXPECT_EQ(frame.m_itemNew->GetItemLabel(), "&New\tCtrl+N");
    EXPECT_EQ(frame.m_itemSave->GetItemLabel(), "&Save\tCtrl+E");
    EXPECT_EQ(frame.m_itemSaveAs->GetItemLabel(), "Save &As\tCtrl+Shift+E");
    EXPECT_EQ(frame.m_itemSaveProject->GetItemLabel(), "Save &Project\tCtrl+S");
    EXPECT_EQ(frame.m_itemSaveProjectAs->GetItemLabel(), "Save Pro&ject As...\tCtrl+Shift+S");
    EXPECT_EQ(frame.m_itemExit->GetItemLabel(), "E&xit\tCtrl+Q");
    EXPECT_EQ(frame.m_itemAddImage->GetItemLabel(), "&Add Image\tCtrl+Ins");
    EXPECT_EQ(frame.m_itemDelete->GetItemLabel(), "&Delete\tCtrl+Del");
    EXPECT_EQ(frame.m_itemRunAnimation->GetItemLabel(), "&Run animation\tCtrl+P");
    EXPECT_EQ(frame.m_itemLoopCount->GetItemLabel(), "&Loop Count");
    EXPECT_EQ(frame.m_itemUndo->GetItemLabel(), "&Undo\tCtrl+Z");
    EXPECT_EQ(frame.m_itemRedo->GetItemLabel(), "&Redo\tCtrl+Shift+Z");
    EXPECT_EQ(frame.m_menuFrame->FindItem(ID_DUPLICATE)->GetItemLabel(), "D&uplicate\tCtrl+D");

    const int ids[] = {46, 47, 89, 58, 80, 110, 112};
    const char* names[] = {"中文简体", "中文繁体", "Deutsch", "English", "Français", "Italiano", "日本語"};
    for (int i = 0; i < 7; ++i) {
        wxMenuItem* item = frame.m_menuLanguage->FindItemByPosition(i);
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
    EXPECT_EQ(fixture.Frame().m_language, 58);
}

TEST(MainWindow, StoredUnknownLanguageChecksNothingAndKeepsEnglish)
{
    StoreLanguage("5");
    MainWindowFixture fixture;
    EXPECT_EQ(CheckedLanguageItem(fixture.Frame()), nullptr);
    EXPECT_EQ(fixture.Frame().m_language, 5);
    EXPECT_EQ(fixture.Frame().m_itemSave->GetItemLabelText(), "Save");
    StoreLanguage("58");
}

TEST(MainWindow, LayoutLabelsStatusBarTitleAndColours)
{
    MainWindowFixture fixture;
    MainWindow& frame = fixture.Frame();
    EXPECT_EQ(frame.GetTitle(), GetProductName());
    EXPECT_EQ(frame.m_statusBar->GetFieldsCount(), 3);
    // Empty fields take no room: the last one, the animation's length, has the whole bar.
    EXPECT_EQ(frame.m_statusBar->GetStatusWidth(0), 0);
    EXPECT_EQ(frame.m_statusBar->GetStatusWidth(1), 0);
    EXPECT_EQ(frame.m_statusBar->GetStatusWidth(2), frame.m_statusBar->GetClientSize().x);

    EXPECT_EQ(frame.m_staticText_delay->GetLabel(), "Delay :");
    EXPECT_EQ(frame.m_staticText_sec->GetLabel(), "1/100sec ");
    EXPECT_EQ(frame.m_staticText_gif->GetLabel(), "GIF:");
    EXPECT_EQ(frame.m_staticText_width->GetLabel(), "Width:");
    EXPECT_EQ(frame.m_staticText_height->GetLabel(), "Height:");
    EXPECT_EQ(frame.m_staticText_wpx->GetLabel(), "px");
    EXPECT_EQ(frame.m_staticText_hpx->GetLabel(), "px");

    EXPECT_EQ(frame.m_panel_down->GetBackgroundColour(), wxColour(128, 128, 128));
    EXPECT_EQ(frame.GetStatusBarPane(), -1) << "tool help never takes the canvas text's place";
    ASSERT_NE(frame.m_thumbnails, nullptr);
    EXPECT_EQ(frame.m_thumbnails->GetParent(), frame.m_panel_top);
    EXPECT_EQ(frame.m_thumbnails->GetId(), 3);
    EXPECT_EQ(frame.m_thumbnails->GetBackgroundColour(),
              frame.m_thumbnails->GetPalette().background) << "the desktop theme's";
    EXPECT_FALSE(frame.m_player.Playing());
    EXPECT_EQ(frame.m_document.LoopCount(), 0);
}

TEST(MainWindow, ExitClosesTheWindow)
{
    MainWindowFixture fixture;
    fixture.Command(fixture.Frame().m_itemExit->GetId());
    WaitFor("the window to close", [&] { return !fixture.Alive(); });
}

namespace {
// Starts program and collects the first count lines of its standard output (or error), then
// kills it: the application itself would wait for the user.
wxArrayString FirstLinesOf(const wxString& program, size_t count, bool fromErrorStream)
{
    // The toolkit reports the child's end to its process object later, from the event
    // loop, so the object must outlive this function until then.
    struct Child : wxProcess {
        bool* ended;
        explicit Child(bool* e) : wxProcess(wxPROCESS_REDIRECT), ended(e) {}
        void OnTerminate(int, int) override
        {
            *ended = true;
            delete this;
        }
    };
    static bool ended;
    ended = false;
    auto* child = new Child(&ended);
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
