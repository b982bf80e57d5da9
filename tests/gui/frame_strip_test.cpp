// The frame strip in a real window: items, painting (checked on rendered pixels), scrolling,
// selection by mouse and keys, moving items, and the notifications with their order.
#include <algorithm>
#include <vector>

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/file.h>
#include <wx/frame.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/uiaction.h>

#include "core/document/frame_order.h"
#include "ui/strip/frame_strip.h"
#include "support/assert_catcher.h"
#include "support/gui_helpers.h"
#include "support/temp_dir.h"
#include "support/test_images.h"

namespace {

struct Note {
    wxEventType type;
    int index;
    int flags;
    bool operator==(const Note& o) const
    {
        return type == o.type && index == o.index && flags == o.flags;
    }
};

std::ostream& operator<<(std::ostream& os, const Note& n)
{
    return os << "{type " << n.type << ", index " << n.index << ", flags " << n.flags << "}";
}

// Not copies of the event types: those are set during static initialisation of another file.
#define kSel EVT_STRIP_SELECTED
#define kDesel EVT_STRIP_DESELECTED
const wxColour kBackground(176, 223, 227);

class ThumbnailCtrlTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const char* name : {"a.png", "anim.gif", "ANIM.GIF", "noext"})
            wxFile(m_dir.File(name), wxFile::write).Write("x", 1);
        // As in the main window: the strip alone in a tab-traversal panel, with a focusable
        // sibling outside it, so that arrow keys could be taken for navigation.
        m_frame = new wxFrame(nullptr, wxID_ANY, "strip");
        m_frame->SetClientSize(320, 460);
        auto* panel = new wxPanel(m_frame, wxID_ANY, wxDefaultPosition, wxSize(320, 420));
        m_ctrl = new FrameStrip(panel, wxDefaultPosition, panel->GetSize());
        auto* strip = new wxBoxSizer(wxHORIZONTAL);
        strip->Add(m_ctrl, 1, wxEXPAND);
        panel->SetSizer(strip);
        auto* column = new wxBoxSizer(wxVERTICAL);
        column->Add(panel, 1, wxEXPAND);
        column->Add(new wxSpinCtrl(m_frame, wxID_ANY), 0);
        m_frame->SetSizer(column);
        m_ctrl->SetBackgroundColour(kBackground);
        for (const auto& type : {EVT_STRIP_SELECTED, EVT_STRIP_DESELECTED,
                                 EVT_STRIP_LEFT_CLICK,
                                 EVT_STRIP_MIDDLE_CLICK, EVT_STRIP_RIGHT_CLICK,
                                 EVT_STRIP_LEFT_DCLICK, EVT_STRIP_RETURN,
                                 EVT_STRIP_MOVE})
            m_frame->Bind(type, [this](FrameStripEvent& e) {
                EXPECT_EQ(ID_THUMBNAIL_CTRL, e.GetId());
                m_notes.push_back({e.GetEventType(), e.GetIndex(), e.GetFlags()});
            });
        m_frame->Show();
        YieldFor(50);
    }

    void TearDown() override
    {
        m_frame->Destroy();
        wxYield();
    }

    FrameTile* NewItem(const wxImage& image, const char* name = "a.png")
    {
        return new FrameTile(nullptr, std::make_shared<const wxImage>(image), m_dir.File(name));
    }

    void AppendItems(int count)
    {
        for (int i = 0; i < count; ++i) {
            const int index = m_ctrl->GetCount();
            ASSERT_EQ(index, m_ctrl->Append(NewItem(GradientImage(40, 30, i)), 10));
        }
        wxYield();
    }

    void Mouse(wxEventType type, int index, int flags = 0, wxPoint offset = wxPoint(20, 20))
    {
        wxRect r;
        ASSERT_TRUE(m_ctrl->GetItemRect(index, r));
        wxMouseEvent event(type);
        event.SetPosition(r.GetPosition() + offset);
        event.SetShiftDown(flags & STRIP_SHIFT_DOWN);
        event.SetControlDown(flags & STRIP_CTRL_DOWN);
        event.SetEventObject(m_ctrl);
        m_ctrl->GetEventHandler()->ProcessEvent(event);
        wxYield();
    }

    // Returns whether the control let the key go on.
    bool Key(int code, int flags = 0)
    {
        wxKeyEvent event(wxEVT_CHAR);
        event.m_keyCode = code;
        event.SetShiftDown(flags & STRIP_SHIFT_DOWN);
        event.SetControlDown(flags & STRIP_CTRL_DOWN);
        event.SetEventObject(m_ctrl);
        m_ctrl->GetEventHandler()->ProcessEvent(event);
        wxYield();
        return event.GetSkipped();
    }

    std::vector<int> Selection() const
    {
        return std::vector<int>(m_ctrl->m_selections.begin(), m_ctrl->m_selections.end());
    }

    // What the paint handler draws for the whole client area.
    wxImage Snapshot(bool focused)
    {
        const wxSize size = m_ctrl->GetClientSize();
        wxBitmap bitmap(size);
        wxMemoryDC dc(bitmap);
        m_ctrl->PrepareDC(dc);
        m_ctrl->PaintContent(dc, wxRegion(0, 0, size.x, size.y), focused);
        dc.SelectObject(wxNullBitmap);
        return bitmap.ConvertToImage();
    }

    static wxColour Pixel(const wxImage& img, int x, int y)
    {
        return wxColour(img.GetRed(x, y), img.GetGreen(x, y), img.GetBlue(x, y));
    }

    // Where a tile's label is drawn.
    wxRect LabelBox(int index) { return m_ctrl->Grid().LabelRect(ItemRect(index)); }

    // The label's lines as a two-line layout or a one-line layout shows them.
    std::vector<wxString> Lines(const char* number, const char* time)
    {
        if (m_ctrl->GetLabelLayout().lines == 2)
            return {number, time};
        return {wxString(number) + "  " + time};
    }

    // The lines drawn as the label draws them, at the left of a box of size.
    wxImage DrawnLines(const std::vector<wxString>& lines, const wxSize& size,
                       const wxColour& tile, const wxColour& text)
    {
        wxBitmap bitmap(size);
        wxMemoryDC dc(bitmap);
        dc.SetBackground(wxBrush(tile));
        dc.Clear();
        dc.SetFont(m_ctrl->GetLabelFont());
        dc.SetTextForeground(text);
        for (size_t i = 0; i < lines.size(); ++i)
            dc.DrawText(lines[i], 0, static_cast<int>(i) * m_ctrl->GetLabelLayout().lineHeight);
        dc.SelectObject(wxNullBitmap);
        return bitmap.ConvertToImage();
    }

    bool Scrollable() const { return m_ctrl->GetVirtualSize().y > m_ctrl->GetClientSize().y; }

    wxRect ItemRect(int index)
    {
        wxRect r;
        m_ctrl->GetItemRect(index, r);
        return r;
    }

    TempDir m_dir;
    wxFrame* m_frame = nullptr;
    FrameStrip* m_ctrl = nullptr;
    std::vector<Note> m_notes;
};

}  // namespace

