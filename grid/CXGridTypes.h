#pragma once
// Small value types shared by the grid's model, navigation, painting and
// printing. Plain Qt Core: nothing here knows about widgets.

#include <QtGlobal>
#include <Qt>

// A cell position, row first, both 0-based over all rows and columns including
// the fixed ones. (-1, -1) is the invalid position.
struct CXCellID {
    int row = -1;
    int col = -1;

    constexpr CXCellID() = default;
    constexpr CXCellID(int r, int c) : row(r), col(c) {}
    constexpr bool IsSet() const { return row >= 0 && col >= 0; }
    friend constexpr bool operator==(const CXCellID&, const CXCellID&) = default;
};

// Where a cell lies inside a merge along one axis: length 1 means not merged;
// index is this cell's place (0 for the first); node names the tree group the
// merge stands for (0: none).
struct CXSpan {
    int length = 1;
    int index = 0;
    int node = 0;
    friend constexpr bool operator==(const CXSpan&, const CXSpan&) = default;
};

// Colours are stored as 0xAARRGGBB (the layout of QRgb): four bytes a cell
// rather than a QColor, which keeps large grids small.
using XColor = quint32;

namespace cxgrid {

// Cell kinds, stored in every cell.
enum CellKind : int { KindDefault = 1, KindEdit = 2, KindCombo = 3, KindDate = 5 };

// Text formats are Qt alignment and text flags in one int. A cell shows one
// line centred vertically unless told otherwise; "&" is never a mnemonic.
constexpr int FormatDefault = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;

constexpr XColor WindowTextColor = 0xFF000000;
constexpr XColor ButtonFaceColor = 0xFFF0F0F0;
constexpr XColor WindowColor = 0xFFFFFFFF;

// Expanded flags kept per line: one per header level.
constexpr int TreeLevels = 10;

// Unzoomed line sizes and text margins.
constexpr int DefaultRowHeight = 18;
constexpr int DefaultColumnWidth = 70;
constexpr int TextMarginX = 5;
constexpr int TextMarginY = 3;

}  // namespace cxgrid
