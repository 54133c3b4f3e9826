#include "kinzo/views/CLedgerGrid.h"

#include "kolib/KoAppSettings.h"

CLedgerGrid::CLedgerGrid(QWidget* parent) : CXGrid(parent) {}

void CLedgerGrid::OnCellChanged(CXCellID previous, CXCellID current, int key)
{
    if (m_silent) return;
    CXGrid::OnCellChanged(previous, current, key);
}

void CLedgerGrid::SpeakCurrentCell()
{
    const CXCellID cur = GetCurrentCell();
    if (cur.IsSet()) OnCellChanged(GetPreviousCell(), cur, 0);
    CellWasSpoken();
}

bool CLedgerGrid::ShouldSpeakFocus(Qt::FocusReason reason) const
{
    return !m_cellSpeechPending && CXGrid::ShouldSpeakFocus(reason);
}

void CLedgerGrid::FollowFontSize()
{
    SetFont(GetFontName(), KoAppFontSize());
    RecalcLayout(0);
    EnsureVisible(GetCurrentCell());
    Redraw();
}
