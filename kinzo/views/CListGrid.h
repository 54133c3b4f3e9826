#pragma once
// The table of the one-day list: a header row, the carry-over line ("繰越"),
// one line per entry and the total line ("合計"), nine columns with the first
// fixed. Each entry line carries the entry's ID as its line data; income
// entries show their amount under "収入", payments under "支出", and "残高"
// runs from the carry-over through every line. Amounts are text in the
// program's amount format.
//
// Column widths come from the settings (section ListFormat, "List" on screen
// and "ListPrn" on paper); a width the user drags is kept at once and
// written back when the grid goes. User-interface thread only.

#include "kinzo/views/CLedgerGrid.h"
#include "kinzo/data/AccountItemList.h"

#include <QList>

struct _ViewEntry;

class CListGrid : public CLedgerGrid {
    Q_OBJECT
public:
    enum Column {
        ColNo = 0, ColLevel1, ColLevel2, ColLevel3, ColIncome, ColExpense, ColCater, ColNote, ColBalance,
        ColumnCount
    };
    static constexpr int HeaderRow = 0;
    static constexpr int CarryRow = 1;
    static constexpr int FirstEntryRow = 2;

    // printFlag 1 makes the paper form: "日付" and the entry's day in column 0.
    explicit CListGrid(int printFlag = 0, QWidget* parent = nullptr);
    ~CListGrid() override;

    // Sets up the columns, headers and widths, and lines for count entries
    // between "繰越" and "合計" (all cells empty).
    void SetupTable(int entryCount);
    // Writes an entry into its line; false when its account is not in the tree.
    bool FillEntryLine(int row, const _ViewEntry& entry, int position, AccountItemList& tree);
    // A new empty entry line just above the total line; returns its row.
    int InsertEntryLine();
    // Removes an entry line and numbers the remaining ones again.
    void RemoveEntryLine(int row);
    // Numbers (or dates, on paper) column 0 of the entry lines from 1.
    void Renumber();
    // Carry-over into its line, the sums of both amount columns into the
    // total line, and the running balance down column 8.
    void ApplyTotals(qint64 carryOver);

    int TotalRow() const { return GetRowCount() - 1; }
    int EntryCount() const { return GetRowCount() - 3; }
    bool IsEntryRow(int row) const { return row >= FirstEntryRow && row < TotalRow(); }
    // The entry ID of a line, 0 for any other line.
    int EntryIdOfRow(int row) const;
    // The line of an entry, -1 when none carries it.
    int RowOfEntry(int id) const;

    // Default widths, kept in the settings list.
    void ResetColumnWidths();
    static int DefaultWidth(int col, int printFlag);

    void OnColumnResized(int col) override;

private:
    void LoadWidths();
    void SaveWidths();

    int m_print = 0;
    QList<int> m_widths;
    QList<QDate> m_dates;   // per entry line, for the paper form's column 0
};
