// The window by keyboard alone: every menu opens with Alt and its letter in every language,
// no key means two commands, the strip's pop-up menu opens from the keyboard at the focused
// tile, and the shortcuts of the commonest commands work as real key presses.
#include <map>
#include <set>

#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"

namespace {

// The letter after the one "&" of a label (lower case); empty without one, "?" with more.
wxString Mnemonic(const wxString& label)
{
    wxString key;
    const wxString text = label.BeforeFirst('\t');
    for (size_t i = 0; i + 1 < text.length(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        if (!key.empty())
            return "?";
        key = wxString(text[i + 1]).Lower();
    }
    return key;
}

// Every item of menu has a key of its own among its siblings; so do those of its submenus.
void ExpectOneKeyEach(wxMenu& menu, const wxString& where)
{
    std::map<wxString, wxString> taken;
    for (wxMenuItem* item : menu.GetMenuItems()) {
        if (item->IsSeparator())
            continue;
        const wxString label = item->GetItemLabel();
        const wxString key = Mnemonic(label);
        EXPECT_FALSE(key.empty() || key == "?") << where << ": " << label;
        const auto clash = taken.emplace(key, label);
        EXPECT_TRUE(clash.second)
            << where << ": \"" << label << "\" and \"" << clash.first->second << "\" share " << key;
        if (item->GetSubMenu())
            ExpectOneKeyEach(*item->GetSubMenu(), where + " > " + label);
    }
}

class Keyboard : public testing::Test {
protected:
    MainWindow& Frame() { return fixture.Frame(); }
    FrameStrip& Strip() { return *Probe(Frame()).Strip(); }
    void LoadFrames(int count)
    {
        wxArrayString paths;
        for (int i = 0; i < count; ++i)
            paths.Add(WritePicture(dir, wxString::Format("f%d.png", i).c_str(), 40, 30,
                                   wxColour(50 * i, 90, 200)));
        fixture.AddImages(paths);
    }

    TempDir dir;
    MainWindowFixture fixture;
};

}  // namespace

TEST_F(Keyboard, EveryMenuAndItemHasAKeyOfItsOwnInEveryLanguage)
{
    // English last: the fixture's next window starts in it.
    for (int language : {46, 47, 89, 80, 110, 112, 58}) {
        fixture.Command(language);
        SCOPED_TRACE(language);
        wxMenuBar* bar = Frame().GetMenuBar();
        std::map<wxString, wxString> titles;
        for (size_t i = 0; i < bar->GetMenuCount(); ++i) {
            const wxString title = bar->GetMenuLabel(i);
            const wxString key = Mnemonic(title);
            EXPECT_FALSE(key.empty() || key == "?") << title;
            EXPECT_TRUE(titles.emplace(key, title).second) << title << " shares " << key;
            ExpectOneKeyEach(*bar->GetMenu(i), title);
        }
        // The playing look of the Animation menu, and the strip's pop-up menu.
        Probe(Frame()).SetStopLook();
        ExpectOneKeyEach(*Probe(Frame()).AnimationMenu(), "playing");
        Probe(Frame()).SetRunLook();
        wxMenu popup;
        Probe(Frame()).BuildStripMenu(popup);
        ExpectOneKeyEach(popup, "pop-up");
    }
}

TEST_F(Keyboard, NoKeyIsTheShortcutOfTwoCommands)
{
    std::map<wxString, wxString> keys;
    auto take = [&](const wxAcceleratorEntry& key, const wxString& what) {
        const auto clash = keys.emplace(key.ToRawString(), what);
        EXPECT_TRUE(clash.second) << key.ToRawString() << ": " << what << " and "
                                  << clash.first->second;
    };
    wxMenuBar* bar = Frame().GetMenuBar();
    for (size_t i = 0; i < bar->GetMenuCount(); ++i)
        for (wxMenuItem* item : bar->GetMenu(i)->GetMenuItems())
            if (wxAcceleratorEntry* key = item->GetAccel()) {
                take(*key, item->GetItemLabelText());
                delete key;
            }
    for (const wxAcceleratorEntry& key : MainWindowProbe::SecondKeys())
        take(key, wxString::Format("the window's key for command %d", key.GetCommand()));
    take(wxAcceleratorEntry(wxACCEL_CTRL, 'A'), "the strip's Select All");
    // Shortcuts the product's own commands have: each must be in the list once.
    for (int key : {int('E'), int('I'), int('P'), int('T'), int(WXK_INSERT)}) {
        const wxString expected = wxAcceleratorEntry(wxACCEL_CTRL, key).ToRawString();
        EXPECT_EQ(1u, keys.count(expected)) << expected;
    }
}

TEST_F(Keyboard, AltAndALetterOpenTheMenus)
{
    wxMenu* opened = nullptr;
    Frame().Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
        if (!opened)
            opened = event.GetMenu();
        event.Skip();
    });
    Frame().Raise();
    Strip().SetFocus();
    YieldFor(100);
    wxUIActionSimulator sim;
    const struct {
        int key;
        wxMenu* menu;
    } menus[] = {{'F', Probe(Frame()).FileMenu()},
                 {'R', Probe(Frame()).FrameMenu()},
                 {'V', Probe(Frame()).ViewMenu()}};
    for (const auto& m : menus) {
        opened = nullptr;
        sim.Char(m.key, wxMOD_ALT);
        WaitFor("the menu", [&] { return opened != nullptr; }, 3000);
        EXPECT_EQ(m.menu, opened) << static_cast<char>(m.key);
        sim.Char(WXK_ESCAPE);
        sim.Char(WXK_ESCAPE);
        YieldFor(200);
    }
}