TEST(ThumbnailItem, ScaleToFitShrinksIntoTheBoxAndNeverEnlarges)
{
    wxBitmap wide = ScaleToFit(SolidImage(160, 40, 255, 0, 0), 80, 80);
    EXPECT_EQ(wxSize(80, 20), wide.GetSize());
    EXPECT_EQ(wxSize(50, 30), ScaleToFit(SolidImage(50, 30, 0, 0, 0), 80, 80).GetSize());
    EXPECT_EQ(wxSize(40, 80), ScaleToFit(SolidImage(100, 200, 0, 0, 0), 80, 80).GetSize());
    // Too thin to show: no thumbnail, and no toolkit assertion on the way.
    EXPECT_FALSE(ScaleToFit(SolidImage(1000, 3, 0, 0, 0), 80, 80).IsOk());
}

TEST_F(ThumbnailCtrlTest, ItemsKeepTheirNameShareTheirPictureAndHoldOnlyAThumbnail)
{
    auto small = std::make_shared<const wxImage>(SolidImage(160, 40, 255, 0, 0));
    auto* frame = new FrameTile(nullptr, small, m_dir.File("anim.gif_3"));
    ASSERT_EQ(0, m_ctrl->Append(frame, 10));
    EXPECT_EQ(m_dir.File("anim.gif_3"), frame->m_filename);
    EXPECT_EQ(small.get(), frame->GetSmallPicture().get()) << "shared, not copied";
    EXPECT_EQ(wxSize(80, 20), frame->m_thumbnail.GetSize());
    // A source file that is gone (or never was) doesn't matter: the picture is at hand.
    auto* gone = NewItem(SolidImage(8, 8, 0, 0, 0), "gone.png");
    EXPECT_EQ(1, m_ctrl->Append(gone, 10));
}

