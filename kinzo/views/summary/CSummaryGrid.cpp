// Building a summary table: periods and amounts of the subclass, the cells of
// both layouts, the roll-up from the deepest level, line totals, "差額" and
// "残高", and the column widths kept in the settings.

#include "kinzo/views/summary/CSummaryGrid.h"

#include "CKinzoApp.h"
#include "kinzo/data/AmountText.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/views/ViewColors.h"

#include <QKeyEvent>

using namespace Qt::StringLiterals;

namespace {

constexpr XColor WeekendRed = 0xFFFF0000;
constexpr int AccountWidth = 70;
constexpr int HorizontalDefaults[4] = {80, 40, 80, 80};   // two label columns, 差額, 残高

}  // namespace

CSummaryGrid::CSummaryGrid(int tableKind, int orientation, int printFlag, QWidget* parent)
    : CLedgerGrid(parent), m_kind(tableKind), m_orientation(orientation == Horizontal ? Horizontal : Vertical),
      m_print(printFlag ? 1 : 0)
{
    LoadWidths();
}

CSummaryGrid::~CSummaryGrid()
{
    if (CKinzoApp* app = CKinzoApp::Instance()) app->m_iniFile.WriteListFormat(WidthKey(), m_print, m_widths);
}

int CSummaryGrid::CreateAndBuild(CKinzoDoc& document, const QDate& start, const QDate& end, AccountItemNode& root)
{
    m_start = start;
    m_end = end;
    m_periods.clear();
    QList<_SummaryAmount> amounts;
    if (!ReadPeriods(document, amounts)) {
        ClearTable();
        ShowMessage(FailureText());
        return 0;
    }
    BuildAxis(root);
    SetUpCells();
    // Printed tables keep the default ink; weekends are red on paper as on screen.
    MarkRedPeriods();
    Matrix cells(m_lines.size(), std::vector<qint64>(size_t(m_periods.size()) + 2, 0));
    WriteAmounts(amounts, cells);
    const bool rolledUp = RollUp(document, cells);
    WriteMatrix(cells, rolledUp);
    MarkZeroLines(cells);
    CollapseAllGroups();
    ApplyVisibility();
    RecalcLayout();
    Redraw();
    return 1;
}

void CSummaryGrid::ClearTable()
{
    m_periods.clear();
    m_lines.clear();
    m_groups.clear();
    m_lineOfAccount.clear();
    SetRowCount(0, 0);
    SetColumnCount(0);
}

int CSummaryGrid::FirstLine() const
{
    return IsVertical() ? VerticalHeaderRows() : 2;
}

CXCellID CSummaryGrid::CellOf(int line, int position) const
{
    return IsVertical() ? CXCellID(line, position) : CXCellID(position, line);
}

int CSummaryGrid::PeriodOfPosition(int position) const
{
    const int period = position - FirstPeriodPosition();
    return period >= 0 && period < m_periods.size() ? period : -1;
}

void CSummaryGrid::SetUpCells()
{
    SetColumnCount(0, 0);
    SetRowCount(0, 0);
    const int positions = TotalPosition() + 1;
    const int lines = FirstLine() + LineCount();
    SetRowCount(IsVertical() ? lines : positions, 0);
    SetColumnCount(IsVertical() ? positions : lines, 0);
    SetFixedRowCount(IsVertical() ? VerticalHeaderRows() : LabelLevels);
    SetFixedColumnCount(IsVertical() ? LabelLevels : 2);
    SetTreeMode(IsVertical() ? 2 : 1);
    if (IsVertical()) SetRowTreeDepth(LabelLevels);
    else SetColumnTreeDepth(LabelLevels);
    SetVerticalLayout(IsVertical() ? 1 : 0);
    for (int col = GetFixedColumnCount(); col < GetColumnCount(); ++col) SetColumnFormat(col, Qt::AlignRight);
    WriteHeaders();
    WriteAccountLabels();
    MergeGroups();
    ApplyWidths();
}

