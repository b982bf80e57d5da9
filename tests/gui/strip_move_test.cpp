// Reordering frames in the real main window with real input: dragging tiles in the strip
// (the drop marker, Escape, a release elsewhere, a drop onto the frames' own place,
// auto-scroll) and the Alt+arrow keys; the list, the selection, the preview and the labels
// follow a move.
#include <vector>

#include <gtest/gtest.h>
#include <wx/dcmemory.h>
#include <wx/panel.h>
#include <wx/uiaction.h>

#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "support/frame_files.h"
#include "support/gui_helpers.h"
#include "support/test_images.h"

namespace {

wxColour FrameColour(int i)
{
    return wxColour(40 * (i % 6), 90, 200 - 4 * (i / 6));
}

class StripMove : public testing::Test {
protected:
    void LoadFrames(int count)
    {
        wxArrayString paths;
        for (int i = 0; i < count; ++i)
            paths.Add(WritePicture(dir, wxString::Format("f%d.png", i).c_str(), 20, 10,
                                   FrameColour(i)));
        fixture.AddImages(paths);
        Strip().Bind(EVT_STRIP_MOVE, [this](FrameStripEvent& e) {
            requests.push_back(e.GetIndex());
            e.Skip();
        });
    }

    MainWindow& Frame() { return fixture.Frame(); }
    FrameStrip& Strip() { return *Probe(Frame()).Strip(); }

    wxPoint TileCentre(int index)
    {
        wxRect rect;
        Strip().GetItemRect(index, rect);
        return Strip().ClientToScreen(rect.GetPosition() +
                                      wxPoint(rect.width / 2, rect.height / 2));
    }
    // A screen point right of the last tile, in its row: the end of the list.
    wxPoint AfterLastTile()
    {
        wxRect rect;
        Strip().GetItemRect(Strip().GetCount() - 1, rect);
        return Strip().ClientToScreen(rect.GetPosition() +
                                      wxPoint(rect.width + 20, rect.height / 2));
    }

    // Presses on from and moves toward to in steps, as a hand does, leaving the button down.
    void PressAndMove(const wxPoint& from, const wxPoint& to)
    {
        sim.MouseMove(from);
        YieldFor(30);
        sim.MouseDown();
        YieldFor(30);
        const int steps = 8;
        for (int i = 1; i <= steps; ++i) {
            sim.MouseMove(from + (to - from) * i / steps);
            YieldFor(25);
        }
        YieldFor(50);
    }
    void Release()
    {
        sim.MouseUp();
        YieldFor(100);
    }

    void SelectFrames(std::initializer_list<int> indices)
    {
        Strip().SetFocus();
        Strip().SetSelection(indices);
        YieldFor(20);
    }
    std::vector<int> Selection()
    {
        return std::vector<int>(Strip().m_selections.begin(), Strip().m_selections.end());
    }

    // The strip as its paint handler draws it, focused.
    wxImage Snapshot()
    {
        const wxSize size = Strip().GetClientSize();
        wxBitmap bitmap(size);
        wxMemoryDC dc(bitmap);
        Strip().PrepareDC(dc);
        Strip().PaintContent(dc, wxRegion(0, 0, size.x, size.y), true);
        dc.SelectObject(wxNullBitmap);
        return bitmap.ConvertToImage();
    }
    static wxColour Pixel(const wxImage& image, const wxPoint& p)
    {
        return wxColour(image.GetRed(p.x, p.y), image.GetGreen(p.x, p.y), image.GetBlue(p.x, p.y));
    }
    int MarkerPixels(const wxImage& image)
    {
        int found = 0;
        for (int y = 0; y < image.GetHeight(); ++y)
            for (int x = 0; x < image.GetWidth(); ++x)
                found += Pixel(image, wxPoint(x, y)) == Strip().GetDropMarkerColour();
        return found;
    }

    TempDir dir;
    MainWindowFixture fixture;
    wxUIActionSimulator sim;
    std::vector<int> requests;
};

}  // namespace

