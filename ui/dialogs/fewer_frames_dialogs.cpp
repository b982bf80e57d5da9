#include "ui/dialogs/fewer_frames_dialogs.h"

#include <cmath>
#include <system_error>

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/spinctrl.h>
#include <wx/stattext.h>
#include <wx/stockitem.h>

#include "core/document/frame_thinning.h"
#include "core/picture/picture_differences.h"
#include "ui/dialogs/message_boxes.h"

namespace {
// The slider moves in tenths of a percent.
constexpr int kSliderSteps = static_cast<int>(kMostDuplicateTolerance * 10);

wxString GoneText(int gone, int count)
{
    return wxString::Format(wxPLURAL("%d of %d frame would go", "%d of %d frames would go", count),
                            gone, count);
}

// OK labelled Apply, and Cancel, below column.
wxButton* FinishLayout(wxDialog& dialog, wxSizer* column)
{
    column->Add(dialog.CreateStdDialogButtonSizer(wxOK | wxCANCEL), 0, wxEXPAND | wxALL, 10);
    LabelStockButtons(&dialog);
    auto* apply = wxDynamicCast(dialog.FindWindow(wxID_OK), wxButton);
    if (apply)
        apply->SetLabel(wxGetStockLabel(wxID_APPLY));
    dialog.SetSizerAndFit(column);
    dialog.CentreOnParent();
    return apply;
}
}  // namespace

