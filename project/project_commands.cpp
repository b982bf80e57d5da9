// Saving and opening projects, the unsaved-changes question, and closing the window.
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>

#include "app/product.h"
#include "include/window/thumbnailctrl.h"
#include "mainwindow/gif_frame.h"
#include "project/project_file.h"

namespace {
// Yes, No or Cancel (wxID_YES, wxID_NO, wxID_CANCEL).
int AskToSaveProject(wxWindow* parent)
{
    wxMessageDialog question(
        parent,
        _("The project is unsaved,you can continue to edit\n your project when you open it next time,do you \nwant to save the project now?"),
        _("Warning"), wxYES_NO | wxCANCEL | wxNO_DEFAULT | wxICON_EXCLAMATION);
    return question.ShowModal();
}
}

bool GifFrame::ProjectChanged() const
{
    return m_spinctrl_delay->GetValue() != m_savedDelay ||
           m_spinctrl_width->GetValue() != m_savedWidth ||
           m_spinctrl_height->GetValue() != m_savedHeight || FrameCount() != m_savedCount ||
           m_projectSavedVersion != m_frameListVersion;
}

bool GifFrame::SaveProject()
{
    if (FrameCount() == 0)
        return false;
    ProjectData data;
    data.gifName = wxFileNameFromPath(m_gifPath);
    data.width = m_spinctrl_width->GetValue();
    data.height = m_spinctrl_height->GetValue();
    data.delay = m_spinctrl_delay->GetValue();
    for (int i = 0; i < FrameCount(); ++i)
        data.frames.Add(m_thumbnails->GetItem(i)->m_filename);

    wxString path = m_projectPath;
    if (path.empty())
        path = GetPathChooser().ChooseFileToSave(this, _("Save XML Files"),
                                                 _("XML files") + " (*.xml)|*.xml", wxString());
    if (path.empty())
        return false;
    if (!path.EndsWith(".xml"))
        path += ".xml";

    wxString error;
    if (!WriteProjectFile(path, data, &error)) {
        wxMessageBox(wxString::Format(_("The project could not be saved to %s:\n%s"), path, error),
                     GetProductName(), wxOK | wxICON_ERROR, this);
        return false;
    }
    // Only a project that is on disk counts as saved.
    m_projectPath = path;
    m_savedWidth = data.width;
    m_savedHeight = data.height;
    m_savedDelay = data.delay;
    m_savedCount = FrameCount();
    m_projectSavedVersion = m_frameListVersion;
    m_projectName = wxFileNameFromPath(m_projectPath);
    SetTitle(ProjectTitle(m_projectName, GetProductName()));
    return true;
}

void GifFrame::OnSaveProject(wxCommandEvent&)
{
    SaveProject();
}

void GifFrame::OnOpenProject(wxCommandEvent&)
{
    const bool ask = m_projectPath.empty() ? FrameCount() > 0 : ProjectChanged();
    if (ask) {
        switch (AskToSaveProject(this)) {
        case wxID_YES:
            // Unsaved work is never dropped: no save, no open.
            if (!SaveProject())
                return;
            break;
        case wxID_NO:
            break;
        default:
            return;
        }
    }
    OpenProject();
}

void GifFrame::OpenProject()
{
    StopPreview();
    const wxArrayString chosen = GetPathChooser().ChooseFilesToOpen(
        this, _("Load Xml Files"), _("Xml files") + " (*.xml)|*.xml", false);
    if (chosen.empty())
        return;
    const wxString path = chosen[0];

    // The frames go only once a project was chosen.
    m_thumbnails->Clear();
    FramesChanged();
    DisableFrameTools();
    m_statusBar1->SetStatusText(wxEmptyString, 1);
    ClearPreview();

    m_projectPath = path;
    m_projectName = wxFileNameFromPath(path);
    SetTitle(ProjectTitle(m_projectName, GetProductName()));

    const ProjectReading project = ReadProjectFile(path);
    if (project.stage == ProjectStage::NotRead) {
        wxMessageBox(_("Failed to load XML file!"), GetTitle(), wxOK | wxICON_INFORMATION, this);
        return;
    }
    m_savedWidth = project.width;
    m_spinctrl_width->SetValue(project.width);
    if (project.stage < ProjectStage::Height)
        return;
    m_savedHeight = project.height;
    m_spinctrl_height->SetValue(project.height);
    m_gifName = project.gifName;
    const wxString text = m_gifName.empty()
        ? wxString::Format("Unititle.gif(%d * %d)" + _("px"), project.width, project.height)
        : wxString::Format("%s(%d * %d)" + _("px"), m_gifName, project.width, project.height);
    m_statusBar1->SetStatusText(text, 0);
    m_baseWidth = m_canvasWidth = project.width;
    m_baseHeight = m_canvasHeight = project.height;
    if (project.stage < ProjectStage::Delay)
        return;
    m_savedDelay = project.delay;
    m_spinctrl_delay->SetValue(project.delay);
    if (project.stage < ProjectStage::Images)
        return;
    if (project.imagesEmpty) {
        wxMessageBox(_("Failed to load XML file!"), GetTitle(), wxOK | wxICON_INFORMATION, this);
        return;
    }
    if (project.sources.empty()) {
        m_statusBar1->SetStatusText(wxEmptyString, 1);
        ClearPreview();
        wxMessageBox(_("Failed to load XML file!"), GetTitle(), wxOK | wxICON_INFORMATION, this);
        return;
    }
    if (!StartImageLoad(project.sources))
        return;
    m_savedCount = FrameCount();
    m_projectSavedVersion = m_frameListVersion;
    EnableFrameTools();
}

bool GifFrame::ConfirmClose()
{
    if (!ProjectChanged())
        return true;
    switch (AskToSaveProject(this)) {
    case wxID_YES:
        // A cancelled or failed save keeps the window open, with the work in it.
        return SaveProject();
    case wxID_NO:
        return true;
    default:
        return false;
    }
}

void GifFrame::OnExit(wxCommandEvent&)
{
    Close();
}

void GifFrame::OnClose(wxCloseEvent& event)
{
    StopPreview();
    if (FrameCount() > 0 && !ConfirmClose() && event.CanVeto()) {
        event.Veto();
        return;
    }
    Destroy();
}
