#include "CXGridNav.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

bool IsBlankOrZero(const QString& text)
{
    return text.isEmpty() || text == u"0"_s;
}

}  // namespace

CXGridNav::CXGridNav() = default;
CXGridNav::~CXGridNav() = default;

void CXGridNav::EnableSpeech(int flag)
{
    m_speak = flag != 0;
    if (m_speak) m_voice.Init();
}

void CXGridNav::Speak(const QString& text, int stop, int wait)
{
    if (m_speak) m_voice.ReadText(text, stop, wait);
}

void CXGridNav::SetMoveMode(int mode)
{
    m_moveMode = mode ? 1 : 0;
    Speak(m_moveMode ? u"縦優先移動"_s : u"横優先移動"_s);
}

void CXGridNav::SetCurrentCell(int row, int col)
{
    if (!IsValidCell(row, col)) return;
    MoveTo({row, col}, 0);
}

void CXGridNav::MoveTo(CXCellID target, int key)
{
    EnsureVisible(target);
    PlaceCursor(target);
    InvalidateCell(GetPreviousCell());
    InvalidateCell(target);
    OnCellChanged(GetPreviousCell(), target, key);
}

bool CXGridNav::DoAction(CXGridAction action)
{
    const CXCellID cur = GetCurrentCell();
    switch (action) {
    case CXGridAction::None: return false;
    case CXGridAction::MoveLeft: MoveLeft(cur); break;
    case CXGridAction::MoveRight: MoveRight(cur); break;
    case CXGridAction::MoveUp: MoveUp(cur); break;
    case CXGridAction::MoveDown: MoveDown(cur); break;
    case CXGridAction::Collapse: ToggleGroup(cur, Qt::Key_Left); break;
    case CXGridAction::Expand: ToggleGroup(cur, Qt::Key_Right); break;
    case CXGridAction::RowHome: HomeEnd(false, false); break;
    case CXGridAction::ColumnHome: HomeEnd(false, true); break;
    case CXGridAction::RowEnd: HomeEnd(true, false); break;
    case CXGridAction::ColumnEnd: HomeEnd(true, true); break;
    case CXGridAction::FirstData: TableCorner(false); break;
    case CXGridAction::LastData: TableCorner(true); break;
    case CXGridAction::PageUp: PageMove(-1); break;
    case CXGridAction::PageDown: PageMove(1); break;
    case CXGridAction::NextData: NextData(m_moveMode); break;
    case CXGridAction::PreviousData: PreviousData(m_moveMode); break;
    case CXGridAction::ReRead:
        if (m_speak) m_voice.StopRead();
        if (IsValidCell(cur.row, cur.col)) ReadCell(cur, cur, 0);
        break;
    }
    return true;
}

// One arrow step from pos: from the far side of its merge in the direction
// of the key, over hidden lines, never into the fixed lines.
CXCellID CXGridNav::Step(CXCellID pos, int key, const QString& edgeWord)
{
    if (!IsDataCell(pos)) return pos;
    const bool horizontal = key == Qt::Key_Left || key == Qt::Key_Right;
    const int dir = key == Qt::Key_Left || key == Qt::Key_Up ? -1 : 1;
    const CXCellID from = dir < 0 ? MergeStart(pos) : MergeEnd(pos);
    const int fixed = horizontal ? GetFixedColumnCount() : GetFixedRowCount();
    const int count = horizontal ? GetColumnCount() : GetRowCount();
    int line = (horizontal ? from.col : from.row) + dir;
    while (line >= fixed && line < count && !(horizontal ? IsColumnVisible(line) : IsRowVisible(line))) line += dir;
    if (line < fixed || line >= count) {
        Speak(BuildCellSpeech(GetPreviousCell(), pos, key) + edgeWord);
        return pos;
    }
    MoveTo(horizontal ? CXCellID(pos.row, line) : CXCellID(line, pos.col), key);
    return GetCurrentCell();
}

CXCellID CXGridNav::MoveLeft(CXCellID pos) { return Step(pos, Qt::Key_Left, u" 左端"_s); }
CXCellID CXGridNav::MoveRight(CXCellID pos) { return Step(pos, Qt::Key_Right, u" 右端"_s); }
CXCellID CXGridNav::MoveUp(CXCellID pos) { return Step(pos, Qt::Key_Up, u" 上端"_s); }
CXCellID CXGridNav::MoveDown(CXCellID pos) { return Step(pos, Qt::Key_Down, u" 下端"_s); }

void CXGridNav::HomeEnd(bool toEnd, bool alongColumn)
{
    const CXCellID cur = GetCurrentCell();
    if (!IsValidCell(cur.row, cur.col)) return;
    const auto& shown = alongColumn ? RowLayout().VisibleData() : ColumnLayout().VisibleData();
    if (shown.empty()) return;
    const int line = toEnd ? shown.back() : shown.front();
    SetCurrentCell(alongColumn ? line : cur.row, alongColumn ? cur.col : line);
    Redraw();
}

void CXGridNav::TableCorner(bool toEnd)
{
    const auto& rows = RowLayout().VisibleData();
    const auto& cols = ColumnLayout().VisibleData();
    if (rows.empty() || cols.empty()) return;
    SetCurrentCell(toEnd ? rows.back() : rows.front(), toEnd ? cols.back() : cols.front());
    Redraw();
}

// Page keys go five visible rows, within the data rows. (Counting hidden
// rows could leave the cursor on a row nobody sees.)
void CXGridNav::PageMove(int direction)
{
    const CXCellID cur = GetCurrentCell();
    if (!IsValidCell(cur.row, cur.col)) return;
    int target = cur.row;
    for (int r = cur.row + direction, steps = 0;
         steps < 5 && r >= GetFixedRowCount() && r < GetRowCount(); r += direction) {
        if (!IsRowVisible(r)) continue;
        target = r;
        ++steps;
    }
    SetCurrentCell(target, cur.col);
    Redraw();
}

