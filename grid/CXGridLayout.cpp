#include "CXGridLayout.h"

#include <algorithm>

void CXAxisLayout::Rebuild(int count, int fixedCount, const std::function<int(int)>& size,
                           const std::function<bool(int)>& visible)
{
    m_fixedCount = std::clamp(fixedCount, 0, count);
    m_size.assign(count, 0);
    m_ordinal.assign(count, -1);
    m_shown.assign(count, 0);
    m_fixedPos.assign(m_fixedCount, 0);
    m_visible.clear();
    m_prefix.assign(1, 0);
    m_fixedSize = 0;
    for (int i = 0; i < count; ++i) {
        if (!visible(i)) continue;
        m_shown[i] = 1;
        m_size[i] = std::max(0, size(i));
        if (i < m_fixedCount) {
            m_fixedPos[i] = m_fixedSize;
            m_fixedSize += m_size[i];
        } else {
            m_ordinal[i] = int(m_visible.size());
            m_visible.push_back(i);
            m_prefix.push_back(m_prefix.back() + m_size[i]);
        }
    }
}

int CXAxisLayout::OrdinalOf(int line) const
{
    return line >= 0 && line < Count() ? m_ordinal[line] : -1;
}

bool CXAxisLayout::IsShown(int line) const
{
    if (line < 0 || line >= Count()) return false;
    return m_shown[line] != 0;
}

int CXAxisLayout::Position(int line, int scroll) const
{
    if (line < 0 || line >= Count()) return 0;
    if (line < m_fixedCount) return m_fixedPos[line];
    const int k = m_ordinal[line];
    if (k < 0) return 0;
    scroll = std::clamp(scroll, 0, int(m_visible.size()));
    return m_fixedSize + m_prefix[k] - m_prefix[scroll];
}

int CXAxisLayout::LineAt(int offset, int scroll, int viewSize) const
{
    if (offset < 0 || (viewSize > 0 && offset >= viewSize)) return -1;
    if (offset < m_fixedSize) {
        for (int i = 0; i < m_fixedCount; ++i)
            if (m_size[i] > 0 && offset >= m_fixedPos[i] && offset < m_fixedPos[i] + m_size[i]) return i;
        return -1;
    }
    scroll = std::clamp(scroll, 0, int(m_visible.size()));
    const int target = offset - m_fixedSize + m_prefix[scroll];
    // First prefix entry greater than the target: the line that holds it.
    const auto it = std::upper_bound(m_prefix.begin() + 1, m_prefix.end(), target);
    if (it == m_prefix.end()) return -1;
    return m_visible[size_t(it - m_prefix.begin() - 1)];
}

int CXAxisLayout::MaxScroll(int viewSize) const
{
    const int n = int(m_visible.size());
    if (viewSize <= 0 || n == 0) return 0;
    const int room = viewSize - m_fixedSize;
    int k = n;
    while (k > 0 && m_prefix[n] - m_prefix[k - 1] <= room) --k;
    return std::min(k, n - 1);
}

int CXAxisLayout::ScrollToShow(int k, int scroll, int viewSize) const
{
    const int n = int(m_visible.size());
    if (n == 0 || k < 0) return 0;
    k = std::min(k, n - 1);
    if (k < scroll) return k;
    if (viewSize <= 0) return std::clamp(scroll, 0, n - 1);
    const int room = viewSize - m_fixedSize;
    int first = scroll;
    while (first < k && m_prefix[k + 1] - m_prefix[first] > room) ++first;
    return first;
}