TEST_F(ThumbnailCtrlTest, SliverPictureGetsNoThumbnail)
{
    auto* item = NewItem(SolidImage(1000, 3, 0, 0, 255));
    ASSERT_EQ(0, m_ctrl->Append(item, 0));
    EXPECT_FALSE(item->m_thumbnail.IsOk());
    Snapshot(true);  // paints the tile without a picture
}

TEST_F(ThumbnailCtrlTest, RefusedItemStaysWithTheCallerInsertedOneIsKept)
{
    // An item that paints no picture is refused by Append, and stays the caller's.
    auto plain = std::make_unique<StripTile>(m_dir.File("a.png"));
    EXPECT_EQ(-1, m_ctrl->Append(plain.get(), 10));
    EXPECT_EQ(0, m_ctrl->GetCount());
    // Insert keeps it all the same; it shows its tile only.
    EXPECT_EQ(0, m_ctrl->Insert(plain.release(), 0));
    EXPECT_EQ(1, m_ctrl->GetCount());
    Snapshot(false);
}

TEST_F(ThumbnailCtrlTest, ReorderKeepsItemsAndTheSelectionWithThem)
{
    AppendItems(4);
    std::vector<StripTile*> before;
    for (int i = 0; i < 4; ++i)
        before.push_back(m_ctrl->GetItem(i));
    m_ctrl->Select(1);
    m_ctrl->Select(3);
    m_ctrl->Reorder({3, 0, 1, 2});
    EXPECT_EQ(before[3], m_ctrl->GetItem(0));
    EXPECT_EQ(before[2], m_ctrl->GetItem(3));
    std::vector<int> selected = Selection();
    std::sort(selected.begin(), selected.end());
    EXPECT_EQ((std::vector<int>{0, 2}), selected);
    EXPECT_EQ(0, m_ctrl->GetFocusItem());
}

TEST_F(ThumbnailCtrlTest, BadIndicesAssertAndChangeNothing)
{
    AppendItems(2);
    m_ctrl->Select(1);
    AssertCatcher caught;
    wxRect rect(1, 2, 3, 4);
    EXPECT_EQ(nullptr, m_ctrl->GetItem(2));
    EXPECT_EQ(nullptr, m_ctrl->GetItem(-1));
    EXPECT_FALSE(m_ctrl->GetItemRect(2, rect));
    EXPECT_FALSE(m_ctrl->GetItemRectImage(-3, rect, false));
    EXPECT_EQ(wxRect(1, 2, 3, 4), rect);
    m_ctrl->Select(2);
    m_ctrl->SetFocusItem(-1);
    m_ctrl->Delete(2);
    m_ctrl->Delete(-1);
    ASSERT_EQ(8u, caught.Count());
    const auto cond = [&](size_t i) { return caught.Caught()[i].cond; };
    for (size_t i : {0, 1, 2, 3, 4})
        EXPECT_EQ("n < GetCount()", cond(i)) << i;
    EXPECT_EQ("item < GetCount()", cond(5));
    for (size_t i : {6, 7}) {
        // The toolkit's own wxCHECK_MSG quotes the condition.
        EXPECT_NE(std::string::npos, cond(i).find("uiIndex < size()")) << cond(i);
        EXPECT_EQ("bad index in StripTileArray::RemoveAt()", caught.Caught()[i].msg);
    }
    EXPECT_EQ(2, m_ctrl->GetCount());
    EXPECT_EQ(std::vector<int>({1}), Selection());
    EXPECT_EQ(1, m_ctrl->GetFocusItem());
}

