// The account axis of a summary table: its lines from the account tree, the
// groups with their subtotal lines, zero marks, hiding all-zero accounts and
// the expand level.

#include "kinzo/views/summary/CSummaryGrid.h"

using namespace Qt::StringLiterals;

bool CSummaryGrid::IsShown(const AccountItemNode& node) const
{
    const _AccountItem& item = node.m_data;
    if (item.useStart && item.start.isValid() && m_end.isValid() && item.start > m_end) return false;
    if (item.useEnd && item.end.isValid() && m_start.isValid() && item.end < m_start) return false;
    return true;
}

void CSummaryGrid::BuildAxis(const AccountItemNode& root)
{
    m_lines.clear();
    m_groups.clear();
    m_lineOfAccount.clear();
    m_deepestLevel = 0;
    for (const AccountItemNode* side = root.m_firstChild; side; side = side->m_next) WalkNode(*side, true);
    for (const QString& label : {u"差額"_s, u"残高"_s}) {
        LineInfo& line = m_lines.emplace_back();
        line.labels[0] = label;
    }
    for (int index = 0; index < LineCount() - 2; ++index)
        m_lineOfAccount.insert(m_lines[size_t(index)].node->m_data.ID, index);
}

// The first child goes on its parent's line; every further child starts a
// new one, and a group ends with its "合計" line.
void CSummaryGrid::WalkNode(const AccountItemNode& node, bool newLine)
{
    if (newLine) m_lines.emplace_back();
    const int index = LineCount() - 1;
    const int level = std::clamp(node.m_depth, 0, LabelLevels - 1);
    m_deepestLevel = std::max(m_deepestLevel, level);
    m_lines[size_t(index)].labels[level] = node.m_data.name;
    m_lines[size_t(index)].node = &node;
    m_lines[size_t(index)].deepest = level;

    bool first = true;
    if (level < LabelLevels - 1) {
        for (const AccountItemNode* child = node.m_firstChild; child; child = child->m_next) {
            if (!IsShown(*child)) continue;
            WalkNode(*child, !first);
            first = false;
        }
    }
    // A side without items still gets its "合計", on its own line.
    if (first && level > 0) return;
    if (!first) m_lines.emplace_back();
    LineInfo& total = m_lines.back();
    total.labels[level + 1] = u"合計"_s;
    total.deepest = level + 1;
    total.subtotal = true;
    total.node = &node;
    if (!first) m_groups.push_back({level, index, LineCount() - 1});
}

const AccountItemNode* CSummaryGrid::NodeOfLine(int line) const
{
    const int index = line - FirstLine();
    return index >= 0 && index < LineCount() - 2 ? m_lines[size_t(index)].node : nullptr;
}

int CSummaryGrid::AccountOfLine(int line) const
{
    const int index = line - FirstLine();
    if (index == LineCount() - 2) return DifferenceAccount;
    if (index == LineCount() - 1) return BalanceAccount;
    const AccountItemNode* node = NodeOfLine(line);
    return node ? node->m_data.ID : 0;
}

int CSummaryGrid::GetCurrentAccount() const
{
    const CXCellID cur = GetCurrentCell();
    return cur.IsSet() ? AccountOfLine(LineOf(cur)) : 0;
}

int CSummaryGrid::LineOfAccount(int accountId) const
{
    if (LineCount() < 2) return -1;
    if (accountId == DifferenceAccount) return DifferenceLine();
    if (accountId == BalanceAccount) return BalanceLine();
    const int index = m_lineOfAccount.value(accountId, -1);
    return index < 0 ? -1 : FirstLine() + index;
}

bool CSummaryGrid::IsZeroLine(int line) const
{
    const int index = line - FirstLine();
    return index >= 0 && index < LineCount() && m_lines[size_t(index)].zero;
}

