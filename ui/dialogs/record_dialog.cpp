#include "ui/dialogs/record_dialog.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "core/record/region_editing.h"
#include "ui/dialogs/region_view.h"

namespace {

// Run's answer while the user is to click a window.
constexpr int kPickWindow = wxID_HIGHEST + 1;
// How long a click on a window is waited for.
constexpr int kPickTimeoutMs = 15000;

wxSpinCtrl* NewSpin(wxWindow* parent, int lowest, int highest, int value)
{
    auto* spin = new wxSpinCtrl(parent, wxID_ANY, wxEmptyString, wxDefaultPosition,
                                wxDefaultSize, wxSP_ARROW_KEYS, lowest, highest, value);
    // GTK's spin buttons complain when laid out narrower than they draw themselves.
    const wxSize best = spin->GetBestSize();
    spin->SetMinSize(wxSize(best.x + 2 * best.y, best.y));
    return spin;
}

wxString ProblemText(const std::string& error)
{
    return wxString::Format(_("The screen can't be recorded: %s"), wxString::FromUTF8(error));
}

} // namespace

RecordDialog::RecordDialog(wxWindow* parent, CaptureBackend backend,
                           const RecordSettings& remembered)
    : wxDialog(parent, wxID_ANY, _("Record Screen"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | (parent ? 0 : wxDIALOG_NO_PARENT)),
      m_backend(backend),
      m_remembered(remembered)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    BuildWhat(top);
    BuildRegion(top);
    BuildHow(top);
    wxStdDialogButtonSizer* buttons = CreateStdDialogButtonSizer(wxOK | wxCANCEL);
    m_ok = static_cast<wxButton*>(FindWindow(wxID_OK));
    m_ok->SetLabel(_("&Record"));
    top->Add(buttons, 0, wxEXPAND | wxALL, 10);
    SetSizer(top);

    if (m_backend == CaptureBackend::X11)
        TakeSource(OpenX11ForRecording());
    else
        AskPortal();
    Fit();
    Centre();
    // Shown with its caller minimised, it must come to the front by itself.
    Bind(wxEVT_SHOW, [this](wxShowEvent& event) {
        event.Skip();
        if (event.IsShown())
            CallAfter([this] { Raise(); });
    });
}

RecordDialog::~RecordDialog()
{
    // The portal's worker is stopped and joined before the dialog's event queue goes.
    m_portal.reset();
}

int RecordDialog::Run()
{
    for (;;) {
        const int answer = ShowModal();
        if (answer != kPickWindow)
            return answer;
        // The dialog must be off the screen before the pointer is grabbed for the click.
        wxTheApp->SafeYield(nullptr, true);
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        if (const std::optional<X11Window> window = PickX11Window("", kPickTimeoutMs))
            if (const std::optional<CaptureRect> area = WindowArea(*window))
                ShowRegion(*area);
    }
}

void RecordDialog::BuildWhat(wxSizer* top)
{
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, _("What to record"));
    wxWindow* panel = box->GetStaticBox();
    m_sourceLine = new wxStaticText(panel, wxID_ANY, wxEmptyString);
    if (m_backend == CaptureBackend::X11) {
        // The whole screen first, then the windows the window manager lists.
        m_what = new wxChoice(panel, wxID_ANY);
        m_what->Append(_("The whole screen"));
        m_windowList = ListX11Windows("");
        for (const X11Window& window : m_windowList)
            m_what->Append(window.title.empty() ? wxString("-")
                                                : wxString::FromUTF8(window.title));
        m_pick = new wxButton(panel, wxID_ANY, _("&Click a Window"));
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        row->Add(m_what, 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
        row->Add(m_pick, 0, wxALIGN_CENTER_VERTICAL);
        box->Add(row, 0, wxEXPAND | wxALL, 4);
        m_what->Bind(wxEVT_CHOICE, &RecordDialog::OnWhat, this);
        m_pick->Bind(wxEVT_BUTTON, &RecordDialog::OnPick, this);
    } else {
        box->Add(new wxStaticText(panel, wxID_ANY,
                                  _("The desktop will ask which monitor or window to share.")),
                 0, wxALL, 4);
        m_askAgain = new wxButton(panel, wxID_ANY, _("&Ask Again"));
        m_askAgain->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { AskPortal(); });
        box->Add(m_askAgain, 0, wxALL, 4);
    }
    box->Add(m_sourceLine, 0, wxEXPAND | wxALL, 4);
    top->Add(box, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);
}

