// Saving and opening projects, the unsaved-changes question, and closing the window.
#include <memory>

#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/spinctrl.h>
#include <wx/statusbr.h>

#include "core/settings/product.h"
#include "ui/dialogs/message_boxes.h"
#include "ui/strip/frame_strip.h"
#include "core/view/canvas_math.h"
#include "ui/window/main_window.h"
#include "ui/dialogs/message_text.h"
#include "core/project/frame_file_plan.h"
#include "core/project/frame_folder.h"
#include "core/project/project_file.h"
#include "core/project/recovery_frames.h"
#include "core/project/recovery_store.h"
#include "core/jobs/load_session.h"

namespace {
// Yes, No or Cancel (wxID_YES, wxID_NO, wxID_CANCEL).
int AskToSaveProject(wxWindow* parent)
{
    MessageDialog question(
        parent,
        _("The project is unsaved,you can continue to edit\n your project when you open it next time,do you \nwant to save the project now?"),
        _("Warning"), wxYES_NO | wxCANCEL | wxNO_DEFAULT | wxICON_EXCLAMATION);
    return question.ShowModal();
}

wxString ProjectProblemText(const wxString& path, const ProjectReading& project)
{
    switch (project.problem) {
    case ProjectProblem::Unreadable:
        return wxString::Format(_("The project file %s can't be read:\n%s"), path, project.detail);
    case ProjectProblem::NotXml:
        return wxString::Format(_("The file %s is not a project: it is not a well-formed XML file."),
                                path);
    case ProjectProblem::NotProject:
        return wxString::Format(_("The file %s is not a project: the element \"%s\" is missing or "
                                  "out of place."),
                                path, project.detail);
    case ProjectProblem::TooLarge:
        return wxString::Format(_("The file %s is not a project: it is larger than %d MB, far "
                                  "more than any project."),
                                path, static_cast<int>(kMaxProjectBytes / 1000000));
    case ProjectProblem::TooDeep:
        return wxString::Format(_("The file %s is not a project: its elements are nested more "
                                  "than %d deep."),
                                path, kMaxProjectDepth);
    case ProjectProblem::TooManyAttributes:
        return wxString::Format(_("The file %s is not a project: an element in it has more "
                                  "than %d attributes."),
                                path, kMaxProjectAttributes);
    case ProjectProblem::DocumentType:
        return wxString::Format(_("The file %s is not a project: it declares a document type, "
                                  "which no project has."),
                                path);
    default:
        return wxString::Format(_("The project %s holds no frames."), path);
    }
}

bool FitsCanvas(int width, int height)
{
    return width >= 1 && height >= 1 && width <= kGifMaxSide && height <= kGifMaxSide;
}
}

void MainWindow::UpdateTitle()
{
    SetTitle(m_projectPath.empty() ? GetProductName()
                                   : ProjectTitle(m_projectName, GetProductName()));
}

bool MainWindow::ProjectChanged() const
{
    // The history's saved mark is the last project saved or opened: undoing back to it
    // counts as unchanged.
    return m_history->IsDirty();
}

ProjectData MainWindow::CurrentProjectData() const
{
    ProjectData data;
    // The GIF name the project carries: its own, until a GIF is actually saved.
    data.gifName = XmlCanHold(m_gifName) ? m_gifName : wxString();
    data.width = m_document.Canvas().x;
    data.height = m_document.Canvas().y;
    data.delay = m_document.Delay();
    for (int i = 0; i < FrameCount(); ++i) {
        data.frames.Add(m_document.Frame(i)->source);
        data.frameDelays.push_back(m_document.Frame(i)->delay);
    }
    data.loopCount = m_document.LoopCount();
    data.loopInGif = m_document.LoopInFile();
    data.edit = m_document.Edit();
    return data;
}

