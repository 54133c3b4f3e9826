#pragma once
// Shared by the grid tests: a transcript of what a grid says, and a table
// shaped like the ledger summary (four header rows with merged groups, two
// fixed columns, periods down the rows).

#include "grid/CXGridNav.h"
#include "voice/CTranscriptReader.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

using namespace Qt::StringLiterals;

// Points VOICE_TRANSCRIPT at a fresh file; grids whose speech is enabled
// afterwards write every spoken text there as one line. Lines() gives the
// spoken texts; LinesWithMarkers() also the stop and wait marker lines.
class Transcript {
public:
    Transcript() { qputenv("VOICE_TRANSCRIPT", m_dir.filePath(u"spoken.txt"_s).toUtf8()); }
    ~Transcript() { qunsetenv("VOICE_TRANSCRIPT"); }
    QStringList Lines() const { return CTranscriptReader::SpokenLines(m_dir.filePath(u"spoken.txt"_s)); }
    QStringList LinesWithMarkers() const
    {
        return CTranscriptReader::LinesWithMarkers(m_dir.filePath(u"spoken.txt"_s));
    }
    QString Last() const
    {
        const QStringList lines = Lines();
        return lines.isEmpty() ? QString() : lines.last();
    }
    void Clear() { QFile::remove(m_dir.filePath(u"spoken.txt"_s)); }

private:
    QTemporaryDir m_dir;
};

// Columns of the summary-like table.
namespace summary {
enum Column {
    Month = 0, Weekday, Salary, Sales, Misc, BusinessTotal, IncomeTotal, Food, Rent, Power, ExpenseTotal,
    Difference, Balance, ColumnCount
};
constexpr int HeaderRows = 4;
constexpr int CarryRow = 4;
constexpr int FirstMonthRow = 5;
constexpr int TotalRow = 17;
constexpr int RowCount = 18;
}  // namespace summary

// Fills any grid (model or widget) with the summary-like table.
inline void FillSummary(CXGridModel& grid)
{
    using namespace summary;
    grid.SetRowCount(RowCount);
    grid.SetColumnCount(ColumnCount);
    grid.SetFixedRowCount(HeaderRows);
    grid.SetFixedColumnCount(2);
    const int centre = Qt::AlignHCenter;
    auto header = [&](int row, int col, const QString& text) { grid.SetCellText(row, col, text, centre); };
    header(0, Month, u"月"_s);
    grid.SetRowSpan(0, Month, 4, 0);
    grid.SetRowSpan(0, Weekday, 4, 0);
    header(0, Salary, u"収入"_s);
    grid.SetColumnSpan(0, Salary, 5, 1);
    header(1, Salary, u"給与"_s);
    grid.SetRowSpan(1, Salary, 3, 0);
    header(1, Sales, u"事業"_s);
    grid.SetColumnSpan(1, Sales, 3, 2);
    header(2, Sales, u"売上"_s);
    grid.SetRowSpan(2, Sales, 2, 0);
    header(2, Misc, u"雑収入"_s);
    grid.SetRowSpan(2, Misc, 2, 0);
    header(2, BusinessTotal, u"合計"_s);
    grid.SetRowSpan(2, BusinessTotal, 2, 0);
    header(1, IncomeTotal, u"合計"_s);
    grid.SetRowSpan(1, IncomeTotal, 3, 0);
    header(0, Food, u"支出"_s);
    grid.SetColumnSpan(0, Food, 4, 3);
    header(1, Food, u"食費"_s);
    grid.SetRowSpan(1, Food, 3, 0);
    header(1, Rent, u"住居"_s);
    grid.SetRowSpan(1, Rent, 3, 0);
    header(1, Power, u"光熱費"_s);
    grid.SetRowSpan(1, Power, 3, 0);
    header(1, ExpenseTotal, u"合計"_s);
    grid.SetRowSpan(1, ExpenseTotal, 3, 0);
    header(0, Difference, u"差額"_s);
    grid.SetRowSpan(0, Difference, 4, 0);
    header(0, Balance, u"残高"_s);
    grid.SetRowSpan(0, Balance, 4, 0);

    grid.SetCellText(CarryRow, Month, u"繰越"_s);
    grid.SetCellText(CarryRow, Balance, u"50,000"_s, Qt::AlignRight);
    for (int m = 0; m < 12; ++m) {
        const int row = FirstMonthRow + m;
        grid.SetCellText(row, Month, u"%1月"_s.arg((m + 3) % 12 + 1));
        for (int c = Salary; c < ColumnCount; ++c) grid.SetCellText(row, c, u"0"_s, Qt::AlignRight);
    }
    grid.SetCellText(TotalRow, Month, u"合計"_s);
    // A few amounts: April salary and food, May sales, June rent.
    grid.SetCellText(5, Salary, u"200,000"_s, Qt::AlignRight);
    grid.SetCellText(5, IncomeTotal, u"200,000"_s, Qt::AlignRight);
    grid.SetCellText(5, Food, u"30,000"_s, Qt::AlignRight);
    grid.SetCellText(6, Sales, u"12,000"_s, Qt::AlignRight);
    grid.SetCellText(7, Rent, u"-500"_s, Qt::AlignRight);
    grid.SetColumnWidth(Month, 60);
    grid.SetColumnWidth(Weekday, 30);
    grid.SetTreeMode(1);
    grid.SetColumnTreeDepth(4);
    grid.RecalcLayout();
}
