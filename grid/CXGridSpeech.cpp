// What the grid says after a move: the default steps that the views' grids
// replace in part.
#include "CXGridNav.h"

using namespace Qt::StringLiterals;

void CXGridNav::OnCellChanged(CXCellID previous, CXCellID current, int key)
{
    if (!m_speak || !IsValidCell(current.row, current.col)) return;
    // Up and down in the first scrolled column read whole records.
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && current.col == GetTopLeftCell().col) {
        ReadRow(current.row, key);
        return;
    }
    if (!m_readHeaders) {
        const QString text = GetCellText(current.row, current.col);
        Speak(text.isEmpty() ? u"空白"_s : text);
        return;
    }
    ReadCell(previous, current, key);
}

void CXGridNav::ReadCell(CXCellID previous, CXCellID current, int key)
{
    Speak(BuildCellSpeech(previous, current, key));
}

QString CXGridNav::BuildCellSpeech(CXCellID, CXCellID current, int) const
{
    return CellWithHeaders(current);
}

QString CXGridNav::CellWithHeaders(CXCellID current) const
{
    if (!IsValidCell(current.row, current.col)) return {};
    QString text;
    // Column 0 names the row even when it scrolls with the data (the search
    // results have no fixed column); row 0 is a header only when fixed.
    if (current.row != 0 && current.col != 0) {
        text = GetCellText(current.row, 0);
        if (!text.isEmpty()) text += u' ';
        if (GetFixedRowCount() > 0) text += GetCellText(0, current.col);
    }
    if (!text.isEmpty()) text += u' ';
    const QString cell = GetCellText(current.row, current.col);
    text += cell.isEmpty() ? u" 空白"_s : cell;
    return text;
}

QString CXGridNav::GetColumnHeaderSpeech(int, int col, int) const
{
    return GetFixedRowCount() > 0 ? GetCellText(0, col) : QString();
}

QString CXGridNav::GetRowHeaderSpeech(int row, int, int) const
{
    return GetFixedColumnCount() > 0 ? GetCellText(row, 0) : QString();
}

void CXGridNav::ReadRow(int row, int key)
{
    if (row < 0 || row >= GetRowCount()) return;
    QString text;
    // The row's own labels, one word each.
    for (int c = 0; c < GetFixedColumnCount() && c < GetColumnCount(); ++c) {
        const QString label = IsColumnVisible(c) ? GetCellText(row, c) : QString();
        if (label.isEmpty()) continue;
        if (!text.isEmpty()) text += u' ';
        text += label;
    }
    for (int c : ColumnLayout().VisibleData()) {
        if (!IsAreaStart({row, c})) continue;
        const QString cell = GetCellText(row, c);
        if (m_skipBlankZero && (cell.isEmpty() || cell == u"0"_s)) continue;
        if (!text.isEmpty()) text += u' ';
        text += GetColumnHeaderSpeech(-1, c, Qt::Key_Right);
        if (!text.isEmpty()) text += u' ';
        text += cell.isEmpty() ? u" 空白"_s : cell;
    }
    Speak(text);
}

void CXGridNav::ReadColumn(int col, int key)
{
    if (col < 0 || col >= GetColumnCount()) return;
    QString text;
    for (int r = 0; r < GetRowCount(); ++r) {
        if (!IsRowVisible(r)) continue;
        if (!text.isEmpty()) text += u' ';
        text += GetRowHeaderSpeech(r, -1, 0);
        if (!text.isEmpty()) text += u' ';
        const QString cell = GetCellText(r, col);
        text += cell.isEmpty() ? u" 空白"_s : cell;
    }
    Speak(text);
}

void CXGridNav::SpeakFocus()
{
    const CXCellID cur = GetCurrentCell();
    if (!m_speak || !IsValidCell(cur.row, cur.col)) return;
    const QString text = GetCellText(cur.row, cur.col);
    Speak(text.isEmpty() ? u"空白"_s : text);
}
