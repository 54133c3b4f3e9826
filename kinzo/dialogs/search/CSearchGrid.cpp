#include "kinzo/dialogs/search/CSearchGrid.h"

#include "kinzo/data/AccountItemList.h"
#include "kinzo/data/AmountText.h"
#include "kinzo/data/CViewKinzo.h"
#include "kinzo/dialogs/DialogTexts.h"

#include <QEvent>

using namespace Qt::StringLiterals;

namespace {

constexpr int Widths[CSearchGrid::ColumnCount] = {40, 120, 90, 90, 90, 80, 80, 100, 140};

}  // namespace

CSearchGrid::CSearchGrid(QWidget* parent) : CXGrid(parent)
{
    SetupColumns(0);
    FillTotals(TotalRow(), 0, 0);
}

void CSearchGrid::changeEvent(QEvent* event)
{
    CXGrid::changeEvent(event);
    if (event->type() != QEvent::FontChange || font().pointSize() == GetFontSize()) return;
    SetFont(GetFontName(), font().pointSize());
    Redraw();
}

void CSearchGrid::SetupColumns(int hitCount)
{
    static const QString headers[ColumnCount] = {u"No"_s,           u"日付"_s, u"第１階層科目"_s,
                                                 u"第２階層科目"_s, u"第３階層科目"_s, u"収入"_s,
                                                 u"支出"_s,         u"相手先"_s, u"備考"_s};
    SetRowCount(0, 0);
    SetColumnCount(ColumnCount, 0);
    SetRowCount(FirstHitRow + hitCount + 1, 0);
    SetFixedRowCount(1);
    for (int col = 0; col < ColumnCount; ++col) {
        const bool amount = col == ColIncome || col == ColExpense;
        SetColumnFormat(col, amount ? Qt::AlignRight : (col == ColNo ? Qt::AlignHCenter : Qt::AlignLeft));
        SetColumnWidth(col, Widths[col]);
        SetCellText(HeaderRow, col, headers[col], Qt::AlignHCenter);
    }
}

bool CSearchGrid::Fill(const QList<_ViewEntry>& hits, AccountItemList& tree)
{
    SetupColumns(int(hits.size()));
    qint64 income = 0;
    qint64 expense = 0;
    bool complete = true;
    for (qsizetype i = 0; i < hits.size() && complete; ++i) {
        const _ViewEntry& hit = hits[i];
        const int row = FirstHitRow + int(i);
        const AccountItemNode* node = tree.Find(hit.itemId);
        if (!node) {
            complete = false;
            break;
        }
        SetCellText(row, ColNo, QString::number(i + 1));
        SetCellText(row, ColDate, dialog_text::DayText(hit.date));
        for (const AccountItemNode* up = node; up && up->m_data.level >= 1; up = up->m_parent)
            SetCellText(row, ColLevel1 + up->m_data.level - 1, up->m_data.name);
        const bool isIncome = hit.side == 1;
        SetCellText(row, isIncome ? ColIncome : ColExpense, FormatAmount(hit.amount));
        (isIncome ? income : expense) += hit.amount;
        SetCellText(row, ColCater, hit.caterName);
        SetCellText(row, ColNote, hit.note);
        SetRowData(row, reinterpret_cast<void*>(quintptr(hit.ID)));
    }
    FillTotals(TotalRow(), income, expense);
    return complete;
}

void CSearchGrid::FillTotals(int lastRow, qint64 income, qint64 expense)
{
    SetCellText(lastRow, ColNo, u"合計"_s);
    SetCellText(lastRow, ColIncome, FormatAmount(income));
    SetCellText(lastRow, ColExpense, FormatAmount(expense));
}

int CSearchGrid::EntryIdOfRow(int row) const
{
    return row >= FirstHitRow && row < TotalRow() ? int(reinterpret_cast<quintptr>(GetRowData(row))) : 0;
}

int CSearchGrid::RowOfEntry(int id) const
{
    for (int row = FirstHitRow; row < TotalRow(); ++row)
        if (EntryIdOfRow(row) == id) return row;
    return -1;
}
