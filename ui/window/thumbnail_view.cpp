// How large the strip shows its frames: the View menu, Ctrl with the wheel over the strip,
// and the settings that remember the choice.
#include <wx/menu.h>

#include "core/settings/product.h"
#include "core/settings/settings_store.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"
#include "ui/dialogs/message_boxes.h"

namespace {
const char kThumbnailSizeKey[] = "Strip/ThumbnailSize";
}

void MainWindow::TakeRememberedThumbnailSize()
{
    m_thumbnails->SetThumbnailSize(
        ThumbnailSizeFromSetting(Settings().ReadLong(kThumbnailSizeKey, -1)));
}

void MainWindow::AppendViewCommands(wxMenu& menu)
{
    menu.AppendRadioItem(ID_THUMBNAILS_SMALL, _("&Small Thumbnails"));
    menu.AppendRadioItem(ID_THUMBNAILS_MEDIUM, _("&Medium Thumbnails"));
    menu.AppendRadioItem(ID_THUMBNAILS_LARGE, _("&Large Thumbnails"));
}

void MainWindow::OnThumbnailSizeMenu(wxCommandEvent& event)
{
    m_thumbnails->SetThumbnailSize(
        static_cast<ThumbnailSize>(event.GetId() - ID_THUMBNAILS_SMALL));
    RememberThumbnailSize();
}

void MainWindow::OnUpdateThumbnailSizeMenu(wxUpdateUIEvent& event)
{
    // The strip holds the size; the menu shows it, however it was chosen.
    event.Check(event.GetId() - ID_THUMBNAILS_SMALL ==
                static_cast<int>(m_thumbnails->GetThumbnailSize()));
}

void MainWindow::OnThumbnailSizeChanged(FrameStripEvent&)
{
    RememberThumbnailSize();
}

void MainWindow::RememberThumbnailSize()
{
    const long size = ThumbnailSizeSetting(m_thumbnails->GetThumbnailSize());
    if (Settings().Write(kThumbnailSizeKey, size) || m_toldSizeNotStored)
        return;
    // Said once: the size still holds until the window closes.
    m_toldSizeNotStored = true;
    ShowMessage(wxString::Format(_("The thumbnail size could not be stored in %s."),
                                 GetSettingsFilePath()),
                GetProductName(), wxOK | wxICON_WARNING, this);
}

void MainWindow::OnSecondKey(wxCommandEvent& event)
{
    wxMenuItem* item =
        m_menubar->FindItem(event.GetId() == ID_ADD_IMAGE_KEY ? ID_ADD_IMAGE : ID_RUN_ANIMATION);
    // The key does what its menu item does, and only when the item could be chosen.
    if (!item || !item->IsEnabled())
        return;
    if (event.GetId() == ID_STOP_PREVIEW_KEY && !m_player.Playing())
        return;
    wxCommandEvent command(wxEVT_MENU, item->GetId());
    command.SetEventObject(this);
    ProcessWindowEvent(command);
}
