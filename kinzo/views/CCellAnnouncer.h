#pragma once
// How a ledger view speaks after a load: its own words first ("リスト表示" and
// the date, "日表示" and the month ...), the cursor placed without a word, and
// a moment later (PauseMs, so the reader can begin the words) the cursor cell
// as a move to it would say it. The cell is not said when the user moved on
// already (that move spoke) or the view was hidden meanwhile.
// User-interface thread only.

#include "grid/CXGridTypes.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class CLedgerGrid;
class QWidget;

class CCellAnnouncer : public QObject {
public:
    static constexpr int PauseMs = 300;

    // The view that shows the grid; both outlive the announcer.
    CCellAnnouncer(QWidget& view, CLedgerGrid& grid);

    // Says the words, puts the cursor on the cell silently and speaks the
    // cell after the pause.
    void Announce(const QString& words, CXCellID cell);
    // Forgets a pending cell (a new load begins).
    void Cancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // How long after the table took the focus its name counts as just read.
    static constexpr int FocusArrivalMs = 500;
    QElapsedTimer m_focusCame;
    QWidget& m_view;
    CLedgerGrid& m_grid;
    QTimer m_timer;
    CXCellID m_cell;
};
