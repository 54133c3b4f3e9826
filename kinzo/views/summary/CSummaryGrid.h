#pragma once
// CSummaryGrid: money per account and per period. One axis is the account
// tree (income and expense with up to three levels below each), the other a
// run of periods (the days of a month, the months of a fiscal year, fiscal
// years) with a carry-over position in front and a total position behind.
// Each group of accounts ends in a "合計" subtotal line; after the tree come
// "差額" (income minus expense per period) and "残高" (the running balance from
// the carry-over).
//
// Orientation 1 (horizontal, the screen): accounts run across the columns
// (four header rows, one per tree level), periods down the rows (two label
// columns). Orientation 2 (vertical, paper): accounts run down the rows (four
// label columns), periods across the columns. A "line" is an account's row or
// column, a "position" a period's place on the other axis.
//
// CMonthGrid, CYearGrid and CYearsGrid say which periods there are and read
// the amounts per period and account; the building, the roll-up from the
// deepest level, zero marking, hiding all-zero accounts, the expand level,
// column widths (section ListFormat of the settings, saved when the grid
// goes) and what is said while the user moves through the table are here.
// Every amount cell holds the text of FormatAmount. User-interface thread only.

#include "kinzo/data/AccountItemList.h"
#include "kinzo/views/CLedgerGrid.h"

#include <QDate>
#include <QHash>
#include <QList>

#include <vector>

class CKinzoDoc;
enum class ListFormatGrid;

// One period of the table: its label, the second label (the weekday in the
// month table), the date it stands for, and whether its labels are red.
struct _PeriodLine {
    QString label;
    QString second;
    QDate date;
    bool red = false;
};

// One aggregate record: the amount of one account in one period (0-based).
struct _SummaryAmount {
    int period = 0;
    int accountId = 0;
    qint64 amount = 0;
};

class CSummaryGrid : public CLedgerGrid {
    Q_OBJECT
public:
    enum Orientation { Horizontal = 1, Vertical = 2 };
    enum TableKind { MonthTable = 2, YearTable = 3, YearsTable = 4 };
    // The account values of the two lines after the tree.
    static constexpr int DifferenceAccount = -3;
    static constexpr int BalanceAccount = -2;
    static constexpr int LabelLevels = 4;
    static constexpr int CarryPosition = 4;

    // Loads the width list of the kind and orientation (any orientation but
    // 1 is vertical); hide-zero 0, expand level 0.
    CSummaryGrid(int tableKind, int orientation, int printFlag, QWidget* parent = nullptr);
    ~CSummaryGrid() override;

    // Builds the table from scratch for the period and the tree (the
    // document's top node, whose children are 収入 and 支出): the periods and
    // amounts of the subclass, the account axis, roll-up, totals, "差額",
    // "残高", zero marks and the stored hide-zero flag; every group starts
    // collapsed. The cursor is left to the view. 1 on success; 0 after the
    // subclass's message when its query failed. A failed carry-over says
    // "出納繰越金取得に失敗しました。" and leaves the table without roll-up,
    // totals, difference and balance (still 1).
    int CreateAndBuild(CKinzoDoc& document, const QDate& start, const QDate& end, AccountItemNode& root);

    // An empty table: no lines, no periods.
    void ClearTable();

    int TableKind() const { return m_kind; }
    int Orientation() const { return m_orientation; }
    bool IsVertical() const { return m_orientation != Horizontal; }
    int PrintFlag() const { return m_print; }
    QDate StartDate() const { return m_start; }
    QDate EndDate() const { return m_end; }
    const QList<_PeriodLine>& Periods() const { return m_periods; }

    // Hides (1) the lines marked zero, or shows (0) again every line that no
    // closed group hides; the flag is kept for later builds.
    void SetHideZero(int hide);
    int HideZero() const { return m_hideZero; }
    // Opens the groups above the level and closes those on it (0 収支まで ..
    // 3 第３階層まで, capped at the deepest level of the table); the cursor
    // stays on its cell, scrolled into view.
    void SetExpandLevel(int level);
    int ExpandLevel() const { return m_expandLevel; }
    // The deepest tree level on the account axis (0 with no items below the roots).
    int DeepestLevel() const { return m_deepestLevel; }

    // The default widths, applied and stored.
    void ResetColumnWidths();
    // The text colour, back and header colours of the settings, and red for
    // the periods that want it.
    void ApplyColors();

