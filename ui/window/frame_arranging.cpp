// Putting frames in order: moves, duplicates, reversal and ping-pong, each one undoable step.
#include <wx/menu.h>
#include <wx/spinctrl.h>

#include "core/document/frame_order.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"


void MainWindow::AppendArrangingCommands(wxMenu& menu)
{
    menu.Append(ID_MOVE_LEFT, _("Move &Left") + "\tAlt+Left");
    menu.Append(ID_MOVE_RIGHT, _("Move &Right") + "\tAlt+Right");
    menu.Append(ID_DUPLICATE, _("D&uplicate") + "\tCtrl+D");
    menu.Append(ID_REVERSE, _("Re&verse Order"));
    menu.Append(ID_PING_PONG, _("&Ping-Pong"));
}

void MainWindow::BindEditCommands()
{
    Bind(wxEVT_MENU, &MainWindow::OnUndo, this, wxID_UNDO);
    Bind(wxEVT_MENU, &MainWindow::OnRedo, this, wxID_REDO);
    Bind(wxEVT_MENU, &MainWindow::OnMoveLeft, this, ID_MOVE_LEFT);
    Bind(wxEVT_MENU, &MainWindow::OnMoveRight, this, ID_MOVE_RIGHT);
    Bind(wxEVT_MENU, &MainWindow::OnDuplicate, this, ID_DUPLICATE);
    Bind(wxEVT_MENU, &MainWindow::OnReverse, this, ID_REVERSE);
    Bind(wxEVT_MENU, &MainWindow::OnPingPong, this, ID_PING_PONG);
    Bind(wxEVT_MENU, &MainWindow::OnSetFrameDelay, this, ID_SET_DELAY);
    Bind(wxEVT_MENU, &MainWindow::OnScaleDelays, this, ID_SCALE_DELAYS);
    Bind(wxEVT_MENU, &MainWindow::OnKeepGifTiming, this, ID_KEEP_GIF_TIMING);
    Bind(wxEVT_UPDATE_UI, &MainWindow::OnUpdateEditCommand, this, wxID_UNDO);
    Bind(wxEVT_UPDATE_UI, &MainWindow::OnUpdateEditCommand, this, wxID_REDO);
    Bind(wxEVT_UPDATE_UI, &MainWindow::OnUpdateEditCommand, this, ID_MOVE_LEFT, ID_SCALE_DELAYS);
    Bind(wxEVT_MENU, &MainWindow::OnThumbnailSizeMenu, this, ID_THUMBNAILS_SMALL,
         ID_THUMBNAILS_LARGE);
    Bind(wxEVT_UPDATE_UI, &MainWindow::OnUpdateThumbnailSizeMenu, this, ID_THUMBNAILS_SMALL,
         ID_THUMBNAILS_LARGE);
    Bind(wxEVT_MENU, &MainWindow::OnSecondKey, this, ID_ADD_IMAGE_KEY, ID_STOP_PREVIEW_KEY);
    Bind(wxEVT_MENU, &MainWindow::OnZoomMenu, this, ID_ZOOM_IN, ID_ZOOM_400);
    Bind(wxEVT_UPDATE_UI, &MainWindow::OnUpdateZoomMenu, this, ID_ZOOM_FIT, ID_ZOOM_400);
    const std::vector<wxAcceleratorEntry> keys = SecondKeys();
    SetAcceleratorTable(wxAcceleratorTable(static_cast<int>(keys.size()), keys.data()));
}

std::vector<wxAcceleratorEntry> MainWindow::SecondKeys()
{
    // Ctrl+Y redoes, the other common key for it; Ctrl+I adds images, a key every keyboard
    // has, beside the menu's Ctrl+Insert; Ctrl+T stops the preview, as it always did.
    // The preview zooms in with Ctrl+= too (Ctrl++ without Shift), and with the keypad.
    return {{wxACCEL_CTRL, 'Y', wxID_REDO},
            {wxACCEL_CTRL, 'I', ID_ADD_IMAGE_KEY},
            {wxACCEL_CTRL, 'T', ID_STOP_PREVIEW_KEY},
            {wxACCEL_CTRL, '=', ID_ZOOM_IN},
            {wxACCEL_CTRL, WXK_NUMPAD_ADD, ID_ZOOM_IN},
            {wxACCEL_CTRL, WXK_NUMPAD_SUBTRACT, ID_ZOOM_OUT},
            {wxACCEL_CTRL, WXK_NUMPAD0, ID_ZOOM_FIT}};
}

std::vector<int> MainWindow::SelectedFrames() const
{
    return m_thumbnails->SelectedIndices();
}

void MainWindow::OnUpdateEditCommand(wxUpdateUIEvent& event)
{
    // While a job runs the window holds still, these included.
    if (m_holding) {
        event.Enable(false);
        return;
    }
    const std::vector<int> selected = SelectedFrames();
    switch (event.GetId()) {
    case wxID_UNDO:
        event.Enable(m_history->CanUndo());
        break;
    case wxID_REDO:
        event.Enable(m_history->CanRedo());
        break;
    case ID_MOVE_LEFT:
        event.Enable(!selected.empty() && selected.front() > 0);
        break;
    case ID_MOVE_RIGHT:
        event.Enable(!selected.empty() && selected.back() < FrameCount() - 1);
        break;
    case ID_DUPLICATE:
    case ID_SET_DELAY:
        event.Enable(!selected.empty());
        break;
    case ID_SCALE_DELAYS:
        event.Enable(FrameCount() > 0);
        break;
    case ID_REVERSE:
        event.Enable(FrameCount() > 1);
        break;
    case ID_PING_PONG:
        event.Enable(FrameCount() > 2);
        break;
    }
}

void MainWindow::OnMoveLeft(wxCommandEvent&)
{
    const std::vector<int> selected = SelectedFrames();
    if (!selected.empty() && selected.front() > 0)
        MoveFrames(selected, selected.front() - 1);
}

void MainWindow::OnMoveRight(wxCommandEvent&)
{
    const std::vector<int> selected = SelectedFrames();
    // Before the frame after the one that follows the selection's last.
    if (!selected.empty() && selected.back() < FrameCount() - 1)
        MoveFrames(selected, selected.back() + 2);
}

void MainWindow::OnDuplicate(wxCommandEvent&)
{
    const std::vector<int> selected = SelectedFrames();
    if (selected.empty())
        return;
    // The copies share the pictures; they follow the selection's last frame, in order.
    FrameList copies;
    for (int index : selected)
        copies.push_back(m_document.Frame(index));
    const int n = static_cast<int>(copies.size());
    SubmitEdit(new InsertFramesCommand(
        m_document,
        [n] {
            return wxString::Format(wxPLURAL("Duplicate %d Frame", "Duplicate %d Frames", n), n);
        },
        selected.back() + 1, copies));
}

void MainWindow::OnReverse(wxCommandEvent&)
{
    if (FrameCount() < 2)
        return;
    SubmitEdit(new ReorderFramesCommand(m_document, [] { return _("Reverse Order"); },
                                        ReverseOrder(FrameCount(), SelectedFrames())));
}

void MainWindow::OnPingPong(wxCommandEvent&)
{
    const int n = FrameCount();
    if (n < 3)
        return;
    // Back again without showing either end frame twice in a row when the animation loops.
    FrameList back;
    for (int i = n - 2; i >= 1; --i)
        back.push_back(m_document.Frame(i));
    SubmitEdit(new InsertFramesCommand(m_document, [] { return _("Ping-Pong"); }, n, back));
}