TEST_F(ThumbnailCtrlTest, TileColoursEdgesAndFocusRectangleFollowState)
{
    AppendItems(3);
    m_ctrl->Select(1);
    const StripPalette& palette = m_ctrl->GetPalette();
    const wxRect r = ItemRect(1), u = ItemRect(0);
    wxRect box;
    m_ctrl->GetItemRectImage(1, box);
    const int midX = r.x + r.width / 2, midY = r.y + r.height / 2;

    const wxImage focused = Snapshot(true);
    EXPECT_EQ(palette.selection, Pixel(focused, r.x + 1, midY));
    EXPECT_EQ(palette.selection, Pixel(focused, midX, r.y)) << "a selected tile has no edge";
    EXPECT_EQ(palette.selection, Pixel(focused, r.GetRight(), midY));
    EXPECT_EQ(palette.tile, Pixel(focused, u.x + 1, midY));
    EXPECT_EQ(palette.tileEdge, Pixel(focused, u.x + u.width / 2, u.y));  // edged in shadow
    EXPECT_EQ(palette.tileEdge, Pixel(focused, u.x + u.width / 2, u.GetBottom()));
    EXPECT_EQ(kBackground, Pixel(focused, 1, 1));
    int dots = 0;
    for (int x = box.x - 1; x <= box.GetRight() + 1; ++x)
        dots += Pixel(focused, x, box.y - 1) == palette.selectionText;
    EXPECT_GT(dots, 10);
    EXPECT_LT(dots, box.width);  // dotted, not solid

    // Without the keyboard: the idle selection colour and no focus rectangle.
    const wxImage unfocused = Snapshot(false);
    EXPECT_EQ(palette.idleSelection, Pixel(unfocused, r.x + 1, midY));
    for (int x = box.x - 1; x <= box.GetRight() + 1; ++x)
        ASSERT_EQ(palette.idleSelection, Pixel(unfocused, x, box.y - 1));
}

TEST_F(ThumbnailCtrlTest, ThumbnailCentredInItsBox)
{
    ASSERT_EQ(0, m_ctrl->Append(NewItem(SolidImage(160, 40, 255, 0, 0)), 0));
    wxRect box;
    m_ctrl->GetItemRectImage(0, box);
    const wxImage img = Snapshot(false);
    const wxColour red(255, 0, 0);
    EXPECT_NE(red, Pixel(img, box.x + 40, box.y + 29));
    EXPECT_EQ(red, Pixel(img, box.x + 40, box.y + 30));
    EXPECT_EQ(red, Pixel(img, box.x, box.y + 49));
    EXPECT_EQ(red, Pixel(img, box.GetRight(), box.y + 40));
    EXPECT_NE(red, Pixel(img, box.x + 40, box.y + 50));
}

TEST_F(ThumbnailCtrlTest, LabelShowsFrameNumberAndStartTimeAtPaintTime)
{
    AppendItems(5);
    ASSERT_EQ(5, m_ctrl->Append(NewItem(SolidImage(8, 8, 0, 0, 0), "noext"), 10));
    m_ctrl->m_frameDelay = 10;
    const wxImage img = Snapshot(false);
    // The same text drawn the same way must give the same pixels.
    const wxRect box = LabelBox(4);
    const StripPalette& palette = m_ctrl->GetPalette();
    EXPECT_TRUE(SamePixels(DrawnLines(Lines("#5", "0.40sec"), box.GetSize(), palette.tile,
                                      palette.tileText),
                           img.GetSubImage(box)));
    // A name without extension gets no label: the box is plain tile colour.
    const wxImage none = img.GetSubImage(LabelBox(5));
    EXPECT_TRUE(SamePixels(SolidImage(none.GetWidth(), none.GetHeight(), palette.tile.Red(),
                                      palette.tile.Green(), palette.tile.Blue()),
                           none));
}

TEST_F(ThumbnailCtrlTest, LongestLabelsAreDrawnWholeAtSmallTextOrLarger)
{
    AppendItems(4);
    m_ctrl->m_frameDelay = 333333;  // frame #4 starts at 9999.99 s
    const wxImage img = Snapshot(false);
    const wxRect box = LabelBox(3);
    const wxColour tile = m_ctrl->GetUnselectedColour();
    // The label drawn with room to spare: its last column of ink must lie inside the tile,
    // and the tile must show exactly that much of it.
    const wxImage whole = DrawnLines(Lines("#4", "9999.99sec"), wxSize(box.width * 3, box.height),
                                     tile, m_ctrl->GetLabelColour());
    int lastInk = -1;
    for (int x = 0; x < whole.GetWidth(); ++x)
        for (int y = 0; y < whole.GetHeight(); ++y)
            if (Pixel(whole, x, y) != tile)
                lastInk = x;
    EXPECT_GT(lastInk, box.width / 2);
    EXPECT_LT(lastInk, box.width);
    EXPECT_TRUE(SamePixels(whole.GetSubImage(wxRect(0, 0, box.width, box.height)),
                           img.GetSubImage(box)));
    // Never below the desktop's small text, at every thumbnail size.
    const double small = SmallTextPoints(wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT));
    for (ThumbnailSize size : {ThumbnailSize::Small, ThumbnailSize::Medium, ThumbnailSize::Large}) {
        m_ctrl->SetThumbnailSize(size);
        EXPECT_GE(m_ctrl->GetLabelFont().GetFractionalPointSize(), small - 0.01);
        EXPECT_LE(m_ctrl->GetLabelLayout().width, LabelBox(3).width) << "the tile makes room";
    }
    m_ctrl->SetThumbnailSize(ThumbnailSize::Medium);
}