TEST_F(Keyboard, ShiftF10AndTheMenuKeyOpenTheStripMenuAtTheFocusedTile)
{
    LoadFrames(4);
    Strip().SetFocus();
    YieldFor(50);
    int index = -2;
    wxPoint at;
    Frame().Bind(EVT_STRIP_CONTEXT_MENU, [&](FrameStripEvent& event) {
        index = event.GetIndex();
        at = event.GetPosition();
        event.Skip();
    });
    int menusOpened = 0;
    Frame().Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
        ++menusOpened;
        event.Skip();
    });
    wxUIActionSimulator sim;
    sim.Char(WXK_HOME);
    sim.Char(WXK_RIGHT);
    sim.Char(WXK_RIGHT);
    WaitFor("the focus on tile 2", [&] { return Strip().GetFocusItem() == 2; }, 3000);
    const struct {
        int key;
        int modifiers;
    } keys[] = {{WXK_F10, wxMOD_SHIFT}, {WXK_MENU, wxMOD_NONE}};
    for (const auto& k : keys) {
        index = -2;
        const int before = menusOpened;
        // The pop-up runs its own loop; a timer closes it as the user would, with Escape.
        wxTimer closer;
        closer.Bind(wxEVT_TIMER, [&](wxTimerEvent&) { wxUIActionSimulator().Char(WXK_ESCAPE); });
        closer.StartOnce(400);
        sim.Char(k.key, k.modifiers);
        WaitFor("the pop-up to close", [&] { return !closer.IsRunning(); }, 5000);
        YieldFor(200);
        EXPECT_EQ(2, index) << k.key;
        EXPECT_GT(menusOpened, before) << "a menu opened for key " << k.key;
        wxRect image;
        Strip().GetItemRectImage(2, image);
        EXPECT_TRUE(image.Contains(at)) << "the menu opens on the focused tile";
    }
    EXPECT_EQ(std::vector<int>({2}), std::vector<int>(Strip().m_selections.begin(),
                                                      Strip().m_selections.end()));
}

TEST_F(Keyboard, CtrlPStartsAndStopsCtrlTStopsAndCtrlIAddsImages)
{
    LoadFrames(3);
    Strip().SetFocus();
    YieldFor(50);
    wxUIActionSimulator sim;
    sim.Char('P', wxMOD_CONTROL);
    WaitFor("Ctrl+P to play", [&] { return Probe(Frame()).Player().Playing(); }, 3000);
    sim.Char('P', wxMOD_CONTROL);
    WaitFor("Ctrl+P to stop", [&] { return !Probe(Frame()).Player().Playing(); }, 3000);
    sim.Char('P', wxMOD_CONTROL);
    WaitFor("Ctrl+P to play again", [&] { return Probe(Frame()).Player().Playing(); }, 3000);
    sim.Char('T', wxMOD_CONTROL);
    WaitFor("Ctrl+T to stop", [&] { return !Probe(Frame()).Player().Playing(); }, 3000);
    sim.Char('T', wxMOD_CONTROL);
    YieldFor(300);
    EXPECT_FALSE(Probe(Frame()).Player().Playing()) << "Ctrl+T only ever stops";

    const wxString more = WritePicture(dir, "more.png", 40, 30);
    for (int key : {static_cast<int>('I'), static_cast<int>(WXK_INSERT)}) {
        const int count = Frame().FrameCount();
        fixture.Paths().openAnswers.push_back(Paths({more}));
        sim.Char(key, wxMOD_CONTROL);
        WaitFor(key == 'I' ? "the frame Ctrl+I adds" : "the frame Ctrl+Insert adds",
                [&] { return Frame().FrameCount() == count + 1; });
    }
}

TEST_F(Keyboard, CtrlESavesTheGif)
{
    LoadFrames(2);
    const wxString gif = dir.File("out.gif");
    fixture.Paths().saveAnswers.push_back(gif);
    Strip().SetFocus();
    YieldFor(50);
    wxUIActionSimulator().Char('E', wxMOD_CONTROL);
    WaitFor("the GIF", [&] { return wxFileExists(gif) && !Frame().IsSaving(); });
}