void CSummaryGrid::MarkZeroLines(const Matrix& cells)
{
    const size_t total = size_t(m_periods.size()) + 1;
    for (int index = 0; index < LineCount(); ++index) {
        LineInfo& info = m_lines[size_t(index)];
        info.zero = false;
        if (!info.node || info.subtotal || info.node->m_depth == 0) continue;
        const auto& row = cells[size_t(index)];
        info.zero = std::all_of(row.begin(), row.begin() + qsizetype(total), [](qint64 v) { return v == 0; });
    }
    // Groups are listed inner before outer, so a sub-group's mark is known
    // before its parent looks at it.
    for (const GroupInfo& group : m_groups) {
        if (group.level == 0) continue;
        bool allZero = true;
        for (int index = group.first; index < group.last && allZero; ++index) allZero = m_lines[size_t(index)].zero;
        m_lines[size_t(group.last)].zero = allZero;
    }
}

void CSummaryGrid::CollapseAllGroups()
{
    for (const GroupInfo& group : m_groups) SetLevelExpanded(FirstLine() + group.last, group.level, 0);
}

void CSummaryGrid::ApplyVisibility()
{
    std::vector<bool> shown(m_lines.size(), true);
    for (const GroupInfo& group : m_groups) {
        if (IsLevelExpanded(FirstLine() + group.last, group.level)) continue;
        for (int index = group.first; index < group.last; ++index) shown[size_t(index)] = false;
    }
    int deepestShown = 0;
    for (int index = 0; index < LineCount(); ++index) {
        const bool visible = shown[size_t(index)] && !(m_hideZero && m_lines[size_t(index)].zero);
        if (IsVertical()) SetRowVisible(FirstLine() + index, visible);
        else SetColumnVisible(FirstLine() + index, visible);
        if (visible) deepestShown = std::max(deepestShown, m_lines[size_t(index)].deepest);
    }
    // On screen, header rows below the deepest label shown would only repeat
    // the labels above them; at a large font they would leave no room for
    // the figures.
    if (!IsVertical())
        for (int level = 1; level < LabelLevels; ++level) SetRowVisible(level, level <= deepestShown);
    MoveCursorToShownLine();
}

// A cursor on a line that was just hidden goes to the nearest shown line,
// later lines first (the group's subtotal comes after its members).
void CSummaryGrid::MoveCursorToShownLine()
{
    const CXCellID cur = GetCurrentCell();
    if (!IsValidCell(cur.row, cur.col)) return;
    const auto visible = [this](int line) { return IsLineVisible(line); };
    const int line = LineOf(cur);
    if (line < FirstLine() || visible(line)) return;
    const int end = FirstLine() + LineCount();
    int target = line;
    while (target < end && !visible(target)) ++target;
    if (target >= end) {
        target = line;
        while (target >= FirstLine() && !visible(target)) --target;
    }
    if (target < FirstLine()) return;
    PlaceCursor(CellOf(target, PositionOf(cur)));
}

void CSummaryGrid::SetHideZero(int hide)
{
    m_hideZero = hide ? 1 : 0;
    ApplyVisibility();
    RecalcLayout(0);
    EnsureVisible(GetCurrentCell());
    Redraw();
}

void CSummaryGrid::SetExpandLevel(int level)
{
    m_expandLevel = std::clamp(level, 0, LabelLevels - 1);
    const int applied = std::min(m_expandLevel, m_deepestLevel);
    for (const GroupInfo& group : m_groups) {
        if (group.level > applied) continue;
        SetLevelExpanded(FirstLine() + group.last, group.level, group.level < applied ? 1 : 0);
    }
    ApplyVisibility();
    RecalcLayout(0);
    EnsureVisible(GetCurrentCell());
    Redraw();
}

bool CSummaryGrid::SetGroupExpanded(CXCellID pos, bool expand)
{
    const bool changed = CLedgerGrid::SetGroupExpanded(pos, expand);
    // Opening a group shows its members; those that are all zero stay hidden.
    if (changed && m_hideZero) {
        ApplyVisibility();
        RecalcLayout(0);
        Redraw();
    }
    return changed;
}
