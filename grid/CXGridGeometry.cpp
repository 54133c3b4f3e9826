// Where the lines and cells lie on screen, and scrolling by whole lines.
#include "CXGridModel.h"

#include <cmath>

void CXGridModel::EnsureLayout() const
{
    if (!m_layoutDirty) return;
    const double zoom = m_zoom;
    m_rowLayout.Rebuild(
        GetRowCount(), m_fixedRows,
        [&](int r) { return int(std::lround(m_rows[size_t(r)]->height * zoom)); },
        [&](int r) { return m_rows[size_t(r)]->IsVisible(); });
    m_colLayout.Rebuild(
        GetColumnCount(), m_fixedCols,
        [&](int c) { return int(std::lround(m_cols[size_t(c)]->width * zoom)); },
        [&](int c) { return m_cols[size_t(c)]->IsVisible(); });
    m_layoutDirty = false;
}

const CXAxisLayout& CXGridModel::RowLayout() const
{
    EnsureLayout();
    return m_rowLayout;
}

const CXAxisLayout& CXGridModel::ColumnLayout() const
{
    EnsureLayout();
    return m_colLayout;
}

void CXGridModel::RecalcLayout(int flag)
{
    m_layoutDirty = true;
    EnsureLayout();
    if (flag) {
        m_scrollRow = 0;
        m_scrollCol = 0;
    }
    m_scrollRow = std::clamp(m_scrollRow, 0, m_rowLayout.MaxScroll(m_viewSize.height()));
    m_scrollCol = std::clamp(m_scrollCol, 0, m_colLayout.MaxScroll(m_viewSize.width()));
    OnScrollChanged();
}

CXCellID CXGridModel::GetTopLeftCell(int) const
{
    if (GetRowCount() == 0 || GetColumnCount() == 0) return {};
    EnsureLayout();
    auto first = [](const CXAxisLayout& axis, int scroll, int count) {
        const auto& shown = axis.VisibleData();
        if (shown.empty()) return count - 1;
        return shown[size_t(std::clamp(scroll, 0, int(shown.size()) - 1))];
    };
    return {first(m_rowLayout, m_scrollRow, GetRowCount()), first(m_colLayout, m_scrollCol, GetColumnCount())};
}

QRect CXGridModel::GetCellRect(CXCellID pos) const
{
    if (!IsValidCell(pos.row, pos.col)) return {};
    EnsureLayout();
    if (!m_rowLayout.IsShown(pos.row) || !m_colLayout.IsShown(pos.col)) return {};
    return {m_colLayout.Position(pos.col, m_scrollCol), m_rowLayout.Position(pos.row, m_scrollRow),
            m_colLayout.Size(pos.col), m_rowLayout.Size(pos.row)};
}

QRect CXGridModel::GetMergedRect(CXCellID pos) const
{
    const CXCellID first = MergeStart(pos);
    const CXCellID last = MergeEnd(pos);
    QRect area;
    for (int r = first.row; r <= last.row; ++r)
        for (int c = first.col; c <= last.col; ++c) area = area.united(GetCellRect({r, c}));
    return area;
}

CXCellID CXGridModel::CellAt(const QPoint& point) const
{
    EnsureLayout();
    const int r = m_rowLayout.LineAt(point.y(), m_scrollRow, m_viewSize.height());
    const int c = m_colLayout.LineAt(point.x(), m_scrollCol, m_viewSize.width());
    return r >= 0 && c >= 0 ? CXCellID(r, c) : CXCellID();
}

void CXGridModel::SetScrollPosition(int rowOrdinal, int colOrdinal)
{
    EnsureLayout();
    rowOrdinal = std::clamp(rowOrdinal, 0, m_rowLayout.MaxScroll(m_viewSize.height()));
    colOrdinal = std::clamp(colOrdinal, 0, m_colLayout.MaxScroll(m_viewSize.width()));
    if (rowOrdinal == m_scrollRow && colOrdinal == m_scrollCol) return;
    m_scrollRow = rowOrdinal;
    m_scrollCol = colOrdinal;
    OnScrollChanged();
}

void CXGridModel::EnsureVisible(CXCellID pos)
{
    if (!IsValidCell(pos.row, pos.col)) return;
    EnsureLayout();
    int row = m_scrollRow;
    int col = m_scrollCol;
    const int rk = m_rowLayout.OrdinalOf(pos.row);
    if (rk >= 0) row = m_rowLayout.ScrollToShow(rk, m_scrollRow, m_viewSize.height());
    const int ck = m_colLayout.OrdinalOf(pos.col);
    if (ck >= 0) col = m_colLayout.ScrollToShow(ck, m_scrollCol, m_viewSize.width());
    SetScrollPosition(row, col);
}

void CXGridModel::SetViewportSize(const QSize& size)
{
    if (size == m_viewSize) return;
    m_viewSize = size;
    EnsureLayout();
    SetScrollPosition(m_scrollRow, m_scrollCol);
    OnScrollChanged();
}
