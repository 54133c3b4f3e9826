#include "CXGridModel.h"

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

CXGridModel::CXGridModel() : m_fontFace(u"MS ゴシック"_s) {}

CXGridModel::~CXGridModel()
{
    m_destroying = true;
}

std::unique_ptr<CXCellBase> CXGridModel::MakeCell(int row, int col) const
{
    auto cell = std::make_unique<CXCellDefault>();
    const bool fixedRow = row < m_fixedRows;
    const bool fixedCol = col < m_fixedCols;
    // New lines take the colours the grid has now, so a row added later is
    // as readable as the ones made before the colours were set.
    cell->SetTextColor(fixedRow || fixedCol ? m_fixedText : m_cellText);
    if (fixedRow && fixedCol) cell->SetBackColor(m_fixedBack);
    if (col >= 0 && col < GetColumnCount()) cell->SetFormat(m_cols[size_t(col)]->format);
    return cell;
}

int CXGridModel::SetRowCount(int count, int recalc)
{
    if (count < 0) return 0;
    const int old = GetRowCount();
    if (count < old) {
        m_rows.resize(size_t(count));
        FixSpansAfterShrink();
        if (m_current.row >= count) m_current = {};
        if (m_previous.row >= count) m_previous = {};
    } else {
        m_rows.reserve(size_t(count));
        for (int r = old; r < count; ++r) {
            auto row = std::make_unique<CXRow>();
            row->cells.reserve(m_cols.size());
            for (int c = 0; c < GetColumnCount(); ++c) row->cells.push_back(MakeCell(r, c));
            m_rows.push_back(std::move(row));
        }
    }
    MarkLayoutDirty();
    if (count != old) OnStructureChanged();
    if (recalc) RecalcLayout();
    return 1;
}

int CXGridModel::SetColumnCount(int count, int recalc)
{
    if (count < 0) return 0;
    const int old = GetColumnCount();
    if (count < old) {
        m_cols.resize(size_t(count));
        for (auto& row : m_rows) row->cells.resize(size_t(count));
        FixSpansAfterShrink();
        if (m_current.col >= count) m_current = {};
        if (m_previous.col >= count) m_previous = {};
    } else {
        m_cols.reserve(size_t(count));
        for (int c = old; c < count; ++c) m_cols.push_back(std::make_unique<CXColumn>());
        for (int r = 0; r < GetRowCount(); ++r) {
            auto& cells = m_rows[size_t(r)]->cells;
            cells.reserve(size_t(count));
            for (int c = old; c < count; ++c) cells.push_back(MakeCell(r, c));
        }
    }
    MarkLayoutDirty();
    if (count != old) OnStructureChanged();
    if (recalc) RecalcLayout();
    return 1;
}

int CXGridModel::SetFixedRowCount(int count)
{
    m_fixedRows = std::max(0, count);
    if (GetRowCount() < m_fixedRows) SetRowCount(m_fixedRows, 0);
    MarkLayoutDirty();
    RecalcLayout();
    return 1;
}

int CXGridModel::SetFixedColumnCount(int count)
{
    m_fixedCols = std::max(0, count);
    if (GetColumnCount() < m_fixedCols) SetColumnCount(m_fixedCols, 0);
    MarkLayoutDirty();
    RecalcLayout();
    return 1;
}

int CXGridModel::InsertRow(int index, const QString& text)
{
    if (index < 0 || index > GetRowCount()) index = GetRowCount();
    auto row = std::make_unique<CXRow>();
    for (int c = 0; c < GetColumnCount(); ++c) row->cells.push_back(MakeCell(index, c));
    if (!row->cells.empty()) row->cells[0]->SetText(text);
    m_rows.insert(m_rows.begin() + index, std::move(row));
    JoinInsertedRow(index);
    // The cursor stays on the cell it was on.
    if (m_current.row >= index) ++m_current.row;
    if (m_previous.row >= index) ++m_previous.row;
    MarkLayoutDirty();
    OnStructureChanged();
    RecalcLayout(0);
    return index;
}

int CXGridModel::DeleteRow(int index)
{
    if (index < 0 || index >= GetRowCount()) return 0;
    if (!m_destroying) LeaveDeletedRow(index);
    m_rows.erase(m_rows.begin() + index);
    const int count = GetRowCount();
    auto shift = [&](CXCellID& pos) {
        if (pos.row > index) --pos.row;
        else if (pos.row == index && pos.row >= count) pos = count > 0 ? CXCellID(count - 1, pos.col) : CXCellID();
    };
    shift(m_current);
    shift(m_previous);
    MarkLayoutDirty();
    OnStructureChanged();
    RecalcLayout(0);
    return 1;
}

CXCellBase* CXGridModel::GetCell(int row, int col) const
{
    if (row < 0 || col < 0 || row >= GetRowCount() || col >= GetColumnCount()) return nullptr;
    return m_rows[size_t(row)]->cells[size_t(col)].get();
}

int CXGridModel::IsValidCell(int row, int col) const
{
    return GetCell(row, col) ? 1 : 0;
}

bool CXGridModel::IsDataCell(CXCellID pos) const
{
    return IsValidCell(pos.row, pos.col) && pos.row >= m_fixedRows && pos.col >= m_fixedCols;
}

