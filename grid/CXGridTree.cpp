// Tree grouping of header lines. In tree mode 1 the header rows 0..depth-1
// group the columns: a header cell merged across columns with a nonzero node
// is a group, its columns the members, and the group's open state is the
// expanded flag of its level on its last member. Mode 2 is the same for rows.
// A closed group leaves only its last member showing (the subtotal line of
// the ledger tables).
#include "CXGridModel.h"

void CXGridModel::SetTreeMode(int mode)
{
    m_treeMode = mode == 1 || mode == 2 ? mode : 0;
}

void CXGridModel::SetRowTreeDepth(int depth)
{
    m_rowTreeDepth = std::clamp(depth, 0, cxgrid::TreeLevels);
}

void CXGridModel::SetColumnTreeDepth(int depth)
{
    m_colTreeDepth = std::clamp(depth, 0, cxgrid::TreeLevels);
}

int CXGridModel::TreeDepth() const
{
    return m_treeMode == 1 ? m_colTreeDepth : m_treeMode == 2 ? m_rowTreeDepth : 0;
}

void CXGridModel::SetLevelExpanded(int line, int level, int expanded)
{
    CXLineBase* target = nullptr;
    if (m_treeMode == 1) {
        if (line >= 0 && line < GetColumnCount()) target = m_cols[size_t(line)].get();
    } else if (line >= 0 && line < GetRowCount()) {
        target = m_rows[size_t(line)].get();
    }
    if (target) target->SetLevelExpanded(level, expanded != 0);
}

int CXGridModel::IsLevelExpanded(int line, int level) const
{
    if (m_treeMode == 1)
        return line >= 0 && line < GetColumnCount() && m_cols[size_t(line)]->IsLevelExpanded(level) ? 1 : 0;
    return line >= 0 && line < GetRowCount() && m_rows[size_t(line)]->IsLevelExpanded(level) ? 1 : 0;
}

CXLineBase* CXGridModel::TreeLine(int line) const
{
    if (m_treeMode == 1 && line >= 0 && line < GetColumnCount()) return m_cols[size_t(line)].get();
    if (m_treeMode == 2 && line >= 0 && line < GetRowCount()) return m_rows[size_t(line)].get();
    return nullptr;
}

CXSpan CXGridModel::GroupSpan(int level, int line) const
{
    const CXCellBase* cell = m_treeMode == 1 ? GetCell(level, line) : m_treeMode == 2 ? GetCell(line, level) : nullptr;
    if (!cell) return {};
    return m_treeMode == 1 ? cell->ColumnSpan() : cell->RowSpan();
}

bool CXGridModel::GroupAt(int level, int line) const
{
    if (level < 0 || level >= TreeDepth()) return false;
    const CXSpan span = GroupSpan(level, line);
    return span.length > 1 && span.node != 0;
}

bool CXGridModel::IsGroupCell(CXCellID pos) const
{
    if (m_treeMode == 1) return GroupAt(pos.row, pos.col);
    if (m_treeMode == 2) return GroupAt(pos.col, pos.row);
    return false;
}

bool CXGridModel::IsGroupExpanded(CXCellID pos) const
{
    if (!IsGroupCell(pos)) return false;
    const int level = m_treeMode == 1 ? pos.row : pos.col;
    const int line = m_treeMode == 1 ? pos.col : pos.row;
    const CXSpan span = GroupSpan(level, line);
    const CXLineBase* last = TreeLine(line - span.index + span.length - 1);
    return last && last->IsLevelExpanded(level);
}

bool CXGridModel::HiddenByDeeperGroup(int line, int level) const
{
    for (int deeper = level + 1; deeper < TreeDepth(); ++deeper) {
        if (!GroupAt(deeper, line)) continue;
        const CXSpan span = GroupSpan(deeper, line);
        const int last = line - span.index + span.length - 1;
        const CXLineBase* lastLine = TreeLine(last);
        if (line != last && lastLine && !lastLine->IsLevelExpanded(deeper)) return true;
    }
    return false;
}

void CXGridModel::SetTreeLineVisible(int line, bool visible)
{
    if (CXLineBase* target = TreeLine(line)) target->SetVisible(visible);
}

bool CXGridModel::SetGroupExpanded(CXCellID pos, bool expand)
{
    if (!IsGroupCell(pos) || IsGroupExpanded(pos) == expand) return false;
    const int level = m_treeMode == 1 ? pos.row : pos.col;
    const int line = m_treeMode == 1 ? pos.col : pos.row;
    const CXSpan span = GroupSpan(level, line);
    const int first = line - span.index;
    const int last = std::min(first + span.length, m_treeMode == 1 ? GetColumnCount() : GetRowCount()) - 1;
    TreeLine(last)->SetLevelExpanded(level, expand);
    for (int member = first; member < last; ++member)
        SetTreeLineVisible(member, expand && !HiddenByDeeperGroup(member, level));
    if (expand) SetTreeLineVisible(last, true);

    int& cursorLine = m_treeMode == 1 ? m_current.col : m_current.row;
    if (!expand && cursorLine >= first && cursorLine < last) {
        CXCellID moved = m_current;
        (m_treeMode == 1 ? moved.col : moved.row) = last;
        PlaceCursor(moved);
    }
    MarkLayoutDirty();
    RecalcLayout(0);
    EnsureVisible(m_current);
    Redraw();
    return true;
}