TEST_F(ThumbnailCtrlTest, FrozenControlNeitherRepaintsNorRescrollsUntilLastEndUpdate)
{
    int paints = 0;
    m_ctrl->Bind(wxEVT_PAINT, [&](wxPaintEvent& e) {
        ++paints;
        e.Skip();
    });
    YieldFor(50);
    paints = 0;
    m_ctrl->BeginUpdate();
    m_ctrl->BeginUpdate();
    AppendItems(30);
    m_ctrl->Insert(NewItem(SolidImage(8, 8, 0, 0, 0)), 3);
    m_ctrl->Delete(0);
    m_ctrl->EndUpdate();
    YieldFor(100);
    EXPECT_EQ(0, paints);
    EXPECT_FALSE(Scrollable());
    m_ctrl->EndUpdate();
    WaitFor("a repaint after the last EndUpdate", [&] { return paints > 0; });
    EXPECT_TRUE(Scrollable());
}

TEST_F(ThumbnailCtrlTest, ScrollingShowsWholeTileAndClampsAfterDeletion)
{
    EXPECT_FALSE(Scrollable());
    AppendItems(40);
    const ThumbnailGrid grid = m_ctrl->Grid();
    const wxSize client = m_ctrl->GetClientSize();
    EXPECT_EQ(grid.ScrollUnits(40, client.x), m_ctrl->GetScrollRange(wxVERTICAL));
    m_ctrl->ScrollToItem(39);
    wxYield();
    EXPECT_GT(m_ctrl->GetViewStart().y, 0);
    EXPECT_LE(ItemRect(39).GetBottom(), m_ctrl->GetClientSize().y - 1);
    while (m_ctrl->GetCount() > 2)
        m_ctrl->Delete(m_ctrl->GetCount() - 1);
    wxYield();
    EXPECT_EQ(0, m_ctrl->GetViewStart().y);
}

TEST_F(ThumbnailCtrlTest, BufferGrowsButNeverShrinks)
{
    EXPECT_TRUE(m_ctrl->EnsureBuffer(wxSize(900, 700)));
    EXPECT_TRUE(m_ctrl->EnsureBuffer(wxSize(100, 100)));
    EXPECT_FALSE(m_ctrl->EnsureBuffer(wxSize(0, 10)));
    EXPECT_EQ(wxSize(900, 700), m_ctrl->GetBufferBitmap().GetSize());
}

TEST_F(ThumbnailCtrlTest, ClicksSelectAndNotifyInOrder)
{
    AppendItems(10);
    m_ctrl->Select(1);
    m_ctrl->Select(3);
    Mouse(wxEVT_LEFT_DOWN, 5);
    const Note click{EVT_STRIP_LEFT_CLICK, 5, 0};
    EXPECT_EQ(std::vector<Note>({{kDesel, 1, 0}, {kDesel, 3, 0}, {kSel, 5, 0}, click}),
              m_notes);
    m_notes.clear();
    Mouse(wxEVT_LEFT_DOWN, 8, STRIP_SHIFT_DOWN);
    EXPECT_EQ(std::vector<int>({5, 6, 7, 8}), Selection());
    EXPECT_EQ(5u, m_notes.size());
    EXPECT_EQ((Note{EVT_STRIP_LEFT_CLICK, 8, STRIP_SHIFT_DOWN}), m_notes.back());
    m_notes.clear();
    Mouse(wxEVT_LEFT_DOWN, 6, STRIP_CTRL_DOWN);
    EXPECT_EQ(std::vector<int>({5, 7, 8}), Selection());
    EXPECT_EQ((Note{kDesel, 6, 0}), m_notes.front());

    // Right click moves only the focus; middle and double clicks only notify.
    m_notes.clear();
    Mouse(wxEVT_RIGHT_DOWN, 2);
    Mouse(wxEVT_MIDDLE_DOWN, 4);
    Mouse(wxEVT_LEFT_DCLICK, 7);
    EXPECT_EQ(std::vector<int>({5, 7, 8}), Selection());
    EXPECT_EQ(2, m_ctrl->GetFocusItem());
    EXPECT_EQ(std::vector<Note>({{EVT_STRIP_RIGHT_CLICK, 2, 0},
                                 {EVT_STRIP_MIDDLE_CLICK, 4, 0},
                                 {EVT_STRIP_LEFT_DCLICK, 7, 0}}),
              m_notes);

    // Spacing between tiles and the blank area right of the last column hit nothing.
    m_notes.clear();
    const int cell = m_ctrl->GetItemWidth() + m_ctrl->GetSpacing();
    Mouse(wxEVT_LEFT_DOWN, 0, 0, wxPoint(m_ctrl->GetItemWidth() + 1, 20));
    Mouse(wxEVT_LEFT_DOWN, 0, 0, wxPoint(m_ctrl->Grid().Columns(m_ctrl->GetClientSize().x) * cell, 20));
    EXPECT_TRUE(m_notes.empty());
    EXPECT_EQ(std::vector<int>({5, 7, 8}), Selection());
}

