#include "kinzo/views/CCellAnnouncer.h"

#include "kinzo/views/CLedgerGrid.h"
#include "kolib/KoAppVoice.h"
#include "voice/TreeReader.h"

#include <QEvent>

CCellAnnouncer::CCellAnnouncer(QWidget& view, CLedgerGrid& grid) : m_view(view), m_grid(grid)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(PauseMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_grid.SetCellSpeechPending(false);
        if (m_view.isVisible() && m_grid.GetCurrentCell() == m_cell) m_grid.SpeakCurrentCell();
    });
    m_grid.installEventFilter(this);
}

bool CCellAnnouncer::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) m_focusCame.start();
    return QObject::eventFilter(watched, event);
}

void CCellAnnouncer::Announce(const QString& words, CXCellID cell)
{
    // The table carries the words as its name. A screen reader that reads
    // the tree says them when the focus comes to the table (a view change, a
    // window closing over it); our voice says them when the focus stays.
    m_grid.setAccessibleName(words);
    const bool focusJustCame = m_focusCame.isValid() && m_focusCame.elapsed() < FocusArrivalMs;
    const bool focusStays = m_grid.hasFocus() && m_grid.window()->isActiveWindow() && !focusJustCame;
    if (!TreeReaderSpeaksArrivals() || focusStays) KoAppReadText(words, 1, 0);
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
