#pragma once
// What the grids of the ledger views share: after a load the view says its
// own words first and the cursor cell a moment later, so the grid can place
// its cursor without a word and keep still when it gets the focus meanwhile.
// User-interface thread only.

#include "grid/CXGrid.h"

class CLedgerGrid : public CXGrid {
    Q_OBJECT
public:
    explicit CLedgerGrid(QWidget* parent = nullptr);

    // While set, cursor moves are made without a word.
    void SetSilentMoves(bool silent) { m_silent = silent; }
    bool IsSilent() const { return m_silent; }
    // Speaks the cursor cell as a move to it (key 0) would.
    void SpeakCurrentCell();
    // While the view is about to speak the cursor cell itself, getting the
    // focus says nothing (the cell would be heard twice).
    void SetCellSpeechPending(bool pending) { m_cellSpeechPending = pending; }
    bool IsCellSpeechPending() const { return m_cellSpeechPending; }

    // Takes the program's font size, the cursor cell kept in sight.
    void FollowFontSize();

    void OnCellChanged(CXCellID previous, CXCellID current, int key) override;

protected:
    bool ShouldSpeakFocus(Qt::FocusReason reason) const override;

private:
    bool m_silent = false;
    bool m_cellSpeechPending = false;
};