void CSummaryGrid::WriteHeaders()
{
    const int centred = Qt::AlignHCenter;
    if (IsVertical()) {
        static const QString titles[LabelLevels] = {u"収支"_s, u"第１階層科目"_s, u"第２階層科目"_s, u"第３階層科目"_s};
        const int rows = VerticalHeaderRows();
        for (int level = 0; level < LabelLevels; ++level) SetCellText(0, level, titles[level], centred);
        SetCellText(0, CarryPosition, u"繰越"_s, centred);
        SetCellText(0, TotalPosition(), u"合計"_s, centred);
        for (int p = 0; p < m_periods.size(); ++p) {
            SetCellText(0, FirstPeriodPosition() + p, m_periods[p].label, centred);
            if (rows > 1) SetCellText(1, FirstPeriodPosition() + p, m_periods[p].second, centred);
        }
        if (rows > 1)
            for (int col : {0, 1, 2, 3, CarryPosition, TotalPosition()}) SetRowSpan(0, col, rows, 0);
        return;
    }
    for (int col = 0; col < 2; ++col) {
        SetCellText(0, col, PeriodLabelHeader(col), centred);
        SetRowSpan(0, col, LabelLevels, 0);
    }
    SetCellText(CarryPosition, 0, u"繰越"_s, centred);
    SetCellText(TotalPosition(), 0, u"合計"_s, centred);
    for (int p = 0; p < m_periods.size(); ++p) {
        SetCellText(FirstPeriodPosition() + p, 0, m_periods[p].label, centred);
        SetCellText(FirstPeriodPosition() + p, 1, m_periods[p].second, centred);
    }
}

CXCellID CSummaryGrid::LabelCell(int line, int level) const
{
    return IsVertical() ? CXCellID(line, level) : CXCellID(level, line);
}

void CSummaryGrid::WriteAccountLabels()
{
    for (int index = 0; index < LineCount(); ++index) {
        const LineInfo& info = m_lines[size_t(index)];
        const int line = FirstLine() + index;
        for (int level = 0; level < LabelLevels; ++level) {
            if (info.labels[level].isEmpty()) continue;
            const CXCellID cell = LabelCell(line, level);
            SetCellText(cell.row, cell.col, info.labels[level], Qt::AlignLeft);
        }
        // The last label runs across the empty level cells after it.
        const int across = LabelLevels - info.deepest;
        if (across < 2) continue;
        if (IsVertical()) SetColumnSpan(line, info.deepest, across, 0);
        else SetRowSpan(info.deepest, line, across, 0);
    }
}

void CSummaryGrid::MergeGroups()
{
    for (const GroupInfo& group : m_groups) {
        const int first = FirstLine() + group.first;
        const int length = group.last - group.first + 1;
        const int node = m_lines[size_t(group.last)].node->m_data.ID;
        if (IsVertical()) SetRowSpan(first, group.level, length, node);
        else SetColumnSpan(group.level, first, length, node);
    }
}

void CSummaryGrid::WriteAmounts(const QList<_SummaryAmount>& amounts, Matrix& cells)
{
    const int accountLines = LineCount() - 2;
    for (const _SummaryAmount& record : amounts) {
        const int index = m_lineOfAccount.value(record.accountId, -1);
        if (index < 0 || index >= accountLines) continue;
        if (record.period < 0 || record.period >= m_periods.size()) continue;
        cells[size_t(index)][size_t(record.period) + 1] = record.amount;
    }
}

int CSummaryGrid::SideSubtotal(int side) const
{
    for (int index = 0; index < LineCount() - 2; ++index) {
        const AccountItemNode* node = m_lines[size_t(index)].node;
        if (m_lines[size_t(index)].subtotal && node->m_depth == 0 && node->m_data.side == side) return index;
    }
    return -1;
}

bool CSummaryGrid::RollUp(CKinzoDoc& document, Matrix& cells)
{
    qint64 carryOver = 0;
    if (m_start.isValid() && document.KinzoView().GetCarryOver(m_start, carryOver) != DbStatus::Ok) {
        ShowMessage(u"出納繰越金取得に失敗しました。"_s);
        return false;
    }
    const size_t periods = size_t(m_periods.size());
    const int accountLines = LineCount() - 2;
    // Lines come in tree order with each subtotal after its members, so one
    // pass adds every line into its group's subtotal before that is reached.
    Matrix sums(size_t(accountLines), std::vector<qint64>(periods + 2, 0));
    for (int index = 0; index < accountLines; ++index) {
        const LineInfo& info = m_lines[size_t(index)];
        if (info.subtotal) cells[size_t(index)] = sums[size_t(index)];
        const AccountItemNode* parent = info.node->m_parent;
        const int parentIndex = parent && parent->m_depth >= 0 ? m_lineOfAccount.value(parent->m_data.ID, -1) : -1;
        if (parentIndex < 0) continue;
        for (size_t p = 1; p <= periods; ++p) sums[size_t(parentIndex)][p] += cells[size_t(index)][p];
    }
    for (auto& line : cells) {
        line[periods + 1] = 0;
        for (size_t p = 1; p <= periods; ++p) line[periods + 1] += line[p];
    }
    const int income = SideSubtotal(1), expense = SideSubtotal(2);
    auto& difference = cells[size_t(LineCount() - 2)];
    auto& balance = cells[size_t(LineCount() - 1)];
    balance[0] = carryOver;
    qint64 running = carryOver;
    for (size_t p = 1; p <= periods + 1; ++p) {
        const qint64 in = income >= 0 ? cells[size_t(income)][p] : 0;
        const qint64 out = expense >= 0 ? cells[size_t(expense)][p] : 0;
        difference[p] = in - out;
        if (p <= periods) running += in - out;
        balance[p] = running;
    }
    return true;
}