TEST_F(StripMove, DraggingTwoFramesToTheEndMovesThemAndTheLabelsFollow)
{
    LoadFrames(6);
    SelectFrames({2, 3});
    Probe(Frame()).ShowFrame(3);
    const unsigned version = Probe(Frame()).FrameListVersion();

    PressAndMove(TileCentre(2), AfterLastTile());
    ASSERT_TRUE(Strip().IsDragging());
    EXPECT_EQ(6, Strip().GetDropGap());
    EXPECT_TRUE(Strip().HasCapture());
    EXPECT_GT(MarkerPixels(Snapshot()), 40) << "the drop marker is drawn";
    Release();

    EXPECT_EQ(std::vector<int>({6}), requests);
    EXPECT_FALSE(Strip().IsDragging());
    EXPECT_FALSE(Strip().HasCapture());
    EXPECT_EQ(FrameNames(Frame(), true),
              Paths({"f0.png", "f1.png", "f4.png", "f5.png", "f2.png", "f3.png"}));
    EXPECT_EQ(std::vector<int>({4, 5}), Selection()) << "the moved frames stay selected";
    EXPECT_EQ(4, Strip().GetFocusItem());
    EXPECT_EQ(5, Probe(Frame()).ShownIndex()) << "the preview keeps showing f3";
    EXPECT_NE(version, Probe(Frame()).FrameListVersion()) << "the document has changed";

    // What the strip shows: f2's picture in the fifth tile, under the label #5.
    Strip().m_frameDelay = 10;
    const wxImage shown = Snapshot();
    EXPECT_EQ(0, MarkerPixels(shown)) << "the marker is gone";
    wxRect image;
    Strip().GetItemRectImage(4, image);
    EXPECT_EQ(FrameColour(2).GetAsString(), Pixel(shown, image.GetPosition() +
                                                          wxPoint(image.width / 2, image.height / 2))
                                                    .GetAsString());
    wxRect tile;
    Strip().GetItemRect(4, tile);
    const wxRect labelBox = Strip().Grid().LabelRect(tile);
    wxBitmap expected(labelBox.GetSize());
    {
        wxMemoryDC dc(expected);
        dc.SetBackground(wxBrush(Strip().GetFocusedSelectionColour()));
        dc.Clear();
        dc.SetFont(Strip().GetLabelFont());
        dc.SetTextForeground(Strip().GetPalette().selectionText);
        int y = 0;
        for (const wxString& line : LabelLines("#5  0.40sec", Strip().GetLabelLayout().lines)) {
            dc.DrawText(line, 0, y);
            y += Strip().GetLabelLayout().lineHeight;
        }
    }
    EXPECT_TRUE(SamePixels(expected.ConvertToImage(), shown.GetSubImage(labelBox)));
}

TEST_F(StripMove, AnUnselectedTileIsSelectedAndDraggedAlone)
{
    LoadFrames(5);
    SelectFrames({3});
    PressAndMove(TileCentre(0), TileCentre(2) + wxPoint(10, 0));
    EXPECT_EQ(std::vector<int>({0}), Selection()) << "the press selected the tile";
    Release();
    EXPECT_EQ(std::vector<int>({3}), requests);
    EXPECT_EQ(FrameNames(Frame(), true),
              Paths({"f1.png", "f2.png", "f0.png", "f3.png", "f4.png"}));
}

TEST_F(StripMove, EscapeAndAReleaseOutsideTheStripCancelTheDrag)
{
    LoadFrames(5);
    SelectFrames({1});
    const wxArrayString before = FrameNames(Frame(), true);

    PressAndMove(TileCentre(1), AfterLastTile());
    ASSERT_TRUE(Strip().IsDragging());
    EXPECT_TRUE(Strip().GetCursor().IsOk()) << "the pointer shows a move";
    sim.Char(WXK_ESCAPE);
    WaitFor("Escape", [&] { return !Strip().IsDragging(); }, 3000);
    EXPECT_FALSE(Strip().HasCapture());
    EXPECT_FALSE(Strip().GetCursor().IsOk()) << "and the usual pointer again";
    EXPECT_EQ(0, MarkerPixels(Snapshot())) << "the marker is gone";
    Release();

    // Onto the preview panel, below the strip.
    const wxPoint preview =
        Probe(Frame()).PreviewPanel()->GetScreenRect().GetTopLeft() + wxPoint(50, 50);
    PressAndMove(TileCentre(1), preview);
    ASSERT_TRUE(Strip().IsDragging());
    EXPECT_EQ(-1, Strip().GetDropGap()) << "no marker outside the strip";
    Release();
    EXPECT_FALSE(Strip().IsDragging());
    EXPECT_FALSE(Strip().HasCapture());

    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(before, FrameNames(Frame(), true));
    EXPECT_EQ(std::vector<int>({1}), Selection());
}

