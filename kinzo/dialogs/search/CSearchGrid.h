#pragma once
// The result table of the search: a header row, one numbered line per hit
// (the entry ID as its line data) and a last line "合計" with the sums of the
// 収入 and 支出 columns. User-interface thread only.

#include "grid/CXGrid.h"

#include <QList>

struct _ViewEntry;
class AccountItemList;

class CSearchGrid : public CXGrid {
    Q_OBJECT
public:
    enum Column { ColNo = 0, ColDate, ColLevel1, ColLevel2, ColLevel3, ColIncome, ColExpense, ColCater, ColNote, ColumnCount };
    static constexpr int HeaderRow = 0;
    static constexpr int FirstHitRow = 1;

    explicit CSearchGrid(QWidget* parent = nullptr);

    // Header, hits and the total line. The account names come from the tree;
    // false when a hit's account is not in it (the lines before it stay).
    bool Fill(const QList<_ViewEntry>& hits, AccountItemList& tree);

    int HitCount() const { return GetRowCount() - FirstHitRow - 1; }
    int TotalRow() const { return GetRowCount() - 1; }
    // The entry ID of a hit line, 0 for any other line.
    int EntryIdOfRow(int row) const;
    int RowOfEntry(int id) const;

protected:
    void changeEvent(QEvent* event) override;

private:
    void SetupColumns(int hitCount);
    void FillTotals(int lastRow, qint64 income, qint64 expense);
};