void CSummaryGrid::WriteMatrix(const Matrix& cells, bool withCarryOver)
{
    const int periods = int(m_periods.size());
    for (int index = 0; index < LineCount(); ++index) {
        const int line = FirstLine() + index;
        for (int p = 1; p <= periods + 1; ++p) {
            const CXCellID cell = CellOf(line, CarryPosition + p);
            SetCellText(cell.row, cell.col, FormatAmount(cells[size_t(index)][size_t(p)]));
        }
    }
    if (!withCarryOver) return;
    const CXCellID carry = CellOf(BalanceLine(), CarryPosition);
    SetCellText(carry.row, carry.col, FormatAmount(cells.back()[0]));
}

void CSummaryGrid::ApplyColors()
{
    ApplyViewColors(*this);
    MarkRedPeriods();
    Redraw();
}

void CSummaryGrid::MarkRedPeriods()
{
    for (int p = 0; p < m_periods.size(); ++p) {
        if (!m_periods[p].red) continue;
        const int position = FirstPeriodPosition() + p;
        for (int label = 0; label < 2; ++label) {
            CXCellBase* cell = IsVertical() ? GetCell(label, position) : GetCell(position, label);
            if (cell && (!IsVertical() || label < VerticalHeaderRows())) cell->SetTextColor(WeekendRed);
        }
    }
}

ListFormatGrid CSummaryGrid::WidthKey() const
{
    if (!IsVertical()) return ListFormatGrid::SummaryHorz;
    if (m_kind == MonthTable) return ListFormatGrid::SummaryVert1;
    return m_kind == YearTable ? ListFormatGrid::SummaryVert2 : ListFormatGrid::SummaryVert3;
}

void CSummaryGrid::LoadWidths()
{
    m_widths.clear();
    if (CKinzoApp* app = CKinzoApp::Instance()) app->m_iniFile.ReadListFormat(WidthKey(), m_print, m_widths);
    if (!IsVertical()) m_widths.resize(4);
}

void CSummaryGrid::ApplyWidths()
{
    const auto stored = [this](int index, int fallback) {
        const int width = m_widths.value(index);
        return width > 0 ? width : fallback;
    };
    if (!IsVertical()) {
        SetColumnWidth(0, stored(0, HorizontalDefaults[0]));
        SetColumnWidth(1, stored(1, HorizontalDefaults[1]));
        for (int line = FirstLine(); line < DifferenceLine(); ++line) SetColumnWidth(line, AccountWidth);
        SetColumnWidth(DifferenceLine(), stored(2, HorizontalDefaults[2]));
        SetColumnWidth(BalanceLine(), stored(3, HorizontalDefaults[3]));
        return;
    }
    if (m_widths.size() < GetColumnCount()) m_widths.resize(GetColumnCount());
    for (int col = 0; col < GetColumnCount(); ++col) {
        SetColumnWidth(col, stored(col, col < LabelLevels ? 90 : 70));
    }
}

void CSummaryGrid::ResetColumnWidths()
{
    if (IsVertical()) {
        m_widths = QList<int>(GetColumnCount(), 70);
        for (int level = 0; level < LabelLevels && level < m_widths.size(); ++level) m_widths[level] = level == 0 ? 50 : 90;
        if (TotalPosition() < m_widths.size()) m_widths[TotalPosition()] = 80;
    } else {
        m_widths = QList<int>(std::begin(HorizontalDefaults), std::end(HorizontalDefaults));
    }
    ApplyWidths();
    RecalcLayout(0);
    Redraw();
}

void CSummaryGrid::OnColumnResized(int col)
{
    const int width = GetColumnWidth(col);
    if (IsVertical()) {
        if (col >= m_widths.size()) m_widths.resize(col + 1);
        m_widths[col] = width;
        return;
    }
    if (col == 0 || col == 1) m_widths[col] = width;
    else if (col == DifferenceLine()) m_widths[2] = width;
    else if (col == BalanceLine()) m_widths[3] = width;
}

void CSummaryGrid::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Space && (event->modifiers() & Qt::ControlModifier)) {
        const int mode = GetMoveMode() ? 0 : 1;
        if (CKinzoApp* app = CKinzoApp::Instance()) app->m_settingInfo.m_gridMoveMode = mode;
        SetMoveMode(mode);
        event->accept();
        return;
    }
    CLedgerGrid::keyPressEvent(event);
}
