// The one place where the main window asks the user for file paths. The application uses
// the toolkit's file dialogs; tests replace it, since GTK's native file dialog can't be
// answered by a test.
#pragma once

#include <memory>

#include <wx/arrstr.h>
#include <wx/string.h>

#include "core/export/gif_save_options.h"

class wxWindow;

// A GIF save's answer: the path (empty when cancelled) and the save options chosen with it.
struct GifSaveChoice {
    wxString path;
    GifSaveOptions options;
};

class PathChooser {
public:
    virtual ~PathChooser() = default;
    // The chosen existing files, in the dialog's order; empty when cancelled.
    virtual wxArrayString ChooseFilesToOpen(wxWindow* parent, const wxString& title,
                                            const wxString& wildcard, bool multiple) = 0;
    // The chosen path to write; empty when cancelled. The dialog opens on defaultPath's folder
    // with its file name filled in (either may be empty). The toolkit asks before an existing
    // file of the chosen name is replaced; a name the caller changes afterwards is the
    // caller's to ask about.
    virtual wxString ChooseFileToSave(wxWindow* parent, const wxString& title,
                                      const wxString& wildcard, const wxString& defaultPath) = 0;
    // As ChooseFileToSave, for a GIF: the dialog also offers the save options, showing
    // shown first. Without options of its own, a chooser answers with shown unchanged.
    virtual GifSaveChoice ChooseGifToSave(wxWindow* parent, const wxString& title,
                                          const wxString& wildcard, const wxString& defaultPath,
                                          const GifSaveOptions& shown)
    {
        return {ChooseFileToSave(parent, title, wildcard, defaultPath), shown};
    }
};

// Asks through the toolkit's file dialogs.
std::unique_ptr<PathChooser> MakeDialogPathChooser();