    // --- Geometry of the two axes.
    int FirstLine() const;
    int LineCount() const { return int(m_lines.size()); }
    int DifferenceLine() const { return FirstLine() + LineCount() - 2; }
    int BalanceLine() const { return FirstLine() + LineCount() - 1; }
    int FirstPeriodPosition() const { return CarryPosition + 1; }
    int TotalPosition() const { return FirstPeriodPosition() + int(m_periods.size()); }
    // The grid cell of a line at a position.
    CXCellID CellOf(int line, int position) const;
    int LineOf(CXCellID cell) const { return IsVertical() ? cell.row : cell.col; }
    int PositionOf(CXCellID cell) const { return IsVertical() ? cell.col : cell.row; }
    // The period index of a position, -1 for carry-over, total and headers.
    int PeriodOfPosition(int position) const;

    // The account of the cursor's line: its id, DifferenceAccount on "差額",
    // BalanceAccount on "残高", 0 when the line has none.
    int GetCurrentAccount() const;
    int AccountOfLine(int line) const;
    // The line of an account (or of DifferenceAccount / BalanceAccount), -1 when none.
    int LineOfAccount(int accountId) const;
    // The node of a line, null for "差額", "残高" and lines outside the axis.
    const AccountItemNode* NodeOfLine(int line) const;
    bool IsLineVisible(int line) const { return IsVertical() ? IsRowVisible(line) : IsColumnVisible(line); }
    // The first line shown in the scrolled area.
    int FirstShownLine() const { return LineOf(GetTopLeftCell()); }
    // Whether the line is marked as all zero.
    bool IsZeroLine(int line) const;

    // --- What is said.
    void OnCellChanged(CXCellID previous, CXCellID current, int key) override;
    QString BuildCellSpeech(CXCellID previous, CXCellID current, int key) const override;
    void ReadRow(int row, int key) override;
    QString GetRowHeaderSpeech(int row, int col, int key) const override;
    QString GetColumnHeaderSpeech(int row, int col, int key) const override;

    bool SetGroupExpanded(CXCellID pos, bool expand) override;
    void OnColumnResized(int col) override;

protected:
    // Fills m_periods for the table period (which it may set, as the years
    // table does from its data) and reads the amounts per period and account.
    // On failure it returns false and FailureText names it.
    virtual bool ReadPeriods(CKinzoDoc& document, QList<_SummaryAmount>& amounts) = 0;
    virtual QString FailureText() const = 0;
    // The headers of the two period label columns of the horizontal layout.
    virtual QString PeriodLabelHeader(int column) const = 0;
    // Header rows of the vertical layout (the month table has two).
    virtual int VerticalHeaderRows() const { return 1; }

    void keyPressEvent(QKeyEvent* event) override;

    QDate m_start;
    QDate m_end;
    QList<_PeriodLine> m_periods;

private:
    struct LineInfo {
        const AccountItemNode* node = nullptr;   // leaf, or the group's account on a subtotal line
        QString labels[LabelLevels];
        int deepest = 0;                         // level of the line's last label
        bool subtotal = false;
        bool zero = false;
    };
    struct GroupInfo {
        int level = 0;
        int first = 0;   // indices into m_lines
        int last = 0;    // the subtotal line
    };

    // Account axis.
    bool IsShown(const AccountItemNode& node) const;
    void WalkNode(const AccountItemNode& node, bool newLine);
    void BuildAxis(const AccountItemNode& root);
    // Grid cells.
    void SetUpCells();
    void MarkRedPeriods();
    void WriteHeaders();
    void WriteAccountLabels();
    void MergeGroups();
    CXCellID LabelCell(int line, int level) const;
    // Amounts.
    using Matrix = std::vector<std::vector<qint64>>;
    void WriteAmounts(const QList<_SummaryAmount>& amounts, Matrix& cells);
    bool RollUp(CKinzoDoc& document, Matrix& cells);
    void WriteMatrix(const Matrix& cells, bool withTotals);
    int SideSubtotal(int side) const;
    void MarkZeroLines(const Matrix& cells);
    // Visibility.
    void CollapseAllGroups();
    void ApplyVisibility();
    void MoveCursorToShownLine();
    // Widths.
    ListFormatGrid WidthKey() const;
    void LoadWidths();
    void ApplyWidths();
    // Speech.
    QStringList PathLabels(int line) const;
    QString LabelAt(int line, int level) const;
    QString PathSpeech(int line, int previousLine, int key, QChar separator) const;
    QString PeriodSpeech(int position, QChar separator) const;
    bool IsAccountAxisKey(int key) const;
    bool IsPeriodAxisKey(int key) const;

    int m_kind;
    int m_orientation;
    int m_print;
    int m_hideZero = 0;
    int m_expandLevel = 0;
    int m_deepestLevel = 0;
    QList<int> m_widths;
    std::vector<LineInfo> m_lines;
    std::vector<GroupInfo> m_groups;
    QHash<int, int> m_lineOfAccount;   // account id -> index into m_lines
};
