#include "ui/dialogs/fitting_status_bar.h"

#include <wx/dcclient.h>

#include "core/view/status_widths.h"

namespace {
// The generic status bar draws a field's text 2 pixels inside the field's borders, one pixel
// further right on GTK; a pixel more keeps the last letter clear of the next field's edge.
constexpr int kTextMargin = 2;
constexpr int kTextShift = 1;
constexpr int kSpare = 2;
}

wxIMPLEMENT_DYNAMIC_CLASS(FittingStatusBar, wxStatusBar);

FittingStatusBar::FittingStatusBar()
{
    Bind(wxEVT_SIZE, &FittingStatusBar::OnSize, this);
}

void FittingStatusBar::SetKeptField(int field)
{
    m_kept = field;
    Refit();
}

void FittingStatusBar::SetFieldsCount(int number, const int* widths)
{
    // The widths given are the ones until the texts are known.
    wxStatusBar::SetFieldsCount(number, widths);
    m_widths.clear();
    Refit();
}

int FittingStatusBar::WantedWidth(int field)
{
    const wxString text = GetStatusText(field);
    if (text.empty())
        return 0;
    wxClientDC dc(this);
    dc.SetFont(GetFont());
    int width = dc.GetTextExtent(text).x + 2 * (GetBorderX() + kTextMargin) + kTextShift + kSpare;
    // The grip takes its room from the text of the last field.
    if (field == GetFieldsCount() - 1 && ShowsSizeGrip())
        width += GetSizeGripRect().width;
    return width;
}

void FittingStatusBar::DoUpdateStatusText(int field)
{
    Refit();
    wxStatusBar::DoUpdateStatusText(field);
}

void FittingStatusBar::OnSize(wxSizeEvent& event)
{
    Refit();
    event.Skip();
}

void FittingStatusBar::Refit()
{
    const int count = GetFieldsCount();
    // Not laid out yet: the first size event fits it.
    if (count < 1 || GetClientSize().x <= 0)
        return;
    std::vector<int> wanted(count);
    for (int i = 0; i < count; ++i)
        wanted[i] = WantedWidth(i);
    const int kept = m_kept >= 0 ? m_kept : count - 1;
    const int available = GetClientSize().x;
    const std::vector<int> widths =
        ShareStatusWidths(SteadyStatusWants(wanted, m_widths, available), available, kept);
    if (widths == m_widths)
        return;
    m_widths = widths;
    SetStatusWidths(count, widths.data());
    Refresh();
}
