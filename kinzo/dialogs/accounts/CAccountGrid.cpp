#include "kinzo/dialogs/accounts/CAccountGrid.h"

#include <QEvent>

using namespace Qt::StringLiterals;

namespace {

constexpr int Widths[CAccountGrid::ColumnCount] = {60, 110, 110, 110, 90, 90, 160};

QString MonthText(const QDate& day)
{
    return u"%1年%2月"_s.arg(day.year(), 4).arg(day.month(), 2);
}

// The first level at which two dotted codes differ.
int FirstDifferentLevel(const QString& a, const QString& b)
{
    const QStringList left = a.split(u'.', Qt::SkipEmptyParts);
    const QStringList right = b.split(u'.', Qt::SkipEmptyParts);
    int level = 0;
    while (level < left.size() && level < right.size() && left[level] == right[level]) ++level;
    return level;
}

}  // namespace

CAccountGrid::CAccountGrid(QWidget* parent) : CXGrid(parent)
{
    SetupColumns(1);
}

void CAccountGrid::changeEvent(QEvent* event)
{
    CXGrid::changeEvent(event);
    if (event->type() != QEvent::FontChange || font().pointSize() == GetFontSize()) return;
    SetFont(GetFontName(), font().pointSize());
    Redraw();
}

void CAccountGrid::SetupColumns(int rowCount)
{
    static const QString headers[ColumnCount] = {u"収支"_s,     u"第１階層科目"_s, u"第２階層科目"_s, u"第３階層科目"_s,
                                                 u"使用開始"_s, u"使用終了"_s,     u"備考"_s};
    SetRowCount(0, 0);
    SetColumnCount(ColumnCount, 0);
    SetRowCount(rowCount, 0);
    SetFixedRowCount(1);
    for (int col = 0; col < ColumnCount; ++col) {
        SetColumnFormat(col, Qt::AlignLeft);
        SetCellText(HeaderRow, col, headers[col], Qt::AlignHCenter);
    }
    ResetColumnWidths();
}

void CAccountGrid::ResetColumnWidths()
{
    for (int col = 0; col < ColumnCount; ++col) SetColumnWidth(col, Widths[col]);
}

void CAccountGrid::Fill(AccountItemList& tree, const AccountItemNode* current)
{
    m_nodes = tree.Flatten();
    SetupColumns(int(m_nodes.size()) + 1);
    for (int i = 0; i < m_nodes.size(); ++i) FillRow(i + 1, m_nodes[i]);
    ShowToLevel(m_shownLevel);
    const int row = RowOfNode(current);
    if (GetRowCount() > 1) SetCurrentCell(row > 0 && IsRowVisible(row) ? row : 1, std::max(GetCurrentCell().col, 0));
}

void CAccountGrid::FillRow(int row, const AccountItemNode* node)
{
    const _AccountItem& item = node->m_data;
    SetCellText(row, ColSide + std::clamp(item.level, 0, 3), item.name);
    if (item.useStart && item.start.isValid()) SetCellText(row, ColStart, MonthText(item.start));
    if (item.useEnd && item.end.isValid()) SetCellText(row, ColEnd, MonthText(item.end));
    SetCellText(row, ColNote, item.note);
}

void CAccountGrid::ShowToLevel(int level)
{
    m_shownLevel = std::clamp(level, 0, 3);
    for (int i = 0; i < m_nodes.size(); ++i) SetRowVisible(i + 1, m_nodes[i]->m_data.level <= m_shownLevel ? 1 : 0);
    const int row = GetCurrentCell().row;
    if (row > 0 && !IsRowVisible(row)) {
        const AccountItemNode* up = NodeOfRow(row);
        while (up && up->m_data.level > m_shownLevel) up = up->m_parent;
        SetCurrentCell(std::max(RowOfNode(up), 1), GetCurrentCell().col);
    }
    RecalcLayout();
    Redraw();
}

AccountItemNode* CAccountGrid::NodeOfRow(int row) const
{
    return row >= 1 && row <= m_nodes.size() ? m_nodes[row - 1] : nullptr;
}

int CAccountGrid::RowOfNode(const AccountItemNode* node) const
{
    const qsizetype index = node ? m_nodes.indexOf(node) : -1;
    return index < 0 ? -1 : int(index) + 1;
}

QString CAccountGrid::ColumnSpeech(const AccountItemNode* node, int col) const
{
    QString text;
    if (col <= ColLevel3) {
        for (const AccountItemNode* up = node; up && up->m_depth >= 0; up = up->m_parent)
            if (up->m_data.level == col) text = up->m_data.name;
    } else {
        text = GetCellText(RowOfNode(node), col);
    }
    return text.isEmpty() ? u"空白"_s : text;
}

QString CAccountGrid::BuildCellSpeech(CXCellID previous, CXCellID current, int key) const
{
    const AccountItemNode* node = NodeOfRow(current.row);
    if (!node) return CXGrid::BuildCellSpeech(previous, current, key);
    // Left and right say the one cell; other moves go on to the item's name.
    const bool sideways = key == Qt::Key_Left || key == Qt::Key_Right;
    const int last = sideways ? current.col : std::max(current.col, node->m_data.level);
    int from = 0;
    if (sideways) {
        from = current.col;
    } else if ((key == Qt::Key_Up || key == Qt::Key_Down) && NodeOfRow(previous.row)) {
        from = std::min(FirstDifferentLevel(NodeOfRow(previous.row)->m_code, node->m_code), last);
    }
    QStringList parts;
    for (int col = from; col <= last; ++col) parts << ColumnSpeech(node, col);
    QString text = parts.join(u' ');
    if (node->m_data.level >= 1)
        text += node->HasChildren() ? u" 親%1階層"_s.arg(node->m_data.level) : u" リーフ"_s;
    return text;
}

void CAccountGrid::OnCellChanged(CXCellID previous, CXCellID current, int key)
{
    if (!IsSpeechEnabled() || !NodeOfRow(current.row)) return CXGrid::OnCellChanged(previous, current, key);
    ReadCell(previous, current, key);
}

void CAccountGrid::SayCurrent()
{
    const CXCellID current = GetCurrentCell();
    if (!IsSpeechEnabled() || !NodeOfRow(current.row)) return;
    ReadCell(current, current, 0);
    CellWasSpoken();
}

void CAccountGrid::OnCursorMoved(CXCellID previous, CXCellID current)
{
    CXGrid::OnCursorMoved(previous, current);
    Q_EMIT currentNodeChanged();
}
