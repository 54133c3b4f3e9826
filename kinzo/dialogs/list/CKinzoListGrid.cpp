#include "kinzo/dialogs/list/CKinzoListGrid.h"

#include "kinzo/data/AmountText.h"
#include "kinzo/data/CViewKinzo.h"
#include "kinzo/dialogs/DialogTexts.h"

#include <QEvent>

using namespace Qt::StringLiterals;

namespace {

constexpr int Widths[CKinzoListGrid::ColumnCount] = {40, 120, 90, 120, 180};
constexpr int Formats[CKinzoListGrid::ColumnCount] = {Qt::AlignHCenter, Qt::AlignLeft, Qt::AlignRight,
                                                      Qt::AlignLeft, Qt::AlignLeft};

}  // namespace

CKinzoListGrid::CKinzoListGrid(QWidget* parent) : CXGrid(parent)
{
    SetupColumns(0);
}

void CKinzoListGrid::changeEvent(QEvent* event)
{
    CXGrid::changeEvent(event);
    if (event->type() != QEvent::FontChange || font().pointSize() == GetFontSize()) return;
    SetFont(GetFontName(), font().pointSize());
    Redraw();
}

void CKinzoListGrid::SetupColumns(int entryCount)
{
    static const QString headers[ColumnCount] = {u"No"_s, u"日付"_s, u"金額"_s, u"相手先"_s, u"備考"_s};
    SetRowCount(0, 0);
    SetColumnCount(ColumnCount, 0);
    SetRowCount(FirstEntryRow + std::max(entryCount, 0), 0);
    SetFixedRowCount(1);
    SetFixedColumnCount(1);
    for (int col = 0; col < ColumnCount; ++col) {
        SetColumnFormat(col, Formats[col]);
        SetColumnWidth(col, Widths[col]);
        SetCellText(HeaderRow, col, headers[col], Qt::AlignHCenter);
    }
}

void CKinzoListGrid::Fill(const QList<_ViewEntry>& entries)
{
    SetupColumns(int(entries.size()));
    for (qsizetype i = 0; i < entries.size(); ++i) FillLine(FirstEntryRow + int(i), entries[i]);
    Renumber();
}

void CKinzoListGrid::FillLine(int row, const _ViewEntry& entry)
{
    SetCellText(row, ColDate, dialog_text::DayText(entry.date));
    SetCellText(row, ColAmount, FormatAmount(entry.amount));
    SetCellText(row, ColCater, entry.caterName);
    SetCellText(row, ColNote, entry.note);
    SetRowData(row, reinterpret_cast<void*>(quintptr(entry.ID)));
}

void CKinzoListGrid::RemoveEntryLine(int row)
{
    if (!IsEntryRow(row)) return;
    DeleteRow(row);
    Renumber();
}

void CKinzoListGrid::Renumber()
{
    for (int row = FirstEntryRow; row < GetRowCount(); ++row)
        SetCellText(row, ColNo, QString::number(row - FirstEntryRow + 1));
}

int CKinzoListGrid::EntryIdOfRow(int row) const
{
    return IsEntryRow(row) ? int(reinterpret_cast<quintptr>(GetRowData(row))) : 0;
}

int CKinzoListGrid::RowOfEntry(int id) const
{
    if (id <= 0) return -1;
    for (int row = FirstEntryRow; row < GetRowCount(); ++row)
        if (EntryIdOfRow(row) == id) return row;
    return -1;
}

bool CKinzoListGrid::ShouldSpeakFocus(Qt::FocusReason reason) const
{
    return !m_skipFocusSpeech && CXGrid::ShouldSpeakFocus(reason);
}

void CKinzoListGrid::focusInEvent(QFocusEvent* event)
{
    CXGrid::focusInEvent(event);
    m_skipFocusSpeech = false;
}
