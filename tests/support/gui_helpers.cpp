#include "support/gui_helpers.h"

#include <gtest/gtest.h>
#include <wx/uiaction.h>
#include <wx/window.h>
#include <wx/app.h>
#include <wx/filename.h>
#include <wx/menu.h>
#include <wx/spinctrl.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

#include "app/startup.h"
#include "ui/strip/frame_strip.h"
#include "ui/window/main_window.h"

wxArrayString Paths(std::initializer_list<wxString> paths)
{
    wxArrayString out;
    for (const wxString& p : paths)
        out.Add(p);
    return out;
}

wxArrayString FrameNames(MainWindow& frame, bool fileNamesOnly)
{
    wxArrayString names;
    for (int i = 0; i < frame.FrameCount(); ++i) {
        // As the strip shows them: the strip follows the document.
        const wxString& name = Probe(frame).Strip()->GetItem(i)->m_filename;
        names.Add(fileNamesOnly ? wxFileNameFromPath(name) : name);
    }
    return names;
}

void YieldFor(int ms)
{
    wxStopWatch watch;
    while (watch.Time() < ms) {
        wxTheApp->Yield(true);
        wxMilliSleep(5);
    }
}

bool WaitFor(const char* what, const std::function<bool()>& done, int timeoutMs)
{
    wxStopWatch watch;
    while (!done()) {
        if (watch.Time() > timeoutMs) {
            ADD_FAILURE() << "timed out waiting for " << what;
            return false;
        }
        wxTheApp->Yield(true);
        wxMilliSleep(2);
    }
    return true;
}

wxArrayString ScriptedPathChooser::ChooseFilesToOpen(wxWindow*, const wxString& title,
                                                     const wxString& wildcard, bool)
{
    titlesAsked.Add(title);
    wildcardsAsked.Add(wildcard);
    if (openAnswers.empty()) {
        ADD_FAILURE() << "unexpected open question: " << title;
        return wxArrayString();
    }
    wxArrayString answer = openAnswers.front();
    openAnswers.erase(openAnswers.begin());
    return answer;
}

wxString ScriptedPathChooser::ChooseFileToSave(wxWindow*, const wxString& title,
                                               const wxString& wildcard,
                                               const wxString& defaultPath)
{
    titlesAsked.Add(title);
    wildcardsAsked.Add(wildcard);
    defaultsOffered.Add(defaultPath);
    if (saveAnswers.empty()) {
        ADD_FAILURE() << "unexpected save question: " << title;
        return wxString();
    }
    wxString answer = saveAnswers.front();
    saveAnswers.erase(saveAnswers.begin());
    return answer;
}

GifSaveChoice ScriptedPathChooser::ChooseGifToSave(wxWindow* parent, const wxString& title,
                                                   const wxString& wildcard,
                                                   const wxString& defaultPath,
                                                   const GifSaveOptions& shown)
{
    gifOptionsShown.push_back(shown);
    GifSaveChoice choice{ChooseFileToSave(parent, title, wildcard, defaultPath), shown};
    if (!gifOptionAnswers.empty()) {
        choice.options = gifOptionAnswers.front();
        gifOptionAnswers.erase(gifOptionAnswers.begin());
    }
    return choice;
}

MainWindowFixture::MainWindowFixture()
{
    m_frame = CreateMainWindow();
    if (!m_frame.get()) {
        ADD_FAILURE() << "the main window could not be built from the layout";
        return;
    }
    auto paths = std::make_unique<ScriptedPathChooser>();
    m_paths = paths.get();
    m_frame->SetPathChooser(std::move(paths));
    m_frame->Show();
    YieldFor(50);
}

MainWindowFixture::~MainWindowFixture()
{
    if (!m_frame.get())
        return;
    m_frame->Destroy();
    YieldFor(20);
}

void MainWindowFixture::Command(int id)
{
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(m_frame);
    m_frame->GetEventHandler()->ProcessEvent(event);
    wxTheApp->Yield(true);
}

void MainWindowFixture::AddImages(const wxArrayString& paths)
{
    m_paths->openAnswers.push_back(paths);
    Command(ID_ADD_IMAGE);
    WaitFor("the images to load", [&] { return !m_frame->IsLoading(); }, 30000);
    YieldFor(20);
}

void MainWindowFixture::InsertImages(const wxArrayString& paths)
{
    m_paths->openAnswers.push_back(paths);
    Command(0);
    WaitFor("the images to load", [&] { return !m_frame->IsLoading(); }, 30000);
    YieldFor(20);
}

void MainWindowFixture::OpenProject(const wxString& path)
{
    m_paths->openAnswers.push_back(::Paths({path}));
    Command(ID_OPEN_PROJECT);
    WaitFor("the project's frames", [&] { return !m_frame->IsLoading(); }, 30000);
    YieldFor(20);
}

void MainWindowFixture::SaveWith(int commandId, const wxString& path)
{
    m_paths->saveAnswers.push_back(path);
    Command(commandId);
    WaitFor("the export to end", [&] { return !m_frame->IsSaving(); }, 30000);
    YieldFor(20);
}

void MainWindowFixture::Edit(wxSpinCtrl* control, int value)
{
    control->SetValue(value);
    wxCommandEvent event(wxEVT_TEXT, control->GetId());
    event.SetEventObject(control);
    event.SetString(wxString::Format("%d", value));
    control->GetEventHandler()->ProcessEvent(event);
}

void TypeInto(wxWindow* control, const char* text)
{
    control->SetFocus();
    YieldFor(50);
    wxUIActionSimulator sim;
    sim.Char('A', wxMOD_CONTROL);
    YieldFor(20);
    sim.Text(text);
    YieldFor(100);
}