// The keys themselves, with real input, are in RealClickAndEveryNavigationKeyReachTheStrip.
TEST_F(ThumbnailCtrlTest, KeysStartAtItemZeroStopAtTheEndsAndPageOntoTheLastItem)
{
    AppendItems(10);
    // No focus and no last selection: any navigation key selects item 0.
    EXPECT_FALSE(Key(WXK_END));
    EXPECT_EQ(std::vector<int>({0}), Selection());
    EXPECT_EQ(std::vector<Note>({{kSel, 0, 0}}), m_notes);
    Key(WXK_END);
    m_notes.clear();
    Key(WXK_RIGHT);
    Key(WXK_DOWN);
    EXPECT_TRUE(m_notes.empty());
    EXPECT_EQ(std::vector<int>({9}), Selection());
    // Return names no item even with a focus item; other keys go on.
    EXPECT_FALSE(Key(WXK_RETURN, STRIP_SHIFT_DOWN));
    EXPECT_EQ(std::vector<Note>({{EVT_STRIP_RETURN, -1, STRIP_SHIFT_DOWN}}), m_notes);
    EXPECT_TRUE(Key('a'));
    // PageDown past the end lands on the last item and scrolls it wholly into view.
    Key(WXK_HOME);
    for (int i = 0; i < 3; ++i)
        Key(WXK_PAGEDOWN);
    EXPECT_EQ(std::vector<int>({9}), Selection());
    EXPECT_LE(ItemRect(9).GetBottom(), m_ctrl->GetClientSize().y - 1);
}

TEST_F(ThumbnailCtrlTest, SelectAllCommandSelectsEveryItemAndNamesTheFocusItem)
{
    wxUpdateUIEvent update(wxID_SELECTALL);
    m_ctrl->GetEventHandler()->ProcessEvent(update);
    EXPECT_FALSE(update.GetEnabled());
    AppendItems(4);
    wxUpdateUIEvent again(wxID_SELECTALL);
    m_ctrl->GetEventHandler()->ProcessEvent(again);
    EXPECT_TRUE(again.GetEnabled());
    wxCommandEvent command(wxEVT_MENU, wxID_SELECTALL);
    m_ctrl->GetEventHandler()->ProcessEvent(command);
    EXPECT_EQ(std::vector<int>({0, 1, 2, 3}), Selection());
    EXPECT_EQ(3, m_ctrl->GetFocusItem());
    // One notification, for the focus item, so the owner can show it.
    EXPECT_EQ(std::vector<Note>({{EVT_STRIP_SELECTED, 3, 0}}), m_notes);
}