void RecordDialog::BuildRegion(wxSizer* top)
{
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, _("Region"));
    wxWindow* panel = box->GetStaticBox();
    m_view = new RegionView(panel, [this](const CaptureRect& region) { ShowRegion(region); });
    box->Add(m_view, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 4);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    const auto field = [&](const wxString& label, wxSpinCtrl*& spin) {
        row->Add(new wxStaticText(panel, wxID_ANY, label), 0,
                 wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 4);
        spin = NewSpin(panel, 0, 1, 0);
        spin->Bind(wxEVT_SPINCTRL, [this](wxCommandEvent&) { RegionFieldsChanged(); });
        spin->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { RegionFieldsChanged(); });
        row->Add(spin, 1, wxALIGN_CENTER_VERTICAL);
    };
    field(_("X:"), m_x);
    field(_("Y:"), m_y);
    field(_("Width:"), m_width);
    field(_("Height:"), m_height);
    box->Add(row, 0, wxEXPAND | wxALL, 4);
    top->Add(box, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);
}

void RecordDialog::BuildHow(wxSizer* top)
{
    auto* box = new wxStaticBoxSizer(wxVERTICAL, this, _("How"));
    wxWindow* panel = box->GetStaticBox();
    auto* grid = new wxFlexGridSizer(2, wxSize(8, 6));
    const RecordSettings& r = m_remembered;
    grid->Add(new wxStaticText(panel, wxID_ANY, _("&Frames per second:")), 0,
              wxALIGN_CENTER_VERTICAL);
    m_fps = NewSpin(panel, kMinRecordFps, kMaxRecordFps, r.fps);
    grid->Add(m_fps);
    grid->Add(new wxStaticText(panel, wxID_ANY, _("Cou&ntdown (seconds):")), 0,
              wxALIGN_CENTER_VERTICAL);
    m_countdown = NewSpin(panel, 0, kMaxCountdown, r.countdown);
    grid->Add(m_countdown);
    m_limited = new wxCheckBox(panel, wxID_ANY, _("&Stop after (seconds):"));
    m_limited->SetValue(r.limited);
    grid->Add(m_limited, 0, wxALIGN_CENTER_VERTICAL);
    m_limit = NewSpin(panel, 1, kMaxRecordLimit, r.limitSeconds);
    m_limit->Enable(r.limited);
    m_limited->Bind(wxEVT_CHECKBOX,
                    [this](wxCommandEvent&) { m_limit->Enable(m_limited->GetValue()); });
    grid->Add(m_limit);
    box->Add(grid, 0, wxEXPAND | wxALL, 4);
    m_pointer = new wxCheckBox(panel, wxID_ANY, _("Show the mouse &pointer"));
    m_pointer->SetValue(r.pointer);
    box->Add(m_pointer, 0, wxALL, 4);
    m_merge = new wxCheckBox(panel, wxID_ANY, _("&Merge unchanged frames"));
    m_merge->SetValue(r.mergeUnchanged);
    box->Add(m_merge, 0, wxALL, 4);
    top->Add(box, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);
}

void RecordDialog::AskPortal()
{
    m_source.reset();
    m_view->SetStill(wxImage());
    m_ok->Enable(false);
    m_askAgain->Enable(false);
    m_sourceLine->SetLabel(_("Waiting for the desktop's answer..."));
    PortalRequest request;
    request.pointer = m_remembered.pointer;
    request.restoreToken = m_restoreToken.empty() ? m_remembered.portalToken : m_restoreToken;
    // A new question replaces one still open: its worker is stopped first.
    m_portal.reset();
    m_portal = std::make_unique<PortalAsking>(
        *this, request, [this](std::shared_ptr<OpenedScreen> opened) {
            m_askAgain->Enable(true);
            TakeSource(std::move(*opened));
        });
}

void RecordDialog::TakeSource(OpenedScreen opened)
{
    m_source = std::move(opened.source);
    if (!opened.restoreToken.empty())
        m_restoreToken = opened.restoreToken;
    if (!m_source) {
        ShowProblem(opened.refused ? _("The desktop did not share a screen.")
                                   : ProblemText(opened.error));
        m_sourceLine->SetForegroundColour(*wxRED);
    } else {
        m_sourceLine->SetLabel(wxString::Format(_("%d x %d pixels"), opened.still.GetWidth(),
                                                opened.still.GetHeight()));
        m_sourceLine->SetForegroundColour(GetForegroundColour());
    }
    m_view->SetStill(opened.still);
    const int width = m_view->SourceWidth(), height = m_view->SourceHeight();
    for (wxSpinCtrl* spin : {m_x, m_y, m_width, m_height})
        spin->Enable(m_source != nullptr);
    m_x->SetRange(0, std::max(0, width - 1));
    m_y->SetRange(0, std::max(0, height - 1));
    m_width->SetRange(1, std::max(1, width));
    m_height->SetRange(1, std::max(1, height));
    // The last region again when it still fits the source; else the whole source.
    const std::optional<CaptureRect>& last = m_remembered.region;
    ShowRegion(last && FitRegion(*last, width, height) == RegionFit::Inside
                   ? *last
                   : WholeSource(width, height));
    m_ok->Enable(m_source != nullptr);
    if (GetSizer()) {
        GetSizer()->Layout();
        Fit();
    }
}