void CXGridModel::SetCellText(int row, int col, const QString& text, int format)
{
    if (!GetCell(row, col)) return;
    const int stored = format == -1 ? m_cols[size_t(col)]->format
                                    : (format & ~int(Qt::AlignVertical_Mask)) | Qt::AlignVCenter;
    // Every cell of a merge carries the same text, so that speech and copies
    // read it wherever the cursor lies inside the merge.
    const CXCellID first = MergeStart({row, col});
    const CXCellID last = MergeEnd({row, col});
    for (int r = first.row; r <= last.row; ++r) {
        for (int c = first.col; c <= last.col; ++c) {
            CXCellBase* cell = GetCell(r, c);
            cell->SetText(text);
            cell->SetFormat(stored);
        }
    }
}

QString CXGridModel::GetCellText(int row, int col) const
{
    const CXCellBase* cell = GetCell(row, col);
    return cell ? cell->GetText() : QString();
}

int CXGridModel::SetCell(int row, int col, std::unique_ptr<CXCellBase> cell)
{
    CXCellBase* old = GetCell(row, col);
    if (!old || !cell) return 0;
    cell->CopyStateFrom(*old);
    m_rows[size_t(row)]->cells[size_t(col)] = std::move(cell);
    return 1;
}

void CXGridModel::SetColumnFormat(int col, int format)
{
    if (col < 0 || col >= GetColumnCount()) return;
    m_cols[size_t(col)]->format = format | Qt::TextSingleLine;
}

int CXGridModel::GetColumnFormat(int col) const
{
    return col >= 0 && col < GetColumnCount() ? m_cols[size_t(col)]->format : 0;
}

void CXGridModel::SetRowHeight(int row, int height)
{
    if (row < 0 || row >= GetRowCount()) return;
    m_rows[size_t(row)]->height = std::max(0, height);
    MarkLayoutDirty();
}

void CXGridModel::SetColumnWidth(int col, int width)
{
    if (col < 0 || col >= GetColumnCount()) return;
    m_cols[size_t(col)]->width = std::max(0, width);
    MarkLayoutDirty();
}

int CXGridModel::GetRowHeight(int row) const
{
    return row >= 0 && row < GetRowCount() ? m_rows[size_t(row)]->height : 0;
}

int CXGridModel::GetColumnWidth(int col) const
{
    return col >= 0 && col < GetColumnCount() ? m_cols[size_t(col)]->width : 0;
}

void CXGridModel::SetRowData(int row, void* data)
{
    if (row >= 0 && row < GetRowCount()) m_rows[size_t(row)]->SetData(data);
}

void* CXGridModel::GetRowData(int row) const
{
    return row >= 0 && row < GetRowCount() ? m_rows[size_t(row)]->GetData() : nullptr;
}

void CXGridModel::SetColumnData(int col, void* data)
{
    if (col >= 0 && col < GetColumnCount()) m_cols[size_t(col)]->SetData(data);
}

void* CXGridModel::GetColumnData(int col) const
{
    return col >= 0 && col < GetColumnCount() ? m_cols[size_t(col)]->GetData() : nullptr;
}

void CXGridModel::SetRowVisible(int row, int visible)
{
    if (row < 0 || row >= GetRowCount()) return;
    m_rows[size_t(row)]->SetVisible(visible != 0);
    MarkLayoutDirty();
}

void CXGridModel::SetColumnVisible(int col, int visible)
{
    if (col < 0 || col >= GetColumnCount()) return;
    m_cols[size_t(col)]->SetVisible(visible != 0);
    MarkLayoutDirty();
}

int CXGridModel::IsRowVisible(int row) const
{
    return row >= 0 && row < GetRowCount() && m_rows[size_t(row)]->IsVisible() ? 1 : 0;
}

int CXGridModel::IsColumnVisible(int col) const
{
    return col >= 0 && col < GetColumnCount() && m_cols[size_t(col)]->IsVisible() ? 1 : 0;
}

void CXGridModel::SetFont(const QString& face, int pointSize)
{
    if (pointSize <= 0) return;
    m_fontFace = face;
    m_fontSize = pointSize;
    m_zoom = pointSize / 9.0;
    MarkLayoutDirty();
    OnFontChanged();
}

void CXGridModel::SetFontName(const QString& face)
{
    m_fontFace = face;
    OnFontChanged();
}

void CXGridModel::SetCellTextColor(XColor color)
{
    m_cellText = color;
    for (auto& row : m_rows)
        for (auto& cell : row->cells) cell->SetTextColor(color);
}

void CXGridModel::SetCellBackColor(XColor color)
{
    m_cellBack = color;
}

void CXGridModel::SetFixedBackColor(XColor color)
{
    m_fixedBack = color;
    for (int r = 0; r < std::min(m_fixedRows, GetRowCount()); ++r)
        for (int c = 0; c < std::min(m_fixedCols, GetColumnCount()); ++c) GetCell(r, c)->SetBackColor(color);
}

void CXGridModel::SetFixedTextColor(XColor color)
{
    m_fixedText = color;
    for (int r = 0; r < GetRowCount(); ++r)
        for (int c = 0; c < GetColumnCount(); ++c)
            if (r < m_fixedRows || c < m_fixedCols) GetCell(r, c)->SetTextColor(color);
}

void CXGridModel::SetLineColor(XColor color)
{
    m_lineColor = color;
}

void CXGridModel::PlaceCursor(CXCellID pos)
{
    m_previous = m_current;
    m_current = pos;
    OnCursorMoved(m_previous, m_current);
}
