#pragma once
// One row or one column of the grid: its size in unzoomed units, visibility,
// an item-data pointer for the owning view, and one expanded flag per tree
// level. A row also owns its cells, one per column.

#include "grid/CXCell.h"

#include <memory>
#include <vector>

class CXLineBase {
public:
    bool IsVisible() const { return m_visible; }
    void SetVisible(bool visible) { m_visible = visible; }
    void* GetData() const { return m_data; }
    void SetData(void* data) { m_data = data; }
    // Levels outside 0..9 read as collapsed and are never stored.
    bool IsLevelExpanded(int level) const
    {
        return level >= 0 && level < cxgrid::TreeLevels && (m_expanded >> level) & 1u;
    }
    void SetLevelExpanded(int level, bool expanded)
    {
        if (level < 0 || level >= cxgrid::TreeLevels) return;
        const quint16 bit = quint16(1u << level);
        m_expanded = expanded ? quint16(m_expanded | bit) : quint16(m_expanded & ~bit);
    }

private:
    void* m_data = nullptr;
    quint16 m_expanded = (1u << cxgrid::TreeLevels) - 1;
    bool m_visible = true;
};

class CXRow : public CXLineBase {
public:
    int height = cxgrid::DefaultRowHeight;
    std::vector<std::unique_ptr<CXCellBase>> cells;
};

class CXColumn : public CXLineBase {
public:
    int width = cxgrid::DefaultColumnWidth;
    int format = cxgrid::FormatDefault;
};