TEST_F(StripMove, ADropOntoTheFramesOwnPlaceSendsNothing)
{
    LoadFrames(6);
    SelectFrames({2, 3});
    // From frame 2 to the right half of frame 3: after it, where the pair already is.
    PressAndMove(TileCentre(2), TileCentre(3) + wxPoint(15, 0));
    ASSERT_TRUE(Strip().IsDragging());
    EXPECT_EQ(4, Strip().GetDropGap());
    Release();
    EXPECT_TRUE(requests.empty());
    EXPECT_EQ(std::vector<int>({2, 3}), Selection()) << "the whole selection was dragged";

    // A press and release without a drag inside the selection is a plain click.
    sim.MouseMove(TileCentre(3));
    sim.MouseClick();
    WaitFor("the click", [&] { return Selection() == std::vector<int>({3}); }, 3000);
    EXPECT_EQ(3, Probe(Frame()).ShownIndex());
    EXPECT_TRUE(requests.empty());
}

TEST_F(StripMove, AltArrowsMoveTheSelectionByOnePlaceOrRow)
{
    const int perRow = Strip().Grid().Columns(Strip().GetClientSize().x);
    LoadFrames(perRow + 4);
    sim.MouseMove(TileCentre(1));
    sim.MouseClick();
    WaitFor("the click", [&] { return Probe(Frame()).ShownIndex() == 1; });

    sim.Char(WXK_RIGHT, wxMOD_ALT);
    WaitFor("Alt+Right", [&] { return !requests.empty(); }, 3000);
    EXPECT_EQ(std::vector<int>({3}), requests) << "before the frame after next";
    EXPECT_EQ("f1.png", FrameNames(Frame(), true)[2]);
    EXPECT_EQ(std::vector<int>({2}), Selection());
    EXPECT_EQ(2, Probe(Frame()).ShownIndex());

    sim.Char(WXK_DOWN, wxMOD_ALT);
    WaitFor("Alt+Down", [&] { return requests.size() == 2; }, 3000);
    EXPECT_EQ("f1.png", FrameNames(Frame(), true)[2 + perRow]);
    EXPECT_EQ(std::vector<int>({2 + perRow}), Selection());
    sim.Char(WXK_DOWN, wxMOD_ALT);  // no row below
    sim.Char(WXK_UP, wxMOD_ALT);
    WaitFor("Alt+Up", [&] { return requests.size() == 3; }, 3000);
    YieldFor(100);
    EXPECT_EQ(3u, requests.size());
    EXPECT_EQ("f1.png", FrameNames(Frame(), true)[2]);

    // At the start Alt+Left and Alt+Up send nothing; Ctrl+Right still extends the selection.
    sim.Char(WXK_HOME);
    WaitFor("Home", [&] { return Selection() == std::vector<int>({0}); }, 3000);
    sim.Char(WXK_LEFT, wxMOD_ALT);
    sim.Char(WXK_UP, wxMOD_ALT);
    sim.Char(WXK_RIGHT, wxMOD_CONTROL);
    WaitFor("Ctrl+Right", [&] { return Selection() == std::vector<int>({0, 1}); }, 3000);
    YieldFor(100);
    EXPECT_EQ(3u, requests.size());
    wxArrayString order = FrameNames(Frame(), true);
    EXPECT_EQ(Paths({"f0.png", "f2.png", "f1.png", "f3.png"}),
              wxArrayString(order.begin(), order.begin() + 4));
}

TEST_F(StripMove, RestingNearTheBottomEdgeScrollsTheStrip)
{
    LoadFrames(60);
    ASSERT_GT(Strip().GetVirtualSize().y, Strip().GetClientSize().y * 2);
    SelectFrames({0});
    const wxSize client = Strip().GetClientSize();
    PressAndMove(TileCentre(0), Strip().ClientToScreen(wxPoint(client.x / 3, client.y - 4)));
    ASSERT_TRUE(Strip().IsDragging());
    WaitFor("the strip to scroll", [&] { return Strip().GetViewStart().y > 20; }, 5000);
    Release();
    ASSERT_EQ(1u, requests.size());
    const int gap = requests[0];
    EXPECT_GT(gap, Strip().Grid().Columns(client.x) * 2) << "the drop follows the scroll";
    EXPECT_EQ("f0.png", FrameNames(Frame(), true)[gap - 1]);
}
