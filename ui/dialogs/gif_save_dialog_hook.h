// The save options inside the toolkit's GIF save dialog, added through its customize hook
// (which GTK's own file chooser supports, unlike a panel of our own beside it).
#pragma once

#include <wx/filedlgcustomize.h>

#include "core/export/gif_save_options.h"

class GifSaveDialogHook : public wxFileDialogCustomizeHook {
public:
    explicit GifSaveDialogHook(const GifSaveOptions& shown) : m_options(shown), m_limitText() {}

    void AddCustomControls(wxFileDialogCustomize& customizer) override;
    void UpdateCustomControls() override;
    void TransferDataFromCustomControls() override;

    // The options as the dialog was left. limitBytes is the last valid limit when LimitText()
    // is no number.
    const GifSaveOptions& Options() const { return m_options; }
    // The limit as typed, and whether it reads as megabytes.
    const wxString& LimitText() const { return m_limitText; }
    bool LimitValid() const { return !m_options.keepUnder || ParseMegabytes(m_limitText).has_value(); }
    // The text the limit field opens with next time (the text a refused answer had).
    void ShowLimitText(const wxString& text) { m_shownLimitText = text; }

private:
    GifSaveOptions m_options;
    wxString m_limitText;
    wxString m_shownLimitText;
    wxFileDialogCheckBox* m_optimize = nullptr;
    wxFileDialogChoice* m_quality = nullptr;
    wxFileDialogCheckBox* m_keepUnder = nullptr;
    wxFileDialogTextCtrl* m_limit = nullptr;
};
