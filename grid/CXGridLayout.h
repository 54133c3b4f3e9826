#pragma once
// Where the lines of one axis lie on screen, rebuilt from sizes, visibility
// and zoom when they change. Scrolling goes by whole lines: the scroll
// position is the ordinal of the first shown line among the visible data
// (non-fixed) lines, so the first column of the scrolled area is always a
// whole, visible column.

#include <functional>
#include <vector>

class CXAxisLayout {
public:
    // size(i) is the zoomed pixel size of line i, visible(i) its flag.
    void Rebuild(int count, int fixedCount, const std::function<int(int)>& size,
                 const std::function<bool(int)>& visible);

    int Count() const { return int(m_ordinal.size()); }
    int FixedCount() const { return m_fixedCount; }
    // Total size of the visible fixed lines.
    int FixedSize() const { return m_fixedSize; }
    // Visible data lines in order, and the ordinal of a line among them (-1
    // when hidden, fixed or out of range).
    const std::vector<int>& VisibleData() const { return m_visible; }
    int OrdinalOf(int line) const;
    bool IsShown(int line) const;

    // Size of all visible data lines from ordinal a up to (not including) b.
    int DataSize(int a, int b) const { return m_prefix[b] - m_prefix[a]; }
    int TotalDataSize() const { return m_prefix.back(); }

    // Offset of a line's leading edge from the viewport edge with the given
    // scroll ordinal; fixed lines never scroll. Meaningless for hidden lines.
    int Position(int line, int scroll) const;
    int Size(int line) const { return line >= 0 && line < Count() ? m_size[line] : 0; }
    // The line under an offset from the viewport edge, or -1.
    int LineAt(int offset, int scroll, int viewSize) const;
    // The largest scroll ordinal that still fills the view (0 when all fit).
    int MaxScroll(int viewSize) const;
    // The scroll ordinal that brings the data line at ordinal k into a view of
    // the given size, changing the current scroll as little as possible.
    int ScrollToShow(int k, int scroll, int viewSize) const;

private:
    std::vector<int> m_size;      // zoomed size of every line, 0 when hidden
    std::vector<int> m_ordinal;   // per line: ordinal among visible data lines
    std::vector<char> m_shown;    // per line: visible
    std::vector<int> m_fixedPos;  // per fixed line: offset from the edge
    std::vector<int> m_visible;
    std::vector<int> m_prefix{0};
    int m_fixedCount = 0;
    int m_fixedSize = 0;
};
