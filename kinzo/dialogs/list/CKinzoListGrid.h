#pragma once
// The table of the entry list: a header row and one line per entry of one
// account, with a fixed first column holding the line number and the columns
// "日付", "金額", "相手先" and "備考". Each entry line carries the entry's ID
// as its line data. Amounts are text in the program's amount format.
// User-interface thread only.

#include "grid/CXGrid.h"

#include <QList>

struct _ViewEntry;

class CKinzoListGrid : public CXGrid {
    Q_OBJECT
public:
    enum Column { ColNo = 0, ColDate, ColAmount, ColCater, ColNote, ColumnCount };
    static constexpr int HeaderRow = 0;
    static constexpr int FirstEntryRow = 1;

    explicit CKinzoListGrid(QWidget* parent = nullptr);

    // Header and columns, then one line per entry in the order given.
    void Fill(const QList<_ViewEntry>& entries);
    // Removes an entry line and numbers the remaining ones again.
    void RemoveEntryLine(int row);

    int EntryCount() const { return GetRowCount() - FirstEntryRow; }
    bool IsEntryRow(int row) const { return row >= FirstEntryRow && row < GetRowCount(); }
    // The entry ID of a line, 0 for any other line.
    int EntryIdOfRow(int row) const;
    // The line of an entry, -1 when none carries it.
    int RowOfEntry(int id) const;

    // Getting the focus says nothing once: the dialog has just announced
    // itself and the cell would cut that off.
    void SkipNextFocusSpeech() { m_skipFocusSpeech = true; }

protected:
    bool ShouldSpeakFocus(Qt::FocusReason reason) const override;
    void focusInEvent(QFocusEvent* event) override;
    // The dialog's magnification reaches the grid through the widget font.
    void changeEvent(QEvent* event) override;

private:
    void SetupColumns(int entryCount);
    void FillLine(int row, const _ViewEntry& entry);
    void Renumber();

    bool m_skipFocusSpeech = false;
};
