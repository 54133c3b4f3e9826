// What a summary table says while the user moves through it. A cell is read
// as its period, its account path and its amount, the pieces joined by an
// ideographic space; a move along the account axis gives only the part of the
// path that changed, a move along the period axis only the deepest label.
// Up and Down in the first column of the scrolled area read the whole row.

#include "kinzo/views/summary/CSummaryGrid.h"

using namespace Qt::StringLiterals;

namespace {

const QChar IdeographicSpace(0x3000);

void Append(QString& text, const QString& piece, QChar separator)
{
    if (piece.isEmpty()) return;
    if (!text.isEmpty()) text += separator;
    text += piece;
}

}  // namespace

bool CSummaryGrid::IsAccountAxisKey(int key) const
{
    return IsVertical() ? key == Qt::Key_Up || key == Qt::Key_Down : key == Qt::Key_Left || key == Qt::Key_Right;
}

bool CSummaryGrid::IsPeriodAxisKey(int key) const
{
    return IsVertical() ? key == Qt::Key_Left || key == Qt::Key_Right : key == Qt::Key_Up || key == Qt::Key_Down;
}

// The label of a line on one level; empty where the cell only continues the
// label of a shallower level.
QString CSummaryGrid::LabelAt(int line, int level) const
{
    const CXCellID cell = LabelCell(line, level);
    if (!IsValidCell(cell.row, cell.col)) return {};
    const CXCellID start = MergeStart(cell);
    if ((IsVertical() ? start.col : start.row) != level) return {};
    return GetCellText(cell.row, cell.col);
}

QString CSummaryGrid::PathSpeech(int line, int previousLine, int key, QChar separator) const
{
    QString labels[LabelLevels];
    int deepest = -1;
    for (int level = 0; level < LabelLevels; ++level) {
        labels[level] = LabelAt(line, level);
        if (!labels[level].isEmpty()) deepest = level;
    }
    if (deepest < 0) return {};
    int from = 0;
    if (IsPeriodAxisKey(key)) {
        from = deepest;
    } else if (IsAccountAxisKey(key) && previousLine >= 0 && previousLine != line) {
        from = deepest;
        for (int level = 0; level < LabelLevels; ++level) {
            if (labels[level] == LabelAt(previousLine, level)) continue;
            from = std::min(level, deepest);
            break;
        }
    }
    QString text;
    for (int level = from; level <= deepest; ++level) Append(text, labels[level], separator);
    return text;
}

QString CSummaryGrid::PeriodSpeech(int position, QChar separator) const
{
    QString text;
    if (IsVertical()) {
        const bool period = PeriodOfPosition(position) >= 0;
        for (int row = 0; row < VerticalHeaderRows() && (row == 0 || period); ++row)
            Append(text, GetCellText(row, position), separator);
    } else {
        for (int col = 0; col < 2; ++col) Append(text, GetCellText(position, col), separator);
    }
    return text;
}

QString CSummaryGrid::GetRowHeaderSpeech(int row, int, int key) const
{
    return IsVertical() ? PathSpeech(row, GetPreviousCell().row, key, IdeographicSpace)
                        : PeriodSpeech(row, IdeographicSpace);
}

QString CSummaryGrid::GetColumnHeaderSpeech(int, int col, int key) const
{
    return IsVertical() ? PeriodSpeech(col, IdeographicSpace)
                        : PathSpeech(col, GetPreviousCell().col, key, IdeographicSpace);
}

QString CSummaryGrid::BuildCellSpeech(CXCellID previous, CXCellID current, int key) const
{
    if (!IsValidCell(current.row, current.col)) return {};
    QString text;
    if (IsVertical()) {
        Append(text, PathSpeech(current.row, previous.row, key, IdeographicSpace), IdeographicSpace);
        Append(text, PeriodSpeech(current.col, IdeographicSpace), IdeographicSpace);
    } else {
        Append(text, PeriodSpeech(current.row, IdeographicSpace), IdeographicSpace);
        Append(text, PathSpeech(current.col, previous.col, key, IdeographicSpace), IdeographicSpace);
    }
    const QString cell = GetCellText(current.row, current.col);
    Append(text, cell.isEmpty() ? u"空白"_s : cell, IdeographicSpace);
    return text;
}

void CSummaryGrid::OnCellChanged(CXCellID previous, CXCellID current, int key)
{
    if (IsSilent() || !IsSpeechEnabled() || !IsValidCell(current.row, current.col)) return;
    if ((key == Qt::Key_Up || key == Qt::Key_Down) && current.col == GetTopLeftCell().col) {
        // The carry-over row has only the balance to tell.
        if (!IsVertical() && current.row == CarryPosition)
            Speak(u"繰越 "_s + GetCellText(CarryPosition, GetColumnCount() - 1));
        else
            ReadRow(current.row, key);
        return;
    }
    if (!GetReadHeaders()) {
        const QString text = GetCellText(current.row, current.col);
        Speak(text.isEmpty() ? u"空白"_s : text);
        return;
    }
    Speak(BuildCellSpeech(previous, current, key));
}

void CSummaryGrid::ReadRow(int row, int key)
{
    if (row < 0 || row >= GetRowCount()) return;
    QString text = IsVertical() ? PathSpeech(row, GetPreviousCell().row, key, u' ') : PeriodSpeech(row, u' ');
    const std::vector<int>& columns = ColumnLayout().VisibleData();
    int lastRead = -1;
    for (int col : columns) {
        const QString cell = GetCellText(row, col);
        // Empty and "0" cells say nothing, but the last one (total or balance) always speaks.
        if (col != columns.back() && (cell.isEmpty() || cell == u"0"_s)) continue;
        const QString header = IsVertical() ? PeriodSpeech(col, u' ') : PathSpeech(col, lastRead, Qt::Key_Right, u' ');
        lastRead = col;
        text += u' ' + header + u' ' + (cell.isEmpty() ? u" 空白"_s : cell);
    }
    Speak(text);
}