bool MainWindow::SaveProject(bool choosePath)
{
    if (FrameCount() == 0)
        return false;
    ProjectData data = CurrentProjectData();
    // A file that could never be opened again is not written at all.
    const int unstorable = FirstFrameXmlCannotHold(data);
    if (unstorable >= 0) {
        ShowMessage(wxString::Format(_("The project was not saved: the file name of frame %d "
                                        "(%s) holds a character that a project file can't "
                                        "store."),
                                      unstorable + 1, data.frames[unstorable]),
                     GetProductName(), wxOK | wxICON_ERROR, this);
        return false;
    }

    wxString path = m_projectPath;
    if (path.empty() || choosePath)
        path = AskSavePath(_("Save XML Files"), _("XML files") + " (*.xml)|*.xml", ".xml",
                           m_projectPath);
    if (path.empty())
        return false;

    // A file an older version wrote keeps its run markers; any other file gets today's.
    data.markers = path == m_projectPath ? m_projectMarkers : ProjectMarkers::GifPath;
    // The frames' files come first: the project is written only once they are all there.
    const wxString fromFolder = m_projectPath.empty() ? wxString() : FramesFolderOf(m_projectPath);
    // The recovery copy's files are there already (a recording's, a restored document's):
    // copying one is cheaper than encoding its picture again. The document holds still while
    // the save runs, so the copy keeps every one of them meanwhile.
    const FrameFilePlan plan =
        PlanFrameFiles(m_document.Frames(), path, fromFolder, *m_projectFrameFiles,
                       [](const wxString& file) { return wxFileExists(file); },
                       &m_recoveryFrames->Record());
    if (!WriteProjectFrames(plan, path))
        return false;
    data.frames = plan.entries;
    ExportFailure failure;
    if (!WriteProjectFile(path, data, nullptr, &failure)) {
        // Files of new names, which nothing refers to.
        for (const FrameFileTask& task : plan.tasks)
            wxRemoveFile(task.target);
        ShowMessage(wxString::Format(_("The project could not be saved to %s:\n%s"), path,
                                      ExportFailureText(failure, true)),
                     GetProductName(), wxOK | wxICON_ERROR, this);
        return false;
    }
    for (const auto& placed : plan.placed)
        m_projectFrameFiles->Note(placed.first, placed.second);
    RemoveUnusedFrameFiles(plan.folder, plan.used);
    // Only a project that is on disk counts as saved.
    m_projectPath = path;
    m_projectMarkers = data.markers;
    m_history->MarkSaved();
    m_projectName = wxFileNameFromPath(m_projectPath);
    UpdateTitle();
    return true;
}

void MainWindow::OnSaveProject(wxCommandEvent&)
{
    SaveProject();
}

void MainWindow::OnSaveProjectAs(wxCommandEvent&)
{
    SaveProject(true);
}

bool MainWindow::MayReplaceDocument()
{
    // With no frames nothing can be saved, so nothing is asked.
    if (FrameCount() == 0 || (!m_projectPath.empty() && !ProjectChanged()))
        return true;
    return SaveOrDropChanges();
}

bool MainWindow::SaveOrDropChanges()
{
    switch (AskToSaveProject(this)) {
    case wxID_YES:
        // Unsaved work is never dropped: a cancelled or failed save keeps it where it is.
        return SaveProject();
    case wxID_NO:
        return true;
    default:
        return false;
    }
}

void MainWindow::OnOpenProject(wxCommandEvent&)
{
    if (MayReplaceDocument())
        OpenProject();
}

void MainWindow::OpenProject()
{
    StopPreview();
    const wxArrayString chosen = GetPathChooser().ChooseFilesToOpen(
        this, _("Load Xml Files"), _("Xml files") + " (*.xml)|*.xml", false);
    if (!chosen.empty())
        OpenProjectFile(chosen[0], false);
}

