// Helpers for tests that drive real windows inside the running event loop.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include <gtest/gtest.h>
#include <wx/arrstr.h>
#include <wx/msgdlg.h>
#include <wx/string.h>
#include <wx/testing.h>
#include <wx/weakref.h>

class wxWindow;

#include "ui/dialogs/path_chooser.h"

class wxSpinCtrl;

#include "tests/support/main_window_probe.h"
#include "ui/window/main_window.h"

// A list of paths (or names) in the given order.
wxArrayString Paths(std::initializer_list<wxString> paths);
// The m_filename of every frame of the window's strip, in order; with fileNamesOnly, the
// part after the last "/".
wxArrayString FrameNames(MainWindow& frame, bool fileNamesOnly = false);

// Runs the event loop for about ms milliseconds.
void YieldFor(int ms);
// Replaces a control's text by typing text into it with real keys, as the user would.
void TypeInto(wxWindow* control, const char* text);
// Runs the event loop until done() holds; false (with a test failure naming what) on time-out.
bool WaitFor(const char* what, const std::function<bool()>& done, int timeoutMs = 10000);

// The expectation of a message box whose text contains part, answered with id (wxID_YES...).
class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
public:
    ExpectMessage(int id, const wxString& part) : m_id(id), m_part(part) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override
    {
        EXPECT_NE(dialog->GetMessage().Find(m_part), wxNOT_FOUND)
            << "expected \"" << m_part << "\" in: " << dialog->GetMessage();
        return m_id;
    }
    wxString GetDefaultDescription() const override { return "a message saying " + m_part; }

private:
    int m_id;
    wxString m_part;
};

// Answers the window's file questions from queues set by the test; an empty answer is a
// cancelled dialog. Records the titles it was asked with.
class ScriptedPathChooser : public PathChooser {
public:
    wxArrayString ChooseFilesToOpen(wxWindow*, const wxString& title, const wxString& wildcard,
                                    bool multiple) override;
    wxString ChooseFileToSave(wxWindow*, const wxString& title, const wxString& wildcard,
                              const wxString& defaultFile) override;

    // A GIF save takes its path from saveAnswers and its options from gifOptionAnswers (the
    // options shown, unchanged, when that is empty); it records the options shown.
    GifSaveChoice ChooseGifToSave(wxWindow* parent, const wxString& title,
                                  const wxString& wildcard, const wxString& defaultPath,
                                  const GifSaveOptions& shown) override;

    std::vector<wxArrayString> openAnswers;
    std::vector<GifSaveOptions> gifOptionAnswers;
    std::vector<GifSaveOptions> gifOptionsShown;
    std::vector<wxString> saveAnswers;
    wxArrayString titlesAsked;
    wxArrayString wildcardsAsked;
    // The default path offered with each save question.
    wxArrayString defaultsOffered;
};

// The real main window, built as start-up builds it, with a scripted path chooser.
// Destroyed (without questions) when the fixture goes.
class MainWindowFixture {
public:
    MainWindowFixture();
    ~MainWindowFixture();

    MainWindow& Frame() { return *m_frame; }
    // False once the window destroyed itself (e.g. after File > Exit).
    bool Alive() const { return m_frame.get() != nullptr; }
    ScriptedPathChooser& Paths() { return *m_paths; }
    // Sends the menu command of the item with that id, as a click on it would.
    void Command(int id);
    // Frame > Add Image with these paths chosen, waiting until the load has ended.
    void AddImages(const wxArrayString& paths);
    // The strip's Insert Image with these paths chosen, waiting until the load has ended.
    void InsertImages(const wxArrayString& paths);
    // Types value into a spin control, as the user would (a text change event follows).
    void Edit(wxSpinCtrl* control, int value);
    // File > Open Project with path chosen (after any question), waiting for its frames.
    void OpenProject(const wxString& path);
    // A save command with path chosen in its file dialog, waiting for a GIF export to end.
    void SaveWith(int commandId, const wxString& path);

private:
    wxWeakRef<MainWindow> m_frame;
    ScriptedPathChooser* m_paths = nullptr;
};
