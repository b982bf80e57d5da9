#include "ui/dialogs/gif_save_dialog_hook.h"

#include <wx/intl.h>

void GifSaveDialogHook::AddCustomControls(wxFileDialogCustomize& customizer)
{
    m_optimize = customizer.AddCheckBox(_("Optimise file size"));
    m_optimize->SetValue(m_options.optimize);
    customizer.AddStaticText(_("Quality:"));
    const wxString levels[kGifQualityLevelCount] = {_("Best"), _("High"), _("Medium"), _("Low")};
    m_quality = customizer.AddChoice(kGifQualityLevelCount, levels);
    m_quality->SetSelection(LevelOfQuality(m_options.quality));
    // Reads as one phrase: "[x] Keep under [ 10 ] MB".
    m_keepUnder = customizer.AddCheckBox(_("Keep under"));
    m_keepUnder->SetValue(m_options.keepUnder);
    m_limit = customizer.AddTextCtrl();
    m_limit->SetValue(!m_shownLimitText.empty() ? m_shownLimitText
                      : m_options.limitBytes > 0 ? MegabytesText(m_options.limitBytes)
                                                 : wxString("10"));
    customizer.AddStaticText(_("MB"));
    // The field follows its check box as soon as it is clicked.
    m_keepUnder->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { UpdateCustomControls(); });
    UpdateCustomControls();
}

void GifSaveDialogHook::UpdateCustomControls()
{
    if (m_keepUnder && m_limit)
        m_limit->Enable(m_keepUnder->GetValue());
}

void GifSaveDialogHook::TransferDataFromCustomControls()
{
    m_options.optimize = m_optimize->GetValue();
    m_options.quality = QualityOfLevel(m_quality->GetSelection());
    m_options.keepUnder = m_keepUnder->GetValue();
    m_limitText = m_limit->GetValue();
    if (const std::optional<uint64_t> bytes = ParseMegabytes(m_limitText))
        m_options.limitBytes = *bytes;
}