bool MainWindow::OpenProjectFile(const wxString& path, bool recovered)
{
    // The whole file is read and checked before anything of the window changes.
    const ProjectReading project = ReadProjectFile(path);
    if (!project.Usable()) {
        ShowMessage(ProjectProblemText(path, project), GetProductName(), wxOK | wxICON_ERROR,
                     this);
        return false;
    }
    const wxArrayString load = ProjectLoadEntries(project.frames);
    if (!MayLoad(load))
        return false;

    // A restored copy is no project file of the user's: it is saved where the user says.
    DocumentStart start;
    start.projectPath = recovered ? wxString() : path;
    // The project's GIF is not the one saved before: the next Save asks, offering its name.
    start.gifName = project.gifName;
    start.delay = project.delay;
    // The project's loop setting replaces the window's; its frames bring their own delays.
    start.loopCount = project.loopCount;
    start.loopInGif = project.loopInGif;
    start.edit = project.edit;
    StartDocument(start);
    const wxString text = m_gifName.empty()
        ? wxString::Format("Unititle.gif(%d * %d)" + _("px"), project.width, project.height)
        : wxString::Format("%s(%d * %d)" + _("px"), ShownName(m_gifName), project.width,
                           project.height);
    m_statusBar->SetStatusText(text, 0);

    auto opening = std::make_unique<ProjectOpening>();
    if (recovered)
        opening->recoveryCopy = path;
    // A stored size a GIF can't have leaves the canvas to the frames.
    if (FitsCanvas(project.width, project.height))
        opening->canvas = wxSize(project.width, project.height);
    m_projectOpening = std::move(opening);
    m_projectMarkers = project.markers;
    LoadRequest request;
    request.entries = load;
    request.stored = LoadRequest::Stored{project.frames, project.frameDelays};
    // The copy's own frames were frames without a file, and are so again: the copy goes.
    if (recovered)
        for (wxString& name : request.stored->names)
            if (IsFrameFileIn(name, FramesFolderOf(path)))
                name.clear();
    if (!StartImageLoad(std::move(request))) {
        m_projectOpening.reset();
        return false;
    }
    return true;
}

void MainWindow::FinishProjectOpen(const LoadOutcome& load)
{
    const std::unique_ptr<ProjectOpening> opening = std::move(m_projectOpening);
    // Only a copy whose frames are all in is no longer needed.
    if (!opening->recoveryCopy.empty() && !load.cancelled)
        DiscardRecoveryCopy(opening->recoveryCopy);
    if (load.cancelled || !opening->recoveryCopy.empty()) {
        // Part of a project is not that project: its file must not be overwritten by it.
        m_projectPath.clear();
        m_projectName.clear();
        m_history->MarkUnsaved();
        UpdateTitle();
        return;
    }
    // The project's stored size counts as the user's.
    if (opening->canvas.GetWidth() > 0)
        ChooseCanvas(opening->canvas);
    // Nothing has been touched yet: the project is as saved.
    m_history->ClearCommands();
    m_history->MarkSaved();
    if (load.missing.empty())
        return;
    wxArrayString shown;
    for (const wxString& name : load.missing)
        shown.Add(ShownName(name));
    const int missing = static_cast<int>(shown.size());
    ShowMessage(wxString::Format(wxPLURAL("%d of the project's %d frames could not be found or "
                                          "read; it stays in the list as a placeholder until you "
                                          "delete it:",
                                          "%d of the project's %d frames could not be found or "
                                          "read; they stay in the list as placeholders until you "
                                          "delete them:",
                                          missing),
                                  missing, FrameCount()) +
                     ListSome(shown),
                 GetProductName(), wxOK | wxICON_WARNING, this);
}

bool MainWindow::ConfirmClose()
{
    // An empty strip can't be saved as a project, so a Yes could only keep the window open.
    return FrameCount() == 0 || !ProjectChanged() || SaveOrDropChanges();
}

void MainWindow::OnExit(wxCommandEvent&)
{
    Close();
}

void MainWindow::OnClose(wxCloseEvent& event)
{
    StopPreview();
    // The frames recorded so far come in first, so the question below counts them.
    StopRecording();
    if (!MayCloseDuringJob(event))
        return;
    if (FrameCount() > 0 && !ConfirmClose() && event.CanVeto()) {
        event.Veto();
        return;
    }
    Destroy();
}
