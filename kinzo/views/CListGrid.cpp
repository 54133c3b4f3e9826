#include "kinzo/views/CListGrid.h"

#include "CKinzoApp.h"
#include "kinzo/data/AmountText.h"
#include "kinzo/data/CViewKinzo.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int ScreenWidths[CListGrid::ColumnCount] = {40, 90, 90, 90, 70, 70, 80, 100, 80};
constexpr int PrintWidths[CListGrid::ColumnCount] = {70, 90, 90, 90, 70, 70, 80, 100, 80};
constexpr int Formats[CListGrid::ColumnCount] = {Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignLeft, Qt::AlignLeft,
                                                 Qt::AlignRight, Qt::AlignRight, Qt::AlignLeft, Qt::AlignLeft,
                                                 Qt::AlignRight};

void* EntryData(int id)
{
    return reinterpret_cast<void*>(quintptr(id));
}

}  // namespace

CListGrid::CListGrid(int printFlag, QWidget* parent) : CLedgerGrid(parent), m_print(printFlag ? 1 : 0)
{
    LoadWidths();
}

CListGrid::~CListGrid()
{
    SaveWidths();
}

int CListGrid::DefaultWidth(int col, int printFlag)
{
    if (col < 0 || col >= ColumnCount) return 0;
    return printFlag ? PrintWidths[col] : ScreenWidths[col];
}

void CListGrid::LoadWidths()
{
    m_widths.clear();
    if (CKinzoApp* app = CKinzoApp::Instance()) app->m_iniFile.ReadListFormat(ListFormatGrid::List, m_print, m_widths);
    m_widths.resize(ColumnCount);
    for (int col = 0; col < ColumnCount; ++col)
        if (m_widths[col] <= 0) m_widths[col] = DefaultWidth(col, m_print);
}

void CListGrid::SaveWidths()
{
    if (CKinzoApp* app = CKinzoApp::Instance()) app->m_iniFile.WriteListFormat(ListFormatGrid::List, m_print, m_widths);
}

void CListGrid::ResetColumnWidths()
{
    for (int col = 0; col < ColumnCount; ++col) {
        m_widths[col] = DefaultWidth(col, m_print);
        SetColumnWidth(col, m_widths[col]);
    }
}

void CListGrid::OnColumnResized(int col)
{
    if (col >= 0 && col < ColumnCount) m_widths[col] = GetColumnWidth(col);
}

void CListGrid::SetupTable(int entryCount)
{
    static const QString headers[ColumnCount] = {u"No"_s, u"第１階層科目"_s, u"第２階層科目"_s, u"第３階層科目"_s,
                                                 u"収入"_s, u"支出"_s, u"相手先"_s, u"備考"_s, u"残高"_s};
    SetRowCount(0, 0);
    SetColumnCount(ColumnCount, 0);
    SetRowCount(3 + std::max(entryCount, 0), 0);
    SetFixedRowCount(1);
    SetFixedColumnCount(1);
    for (int col = 0; col < ColumnCount; ++col) {
        SetColumnFormat(col, Formats[col]);
        SetColumnWidth(col, m_widths[col]);
        SetCellText(HeaderRow, col, col == ColNo && m_print ? u"日付"_s : headers[col], Qt::AlignHCenter);
    }
    SetCellText(CarryRow, ColNo, u"繰越"_s);
    SetCellText(TotalRow(), ColNo, u"合計"_s);
    m_dates = QList<QDate>(std::max(entryCount, 0));
}

bool CListGrid::FillEntryLine(int row, const _ViewEntry& entry, int position, AccountItemList& tree)
{
    if (!IsEntryRow(row)) return false;
    const AccountItemNode* node = tree.Find(entry.itemId);
    if (!node || node->m_depth < 1) return false;
    QString names[3];
    for (const AccountItemNode* n = node; n && n->m_depth >= 1; n = n->m_parent)
        if (n->m_depth <= 3) names[n->m_depth - 1] = n->m_data.name;
    const bool income = node->m_data.side == 1;
    const QString amount = FormatAmount(entry.amount);
    m_dates[row - FirstEntryRow] = entry.date;
    SetCellText(row, ColNo, m_print ? u"%1月%2日"_s.arg(entry.date.month(), 2).arg(entry.date.day(), 2)
                                    : QString::number(position));
    SetCellText(row, ColLevel1, names[0]);
    SetCellText(row, ColLevel2, names[1]);
    SetCellText(row, ColLevel3, names[2]);
    SetCellText(row, ColIncome, income ? amount : u"0"_s);
    SetCellText(row, ColExpense, income ? u"0"_s : amount);
    SetCellText(row, ColCater, entry.caterName);
    SetCellText(row, ColNote, entry.note);
    SetRowData(row, EntryData(entry.ID));
    return true;
}

int CListGrid::InsertEntryLine()
{
    const int row = InsertRow(TotalRow());
    m_dates.insert(row - FirstEntryRow, QDate());
    return row;
}

void CListGrid::RemoveEntryLine(int row)
{
    if (!IsEntryRow(row)) return;
    m_dates.removeAt(row - FirstEntryRow);
    DeleteRow(row);
    Renumber();
}

void CListGrid::Renumber()
{
    for (int row = FirstEntryRow; row < TotalRow(); ++row) {
        const QDate date = m_dates.value(row - FirstEntryRow);
        SetCellText(row, ColNo, m_print ? u"%1月%2日"_s.arg(date.month(), 2).arg(date.day(), 2)
                                        : QString::number(row - FirstEntryRow + 1));
    }
}

int CListGrid::EntryIdOfRow(int row) const
{
    return IsEntryRow(row) ? int(reinterpret_cast<quintptr>(GetRowData(row))) : 0;
}

int CListGrid::RowOfEntry(int id) const
{
    if (id <= 0) return -1;
    for (int row = FirstEntryRow; row < TotalRow(); ++row)
        if (EntryIdOfRow(row) == id) return row;
    return -1;
}

void CListGrid::ApplyTotals(qint64 carryOver)
{
    SetCellText(CarryRow, ColBalance, FormatAmount(carryOver));
    qint64 income = 0;
    qint64 expense = 0;
    qint64 balance = carryOver;
    for (int row = FirstEntryRow; row < TotalRow(); ++row) {
        const qint64 in = ParseAmount(GetCellText(row, ColIncome));
        const qint64 out = ParseAmount(GetCellText(row, ColExpense));
        income += in;
        expense += out;
        balance += in - out;
        SetCellText(row, ColBalance, FormatAmount(balance));
    }
    SetCellText(TotalRow(), ColIncome, FormatAmount(income));
    SetCellText(TotalRow(), ColExpense, FormatAmount(expense));
    SetCellText(TotalRow(), ColBalance, FormatAmount(balance));
}