TEST_F(ThumbnailCtrlTest, RealClickAndEveryNavigationKeyReachTheStrip)
{
    AppendItems(12);
    const int perRow = m_ctrl->Grid().Columns(m_ctrl->GetClientSize().x);
    const int page = std::min(11, perRow * m_ctrl->Grid().PageRows(m_ctrl->GetClientSize().y));
    wxUIActionSimulator sim;
    sim.MouseMove(m_ctrl->ClientToScreen(ItemRect(1).GetPosition() + wxPoint(20, 20)));
    sim.MouseClick();
    WaitFor("the click", [&] { return !m_notes.empty(); });
    EXPECT_EQ(std::vector<int>({1}), Selection());
    const struct {
        int key;
        int modifiers;
        std::vector<int> selection;
    } steps[] = {
        {WXK_RIGHT, 0, {2}},
        {WXK_DOWN, 0, {2 + perRow}},
        {WXK_LEFT, 0, {1 + perRow}},
        {WXK_UP, 0, {1}},
        {WXK_END, 0, {11}},
        {WXK_HOME, 0, {0}},
        {WXK_PAGEDOWN, 0, {page}},
        {WXK_PAGEUP, 0, {0}},
        {WXK_RIGHT, wxMOD_CONTROL, {0, 1}},
    };
    for (const auto& step : steps) {
        sim.Char(step.key, step.modifiers);
        WaitFor("a navigation key", [&] { return Selection() == step.selection; }, 3000);
        EXPECT_EQ(step.selection, Selection()) << "key " << step.key;
    }
    sim.Char('A', wxMOD_CONTROL);
    WaitFor("Ctrl+A", [&] { return Selection().size() == 12; }, 3000);
    EXPECT_EQ(12u, Selection().size()) << "Ctrl+A selects every frame";
    m_notes.clear();
    sim.Char(WXK_RETURN);
    WaitFor("Return", [&] { return !m_notes.empty(); }, 3000);
    EXPECT_EQ(std::vector<Note>({{EVT_STRIP_RETURN, -1, 0}}), m_notes);
}

TEST_F(ThumbnailCtrlTest, MoveKeepsTheItemObjectsAndTheirSelection)
{
    AppendItems(6);
    std::vector<StripTile*> items;
    for (int i = 0; i < 6; ++i)
        items.push_back(m_ctrl->GetItem(i));
    m_ctrl->Select(4);
    m_ctrl->Select(1);
    m_ctrl->Reorder(OrderAfterMove(6, {1, 4}, 6));
    const std::vector<int> order = {0, 2, 3, 5, 1, 4};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(items[order[i]], m_ctrl->GetItem(i)) << i;
    EXPECT_EQ(std::vector<int>({5, 4}), Selection()) << "the selection stays with its items";
    EXPECT_EQ(4, m_ctrl->GetFocusItem());
    m_ctrl->SetSelection({3, 4});
    EXPECT_EQ(std::vector<int>({3, 4}), Selection());
    EXPECT_EQ(3, m_ctrl->GetFocusItem());
    EXPECT_TRUE(m_notes.empty()) << "moving and selecting in code notify nothing";
}

TEST_F(ThumbnailCtrlTest, APressInsideASelectionClicksOnlyAtAReleaseWithoutDrag)
{
    AppendItems(10);
    m_ctrl->Select(5);
    m_ctrl->Select(7);
    m_ctrl->Select(8);
    Mouse(wxEVT_LEFT_DOWN, 7);
    EXPECT_TRUE(m_notes.empty()) << "the press may start a drag of the whole selection";
    EXPECT_EQ(std::vector<int>({5, 7, 8}), Selection());
    Mouse(wxEVT_LEFT_UP, 7);
    EXPECT_EQ(std::vector<int>({7}), Selection());
    EXPECT_EQ(std::vector<Note>({{kDesel, 5, 0}, {kSel, 7, 0}, {kDesel, 8, 0},
                                 {EVT_STRIP_LEFT_CLICK, 7, 0}}),
              m_notes);
}

TEST_F(ThumbnailCtrlTest, ALostCaptureEndsTheDragWithoutAMove)
{
    AppendItems(6);
    Mouse(wxEVT_LEFT_DOWN, 1);
    wxMouseEvent motion(wxEVT_MOTION);
    motion.SetPosition(ItemRect(4).GetPosition() + wxPoint(60, 20));
    motion.SetLeftDown(true);
    m_ctrl->GetEventHandler()->ProcessEvent(motion);
    ASSERT_TRUE(m_ctrl->IsDragging());
    EXPECT_EQ(5, m_ctrl->GetDropGap());
    EXPECT_TRUE(m_ctrl->HasCapture());
    wxMouseCaptureLostEvent lost(m_ctrl->GetId());
    m_ctrl->GetEventHandler()->ProcessEvent(lost);
    EXPECT_FALSE(m_ctrl->IsDragging());
    EXPECT_FALSE(m_ctrl->HasCapture());
    m_notes.clear();
    Mouse(wxEVT_LEFT_UP, 4);
    EXPECT_TRUE(m_notes.empty());
}
