// Merged cells: every cell of a merge carries the merge's text and format and
// knows its own place in it, so navigation and painting can treat the merge
// as one area.
#include "CXGridModel.h"

#include <algorithm>

namespace {

const CXSpan& SpanOf(const CXCellBase& cell, bool downward)
{
    return downward ? cell.RowSpan() : cell.ColumnSpan();
}

void PutSpan(CXCellBase& cell, bool downward, const CXSpan& span)
{
    if (downward) cell.SetRowSpan(span);
    else cell.SetColumnSpan(span);
}

}  // namespace

int CXGridModel::SetRowSpan(int row, int col, int length, int node)
{
    return Merge(row, col, length, node, true);
}

int CXGridModel::SetColumnSpan(int row, int col, int length, int node)
{
    return Merge(row, col, length, node, false);
}

void CXGridModel::ClearRowSpan(int row, int col)
{
    Unmerge(row, col, true);
}

void CXGridModel::ClearColumnSpan(int row, int col)
{
    Unmerge(row, col, false);
}

// downward: merge rows (row, col) .. (row + length - 1, col); otherwise the
// same across columns. Named for rows; "along" is the merged axis.
int CXGridModel::Merge(int row, int col, int length, int node, bool downward)
{
    CXCellBase* first = GetCell(row, col);
    const int along = downward ? row : col;
    const int result = downward ? col : row;
    if (!first) return result;
    const int count = downward ? GetRowCount() : GetColumnCount();
    length = std::min(length, count - along);
    if (length < 1) return result;

    // A shorter merge over an old longer one frees the old tail.
    const CXSpan old = SpanOf(*first, downward);
    if (old.index == 0 && old.length > length) Unmerge(row, col, downward);

    const CXSpan across = SpanOf(*first, !downward);
    const int acrossStart = (downward ? col : row) - across.index;
    const int acrossLength = across.length >= 2 ? across.length : 1;
    const QString text = first->GetText();
    const int format = first->GetFormat();
    for (int i = 0; i < length; ++i) {
        for (int t = 0; t < acrossLength; ++t) {
            const int r = downward ? row + i : acrossStart + t;
            const int c = downward ? acrossStart + t : col + i;
            CXCellBase* cell = GetCell(r, c);
            if (!cell) continue;
            cell->SetText(text);
            cell->SetFormat(format);
            PutSpan(*cell, downward, {length, i, node});
            if (acrossLength >= 2) PutSpan(*cell, !downward, {acrossLength, t, across.node});
        }
    }
    return acrossLength >= 2 ? acrossStart + acrossLength - 1 : result;
}

void CXGridModel::Unmerge(int row, int col, bool downward)
{
    const CXCellBase* first = GetCell(row, col);
    if (!first) return;
    const CXSpan span = SpanOf(*first, downward);
    if (span.index != 0 || span.length < 2) return;
    const CXSpan across = SpanOf(*first, !downward);
    const int acrossStart = (downward ? col : row) - across.index;
    const int acrossLength = std::max(1, across.length);
    for (int i = 0; i < span.length; ++i) {
        for (int t = 0; t < acrossLength; ++t) {
            const int r = downward ? row + i : acrossStart + t;
            const int c = downward ? acrossStart + t : col + i;
            if (CXCellBase* cell = GetCell(r, c)) PutSpan(*cell, downward, {});
        }
    }
}

CXCellID CXGridModel::MergeStart(CXCellID pos) const
{
    const CXCellBase* cell = GetCell(pos);
    if (!cell) return pos;
    return {pos.row - cell->RowSpan().index, pos.col - cell->ColumnSpan().index};
}

CXCellID CXGridModel::MergeEnd(CXCellID pos) const
{
    const CXCellBase* cell = GetCell(pos);
    if (!cell) return pos;
    const CXSpan& rs = cell->RowSpan();
    const CXSpan& cs = cell->ColumnSpan();
    return {std::min(GetRowCount() - 1, pos.row - rs.index + std::max(1, rs.length) - 1),
            std::min(GetColumnCount() - 1, pos.col - cs.index + std::max(1, cs.length) - 1)};
}

void CXGridModel::JoinInsertedRow(int row)
{
    if (row <= 0 || row + 1 >= GetRowCount()) return;
    for (int c = 0; c < GetColumnCount(); ++c) {
        const CXCellBase* above = GetCell(row - 1, c);
        const CXSpan span = above->RowSpan();
        if (span.length < 2 || span.index >= span.length - 1) continue;
        CXCellBase* added = GetCell(row, c);
        added->SetText(above->GetText());
        added->SetFormat(above->GetFormat());
        added->SetColumnSpan(above->ColumnSpan());
        const int start = row - 1 - span.index;
        for (int k = 0; k <= span.length; ++k)
            GetCell(start + k, c)->SetRowSpan({span.length + 1, k, span.node});
    }
}

void CXGridModel::LeaveDeletedRow(int row)
{
    for (int c = 0; c < GetColumnCount(); ++c) {
        const CXSpan span = GetCell(row, c)->RowSpan();
        if (span.length < 2) continue;
        const int start = row - span.index;
        for (int k = 0, place = 0; k < span.length; ++k) {
            CXCellBase* cell = GetCell(start + k, c);
            if (start + k == row || !cell) continue;
            cell->SetRowSpan({span.length - 1, place++, span.node});
        }
    }
}

// After lines were cut off, merges that ran past the new end are shortened.
void CXGridModel::FixSpansAfterShrink()
{
    const int rows = GetRowCount();
    const int cols = GetColumnCount();
    if (rows > 0)
        for (int c = 0; c < cols; ++c) NormaliseSpan(rows - 1, c, true);
    if (cols > 0)
        for (int r = 0; r < rows; ++r) NormaliseSpan(r, cols - 1, false);
}

void CXGridModel::NormaliseSpan(int row, int col, bool downward)
{
    const CXCellBase* cell = GetCell(row, col);
    const CXSpan span = SpanOf(*cell, downward);
    const int along = downward ? row : col;
    const int start = along - span.index;
    const int count = downward ? GetRowCount() : GetColumnCount();
    if (start + span.length <= count) return;
    const int length = count - start;
    for (int k = 0; k < length; ++k) {
        CXCellBase* member = downward ? GetCell(start + k, col) : GetCell(row, start + k);
        PutSpan(*member, downward, {length, k, span.node});
    }
}
