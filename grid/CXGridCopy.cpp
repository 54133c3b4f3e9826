// The texts the copy commands put on the clipboard.
#include "CXGridNav.h"

#include <QStringList>

using namespace Qt::StringLiterals;

QString CXGridNav::ColumnHeaderPath(int col, int firstHeader, int lastHeader) const
{
    QStringList parts;
    for (int r = std::max(0, firstHeader); r <= lastHeader && r < GetRowCount(); ++r) {
        const CXCellBase* cell = GetCell(r, col);
        if (!cell) break;
        if (cell->RowSpan().length > 1 && cell->RowSpan().index > 0) continue;
        parts << cell->GetText();
    }
    return parts.join(u'/');
}

QString CXGridNav::RowHeaderPath(int row, int firstHeader, int lastHeader) const
{
    QStringList parts;
    for (int c = std::max(0, firstHeader); c <= lastHeader && c < GetColumnCount(); ++c) {
        const CXCellBase* cell = GetCell(row, c);
        if (!cell) break;
        if (cell->ColumnSpan().length > 1 && cell->ColumnSpan().index > 0) continue;
        parts << cell->GetText();
    }
    return parts.join(u'/');
}

void CXGridNav::CopyCellText()
{
    const CXCellID cur = GetCurrentCell();
    if (IsValidCell(cur.row, cur.col)) PutOnClipboard(GetCellText(cur.row, cur.col));
}

void CXGridNav::CopyCellWithHeaders(int firstHeader, int lastHeader, CXCellID pos)
{
    if (!IsValidCell(pos.row, pos.col)) return;
    PutOnClipboard(ColumnHeaderPath(pos.col, firstHeader, lastHeader) + u':' + GetCellText(pos.row, pos.col));
}

void CXGridNav::CopyRecordWithHeaders(int firstHeader, int lastHeader, int row)
{
    if (row < 0 || row >= GetRowCount()) return;
    QStringList lines;
    for (int c = 0; c < GetColumnCount(); ++c)
        if (IsColumnVisible(c)) lines << ColumnHeaderPath(c, firstHeader, lastHeader) + u':' + GetCellText(row, c);
    PutOnClipboard(lines.join(u"\r\n"_s));
}

void CXGridNav::CopyCellWithRowHeaders(int firstHeader, int lastHeader, CXCellID pos)
{
    if (!IsValidCell(pos.row, pos.col)) return;
    PutOnClipboard(RowHeaderPath(pos.row, firstHeader, lastHeader) + u':' + GetCellText(pos.row, pos.col));
}

void CXGridNav::CopyColumnWithHeaders(int firstHeader, int lastHeader, int col)
{
    if (col < 0 || col >= GetColumnCount()) return;
    QStringList lines;
    for (int r = 0; r < GetRowCount(); ++r)
        if (IsRowVisible(r)) lines << RowHeaderPath(r, firstHeader, lastHeader) + u':' + GetCellText(r, col);
    PutOnClipboard(lines.join(u"\r\n"_s));
}