void RecordDialog::ShowProblem(const wxString& text)
{
    wxSizer* box = m_sourceLine->GetContainingSizer();
    int boxTop = 0, boxSide = 0;
    static_cast<wxStaticBox*>(m_sourceLine->GetParent())->GetBordersForSizer(&boxTop, &boxSide);
    const int indent = GetSizer()->GetItem(box)->GetBorder() + boxSide +
                       box->GetItem(m_sourceLine)->GetBorder();
    // A hidden line takes no room: the width left is that of the other boxes.
    m_sourceLine->Hide();
    const int room = GetSizer()->CalcMin().x - 2 * indent;
    m_sourceLine->Show();
    m_sourceLine->SetLabel(text);
    m_sourceLine->Wrap(room);
}

void RecordDialog::ShowRegion(const CaptureRect& region)
{
    m_view->SetRegion(region);
    // SetValue sends no event: the fields don't answer each other in a circle.
    m_x->SetValue(region.x);
    m_y->SetValue(region.y);
    m_width->SetValue(region.width);
    m_height->SetValue(region.height);
    FollowRegion(region);
}

void RecordDialog::RegionFieldsChanged()
{
    if (!m_source)
        return;
    const CaptureRect typed{m_x->GetValue(), m_y->GetValue(), m_width->GetValue(),
                            m_height->GetValue()};
    const CaptureRect region =
        ClampRegion(typed, m_view->SourceWidth(), m_view->SourceHeight());
    m_view->SetRegion(region);
    // Only a field the rule changed is written back, so typing goes on undisturbed.
    if (region.width != typed.width)
        m_width->SetValue(region.width);
    if (region.height != typed.height)
        m_height->SetValue(region.height);
    FollowRegion(region);
}

void RecordDialog::OnWhat(wxCommandEvent&)
{
    const int chosen = m_what->GetSelection();
    if (chosen == 0)
        ShowRegion(WholeSource(m_view->SourceWidth(), m_view->SourceHeight()));
    else if (chosen > 0 && chosen <= static_cast<int>(m_windowList.size()))
        if (const std::optional<CaptureRect> area = WindowArea(m_windowList[chosen - 1]))
            ShowRegion(*area);
    // A window wholly off the screen leaves the region, and the choice follows it.
    FollowRegion(m_view->Region());
}

void RecordDialog::OnPick(wxCommandEvent&)
{
    EndModal(kPickWindow);
}

std::optional<CaptureRect> RecordDialog::WindowArea(const X11Window& window) const
{
    const int width = m_view->SourceWidth(), height = m_view->SourceHeight();
    const int left = std::max(0, window.area.x), top = std::max(0, window.area.y);
    const int right = std::min(width, window.area.x + window.area.width);
    const int bottom = std::min(height, window.area.y + window.area.height);
    if (right <= left || bottom <= top)
        return std::nullopt;
    return CaptureRect{left, top, right - left, bottom - top};
}

void RecordDialog::FollowRegion(const CaptureRect& region)
{
    if (!m_what)
        return;
    int shown = wxNOT_FOUND;
    if (region == WholeSource(m_view->SourceWidth(), m_view->SourceHeight()))
        shown = 0;
    for (size_t i = 0; shown == wxNOT_FOUND && i < m_windowList.size(); ++i)
        if (WindowArea(m_windowList[i]) == region)
            shown = static_cast<int>(i) + 1;
    m_what->SetSelection(shown);
}

RecordChoice RecordDialog::TakeChoice()
{
    RecordChoice choice;
    choice.source = std::move(m_source);
    choice.region = m_view->Region();
    RecordSettings& s = choice.settings;
    s.fps = m_fps->GetValue();
    s.pointer = m_pointer->GetValue();
    s.countdown = m_countdown->GetValue();
    s.limited = m_limited->GetValue();
    s.limitSeconds = m_limit->GetValue();
    s.mergeUnchanged = m_merge->GetValue();
    s.region = choice.region;
    s.portalToken = m_restoreToken.empty() ? m_remembered.portalToken : m_restoreToken;
    return choice;
}