RemoveDuplicatesDialog::RemoveDuplicatesDialog(wxWindow* parent, std::vector<PictureRef> pictures,
                                               std::vector<int> delays)
    : wxDialog(parent, wxID_ANY, _("Remove Duplicate Frames")), m_pictures(std::move(pictures)),
      m_delays(std::move(delays)), m_timer(this)
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    column->Add(new wxStaticText(this, wxID_ANY,
                                 _("A frame that repeats the one before it becomes part of it.\n"
                                   "Pixels that may differ:")),
                0, wxLEFT | wxRIGHT | wxTOP, 10);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    m_tolerance = new wxSlider(this, wxID_ANY, 0, 0, kSliderSteps, wxDefaultPosition,
                               wxSize(260, -1));
    m_toleranceText = new wxStaticText(this, wxID_ANY, "20.0 %");
    row->Add(m_tolerance, 1, wxALIGN_CENTER_VERTICAL);
    row->Add(m_toleranceText, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
    column->Add(row, 0, wxEXPAND | wxALL, 10);
    m_progress = new wxGauge(this, wxID_ANY, std::max<int>(1, m_pictures.size() - 1));
    column->Add(m_progress, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    m_count = new wxStaticText(this, wxID_ANY, _("Comparing the frames..."));
    column->Add(m_count, 0, wxEXPAND | wxALL, 10);
    m_apply = FinishLayout(*this, column);
    ShowCount();

    m_tolerance->Bind(wxEVT_SLIDER, [this](wxCommandEvent&) { ShowCount(); });
    Bind(wxEVT_TIMER, &RemoveDuplicatesDialog::OnTimer, this);
    // First which frames are the very same, known at once from the compressed bytes, so the
    // slider's 0 counts and applies right away; then each pair counted up to the slider's
    // highest tolerance, after which any position reads its count without comparing again.
    const auto compare = [this] {
        try {
            m_exact = ConsecutiveDifferences(m_pictures, 0, m_stop);
            m_exactReady = true;
            m_result = ConsecutiveDifferences(
                m_pictures, ToleranceShare(kMostDuplicateTolerance), m_stop, &m_done);
        } catch (const std::exception&) {
            // Out of memory: nothing counts as a duplicate.
            m_result.assign(m_pictures.size(), kNotAlike);
        }
        m_finished = true;
    };
    try {
        m_worker = std::thread(compare);
    } catch (const std::system_error&) {
        compare();
    }
    m_timer.Start(50);
}

RemoveDuplicatesDialog::~RemoveDuplicatesDialog()
{
    // Cancel while the frames are compared ends the comparison with the dialog.
    m_stop = true;
    if (m_worker.joinable())
        m_worker.join();
}

double RemoveDuplicatesDialog::Tolerance() const
{
    return m_tolerance->GetValue() / 10.0;
}

void RemoveDuplicatesDialog::FinishComparison()
{
    if (m_worker.joinable())
        m_worker.join();
    if (!m_finished || (!m_shares.empty() && !m_sharesExact))
        return;
    m_timer.Stop();
    m_shares = std::move(m_result);
    m_sharesExact = false;
    m_progress->SetValue(m_progress->GetRange());
    ShowCount();
}

void RemoveDuplicatesDialog::OnTimer(wxTimerEvent&)
{
    if (m_finished) {
        FinishComparison();
        return;
    }
    m_progress->SetValue(std::min(m_done.load(), m_progress->GetRange()));
    if (m_exactReady && m_shares.empty()) {
        m_shares = m_exact;
        m_sharesExact = true;
        ShowCount();
    }
}

bool RemoveDuplicatesDialog::SharesServe() const
{
    return (!m_shares.empty() || m_pictures.size() < 2) && (!m_sharesExact || Tolerance() == 0);
}

void RemoveDuplicatesDialog::ShowCount()
{
    m_toleranceText->SetLabel(wxString::Format("%.1f %%", Tolerance()));
    // Apply takes what the count shows: a tolerance above 0 waits for the second pass.
    m_apply->Enable(SharesServe());
    if (!SharesServe()) {
        m_count->SetLabel(_("Comparing the frames..."));
        return;
    }
    const int count = static_cast<int>(m_delays.size());
    m_count->SetLabel(
        GoneText(MergeRuns(m_delays, DuplicateJoins(m_shares, Tolerance())).Gone(count), count));
}

LowerFrameRateDialog::LowerFrameRateDialog(wxWindow* parent, std::vector<int> delays)
    : wxDialog(parent, wxID_ANY, _("Lower Frame Rate")), m_delays(std::move(delays))
{
    auto* column = new wxBoxSizer(wxVERTICAL);
    auto addRow = [&](wxRadioButton*& choice, const wxString& label, wxSpinCtrl*& spin, int low,
                      int high, int value, const wxString& unit, long style) {
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        choice = new wxRadioButton(this, wxID_ANY, label, wxDefaultPosition, wxDefaultSize, style);
        spin = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                              wxSP_ARROW_KEYS, low, high, value);
        row->Add(choice, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
        row->Add(spin, 0, wxALIGN_CENTER_VERTICAL);
        if (!unit.empty())
            row->Add(new wxStaticText(this, wxID_ANY, unit), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 6);
        column->Add(row, 0, wxLEFT | wxRIGHT | wxTOP, 10);
        spin->Bind(wxEVT_SPINCTRL, [this](wxCommandEvent&) { ShowCount(); });
        spin->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { ShowCount(); });
        choice->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { ShowCount(); });
    };
    // Each frame kept plays for the frames it stands for: the length stays as it is.
    addRow(m_everyChoice, _("Keep one frame in every"), m_every, 2, 100, 2, wxString(),
           wxRB_GROUP);
    addRow(m_fpsChoice, _("At most"), m_fps, 1, 100, 10, _("frames per second"), 0);
    m_everyChoice->SetValue(true);
    m_count = new wxStaticText(this, wxID_ANY, wxString());
    column->Add(m_count, 0, wxEXPAND | wxALL, 10);
    FinishLayout(*this, column);
    ShowCount();
}

int LowerFrameRateDialog::Every() const
{
    return m_everyChoice->GetValue() ? m_every->GetValue() : 0;
}

int LowerFrameRateDialog::MaxFps() const
{
    return m_fpsChoice->GetValue() ? m_fps->GetValue() : 0;
}

void LowerFrameRateDialog::ShowCount()
{
    if (!m_count)  // a control's event while the dialog is still being built
        return;
    const int count = static_cast<int>(m_delays.size());
    const FrameJoins joins = Every() > 0 ? EveryNthJoins(count, Every())
                                         : FrameRateJoins(m_delays, MaxFps());
    m_count->SetLabel(GoneText(MergeRuns(m_delays, joins).Gone(count), count));
}