int CXGridNav::NextData(int mode) { return JumpData(mode, 1); }
int CXGridNav::PreviousData(int mode) { return JumpData(mode, -1); }

// A cell that continues a merge whose earlier part shows is not a place of
// its own: the jump and whole-row reading meet the merge once.
bool CXGridNav::IsAreaStart(CXCellID pos) const
{
    const CXCellBase* cell = GetCell(pos);
    if (!cell) return false;
    for (int k = 1; k <= cell->ColumnSpan().index; ++k)
        if (pos.col - k >= GetFixedColumnCount() && IsColumnVisible(pos.col - k)) return false;
    for (int k = 1; k <= cell->RowSpan().index; ++k)
        if (pos.row - k >= GetFixedRowCount() && IsRowVisible(pos.row - k)) return false;
    return true;
}

int CXGridNav::JumpData(int mode, int direction)
{
    const auto& rows = RowLayout().VisibleData();
    const auto& cols = ColumnLayout().VisibleData();
    const CXCellID cur = GetCurrentCell();
    const auto nr = qint64(rows.size());
    const auto nc = qint64(cols.size());
    // Where the walk starts, in half steps over the visible data cells in
    // walking order: even = on a cell, odd = between two. A cursor outside
    // the data starts before the first cell.
    auto place = [](const std::vector<int>& lines, int line, bool& exact) {
        const auto it = std::lower_bound(lines.begin(), lines.end(), line);
        exact = it != lines.end() && *it == line;
        return qint64(it - lines.begin());
    };
    qint64 half = -1;
    if (IsDataCell(cur)) {
        bool rowExact = false, colExact = false;
        const qint64 ri = place(rows, cur.row, rowExact);
        const qint64 ci = place(cols, cur.col, colExact);
        const qint64 outer = mode ? ci : ri, inner = mode ? ri : ci;
        const bool outerExact = mode ? colExact : rowExact, innerExact = mode ? rowExact : colExact;
        const qint64 width = mode ? nr : nc;
        if (!outerExact) half = 2 * outer * width - 1;
        else half = 2 * (outer * width + inner) - (innerExact ? 0 : 1);
    }
    const qint64 total = nr * nc;
    const CXCellID startArea = IsDataCell(cur) ? MergeStart(cur) : CXCellID();
    qint64 i = direction > 0 ? half / 2 + 1 : (half + 1) / 2 - 1;
    if (direction > 0 && half < 0) i = 0;
    for (; i >= 0 && i < total; i += direction) {
        const qint64 outer = i / (mode ? nr : nc), inner = i % (mode ? nr : nc);
        const CXCellID pos = mode ? CXCellID(rows[size_t(inner)], cols[size_t(outer)])
                                  : CXCellID(rows[size_t(outer)], cols[size_t(inner)]);
        if (IsBlankOrZero(GetCellText(pos.row, pos.col)) || !IsAreaStart(pos) || MergeStart(pos) == startArea) continue;
        InvalidateCell(cur);
        SetCurrentCell(pos.row, pos.col);
        InvalidateCell(pos);
        Redraw();
        return 1;
    }
    Speak(BuildCellSpeech(GetPreviousCell(), cur, 0) + (direction > 0 ? u" データ末尾"_s : u" データ先頭"_s));
    return 0;
}

void CXGridNav::ToggleGroup(CXCellID pos, int key)
{
    if (key == Qt::Key_Left || key == Qt::Key_Right) {
        ToggleByKey(key == Qt::Key_Right, key);
        return;
    }
    if (!IsGroupCell(pos)) return;
    const bool expand = !IsGroupExpanded(pos);
    SetGroupExpanded(pos, expand);
    SpeakToggle(GetTreeMode() == 1 ? pos.row : pos.col, expand, key);
}

bool CXGridNav::ToggleByKey(bool expand, int key)
{
    const CXCellID cur = GetCurrentCell();
    const int mode = GetTreeMode();
    if (mode == 0 || !IsValidCell(cur.row, cur.col)) return false;
    const int depth = mode == 1 ? GetColumnTreeDepth() : GetRowTreeDepth();
    auto header = [&](int level) { return mode == 1 ? CXCellID(level, cur.col) : CXCellID(cur.row, level); };
    bool found = false;
    if (expand) {
        for (int level = 0; level < depth && IsGroupCell(header(level)); ++level) {
            found = true;
            if (IsGroupExpanded(header(level))) continue;
            SetGroupExpanded(header(level), true);
            SpeakToggle(level, true, key);
            return true;
        }
    } else {
        for (int level = depth - 2; level >= 0; --level) {
            if (!IsGroupCell(header(level))) continue;
            found = true;
            if (!IsGroupExpanded(header(level))) continue;
            SetGroupExpanded(header(level), false);
            SpeakToggle(level, false, key);
            return true;
        }
    }
    if (found) Speak(expand ? u"展開済み"_s : u"折りたたみ済み"_s, 0, 0);
    return false;
}

void CXGridNav::SpeakToggle(int level, bool expanded, int key)
{
    const CXCellID cur = GetCurrentCell();
    QString text = BuildCellSpeech(GetPreviousCell(), cur, key);
    // On the group's own header line the state word would repeat the obvious.
    const int headerLine = GetTreeMode() == 1 ? cur.row : cur.col;
    if (headerLine != level) text += expanded ? u" 展開"_s : u" 折りたたみ"_s;
    Speak(text);
}
