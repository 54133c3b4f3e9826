#include "kinzo/views/CCellAnnouncer.h"

#include "kinzo/views/CLedgerGrid.h"
#include "kolib/KoAppVoice.h"

CCellAnnouncer::CCellAnnouncer(QWidget& view, CLedgerGrid& grid) : m_view(view), m_grid(grid)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(PauseMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_grid.SetCellSpeechPending(false);
        if (m_view.isVisible() && m_grid.GetCurrentCell() == m_cell) m_grid.SpeakCurrentCell();
    });
}

void CCellAnnouncer::Announce(const QString& words, CXCellID cell)
{
    KoAppReadText(words, 1, 0);
    m_grid.SetSilentMoves(true);
    m_grid.SetCurrentCell(cell.row, cell.col);
    m_grid.SetSilentMoves(false);
    m_grid.Redraw();
    m_cell = m_grid.GetCurrentCell();
    m_grid.SetCellSpeechPending(true);
    m_timer.start();
}

void CCellAnnouncer::Cancel()
{
    m_timer.stop();
    m_grid.SetCellSpeechPending(false);
}
