#include "ui/dialogs/video_import_dialog.h"

#include <algorithm>

#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/filename.h>
#include <wx/numformatter.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "ui/dialogs/message_text.h"
#include "core/video/video_geometry.h"
#include "core/video/video_import.h"

namespace {

constexpr int kPreviewSide = 200;

wxString TimeText(double seconds)
{
    return wxString::FromUTF8(FormatClipTime(seconds));
}

// A small copy of picture for the preview, within kPreviewSide each way.
wxBitmap PreviewBitmap(const wxImage& picture)
{
    if (!picture.IsOk())
        return wxBitmap();
    const double scale = std::min(1.0, static_cast<double>(kPreviewSide) /
                                           std::max(picture.GetWidth(), picture.GetHeight()));
    const int width = std::max(1, static_cast<int>(picture.GetWidth() * scale));
    const int height = std::max(1, static_cast<int>(picture.GetHeight() * scale));
    return wxBitmap(picture.Scale(width, height, wxIMAGE_QUALITY_BILINEAR));
}

wxSize SpinMinSize(wxSpinCtrl* spin)
{
    // Before the dialog is shown the toolkit measures a spin button without its two buttons'
    // padding; a margin of two control heights covers them.
    const wxSize best = spin->GetBestSize();
    return wxSize(best.x + 2 * best.y, best.y);
}

wxString RateText(double rate)
{
    return rate > 0 ? wxString::Format(_("%s frames per second"),
                                       wxNumberFormatter::ToString(rate, 2,
                                                                   wxNumberFormatter::Style_NoTrailingZeroes))
                    : _("frame rate unknown");
}

} // namespace

VideoImportDialog::VideoImportDialog(wxWindow* parent, const wxString& path,
                                     const VideoInfo& info, const wxImage& firstFrame)
    : wxDialog(parent, wxID_ANY, _("Add Video Frames"), wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE),
      m_info(info)
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    BuildInfo(this, path, firstFrame, top);

    auto* grid = new wxFlexGridSizer(2, wxSize(8, 6));
    const auto label = [&](const wxString& text) {
        grid->Add(new wxStaticText(this, wxID_ANY, text), 0, wxALIGN_CENTER_VERTICAL);
    };
    const double end = info.length > 0 ? info.length : 10;
    label(_("Start (seconds or m:ss):"));
    m_start = new wxTextCtrl(this, wxID_ANY, "0");
    grid->Add(m_start, 0, wxEXPAND);
    label(_("End:"));
    m_end = new wxTextCtrl(this, wxID_ANY, TimeText(end));
    grid->Add(m_end, 0, wxEXPAND);
    label(_("Duration:"));
    m_duration = new wxTextCtrl(this, wxID_ANY, TimeText(end));
    grid->Add(m_duration, 0, wxEXPAND);
    label(wxString::Format(_("Frames per second (at most %d):"), HighestVideoRate(info)));
    m_fps = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                           wxSP_ARROW_KEYS, 1, HighestVideoRate(info), DefaultVideoRate(info));
    // GTK's spin buttons complain when laid out narrower than they draw themselves, which can
    // be wider than the toolkit's best size says.
    m_fps->SetMinSize(SpinMinSize(m_fps));
    grid->Add(m_fps, 0, wxEXPAND);
    label(_("Width in pixels:"));
    auto* widthRow = new wxBoxSizer(wxHORIZONTAL);
    m_width = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize,
                             wxSP_ARROW_KEYS, 1, LargestVideoWidth(info.display),
                             DefaultVideoWidth(info.display));
    m_width->SetMinSize(SpinMinSize(m_width));
    m_height = new wxStaticText(this, wxID_ANY, wxEmptyString);
    widthRow->Add(m_width, 1, wxEXPAND);
    widthRow->Add(m_height, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 6);
    grid->Add(widthRow, 0, wxEXPAND);
    grid->AddGrowableCol(1);
    top->Add(grid, 0, wxEXPAND | wxALL, 10);

    m_result = new wxStaticText(this, wxID_ANY, wxEmptyString);
    top->Add(m_result, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    wxStdDialogButtonSizer* buttons = CreateStdDialogButtonSizer(wxOK | wxCANCEL);
    m_ok = static_cast<wxButton*>(FindWindow(wxID_OK));
    top->Add(buttons, 0, wxEXPAND | wxALL, 10);
    SetSizerAndFit(top);

    m_start->Bind(wxEVT_TEXT, &VideoImportDialog::OnStartOrEnd, this);
    m_end->Bind(wxEVT_TEXT, &VideoImportDialog::OnStartOrEnd, this);
    m_duration->Bind(wxEVT_TEXT, &VideoImportDialog::OnDuration, this);
    m_fps->Bind(wxEVT_SPINCTRL, &VideoImportDialog::OnNumbers, this);
    m_fps->Bind(wxEVT_TEXT, &VideoImportDialog::OnNumbers, this);
    m_width->Bind(wxEVT_SPINCTRL, &VideoImportDialog::OnNumbers, this);
    m_width->Bind(wxEVT_TEXT, &VideoImportDialog::OnNumbers, this);
    Recount();
    // The result line changes length as the fields do: room for a long one from the start.
    SetMinSize(GetSize());
    CentreOnParent();
}

void VideoImportDialog::BuildInfo(wxWindow* parent, const wxString& path,
                                  const wxImage& firstFrame, wxSizer* sizer)
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    const wxBitmap preview = PreviewBitmap(firstFrame);
    if (preview.IsOk())
        row->Add(new wxStaticBitmap(parent, wxID_ANY, preview), 0, wxRIGHT, 10);
    auto* text = new wxBoxSizer(wxVERTICAL);
    text->Add(new wxStaticText(parent, wxID_ANY, wxFileName(path).GetFullName()));
    const wxString length =
        m_info.length > 0
            ? wxString::Format(_("Length: %s s"),
                               wxNumberFormatter::ToString(m_info.length, 2))
            : _("Length unknown");
    text->Add(new wxStaticText(parent, wxID_ANY, length), 0, wxTOP, 4);
    text->Add(new wxStaticText(parent, wxID_ANY,
                               wxString::Format(_("Size: %d x %d pixels"), m_info.display.x,
                                                m_info.display.y)),
              0, wxTOP, 4);
    text->Add(new wxStaticText(parent, wxID_ANY, RateText(m_info.frameRate)), 0, wxTOP, 4);
    row->Add(text, 1);
    sizer->Add(row, 0, wxEXPAND | wxALL, 10);
}

int VideoImportDialog::FrameWidth() const
{
    return VideoFrameSize(m_info.display, m_width->GetValue()).x;
}

void VideoImportDialog::OnStartOrEnd(wxCommandEvent&)
{
    const auto start = ParseClipTime(m_start->GetValue().ToStdString());
    const auto end = ParseClipTime(m_end->GetValue().ToStdString());
    // ChangeValue sends no event: the fields don't answer each other in a circle.
    if (start && end && *end >= *start)
        m_duration->ChangeValue(TimeText(*end - *start));
    Recount();
}

void VideoImportDialog::OnDuration(wxCommandEvent&)
{
    const auto start = ParseClipTime(m_start->GetValue().ToStdString());
    const auto duration = ParseClipTime(m_duration->GetValue().ToStdString());
    if (start && duration)
        m_end->ChangeValue(TimeText(*start + *duration));
    Recount();
}

void VideoImportDialog::OnNumbers(wxCommandEvent&)
{
    Recount();
}

void VideoImportDialog::Recount()
{
    const auto start = ParseClipTime(m_start->GetValue().ToStdString());
    const auto end = ParseClipTime(m_end->GetValue().ToStdString());
    const wxSize size = VideoFrameSize(m_info.display, m_width->GetValue());
    m_height->SetLabel(wxString::Format(_("x %d"), size.y));
    wxString problem;
    if (!start || !end)
        problem = _("Times are seconds (2.5) or minutes and seconds (1:02.5).");
    else if (m_info.length > 0 && *start >= m_info.length)
        problem = _("The start is after the end of the video.");
    else if (*end <= *start)
        problem = _("The end must come after the start.");
    VideoImportPlan plan;
    if (problem.empty()) {
        m_sampling = {*start, *end, static_cast<double>(m_fps->GetValue())};
        plan = PlanVideoImport(m_info, m_sampling, m_width->GetValue());
        if (plan.frames == 0)
            problem = _("No frame falls between the start and the end.");
    }
    m_result->SetLabel(problem.empty()
                           ? wxString::Format(wxPLURAL("%d frame, about %s of memory",
                                                       "%d frames, about %s of memory",
                                                       plan.frames),
                                              plan.frames, MemoryText(plan.bytes))
                           : problem);
    m_result->SetForegroundColour(problem.empty() ? GetForegroundColour() : *wxRED);
    if (m_ok)
        m_ok->Enable(problem.empty());
    Layout();
}
