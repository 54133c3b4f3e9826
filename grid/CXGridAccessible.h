#pragma once
// The grid as a table to the platform's accessibility layer, attached from
// outside the widget through an interface factory. Rows and columns of the
// table are the grid's shown lines (fixed ones included, hidden ones left
// out); fixed cells are header cells; a merge is one cell with its extents.
// Each cell interface holds only a guarded pointer to its grid and a
// position, and answers every call safely after the grid was rebuilt or
// destroyed. A cell's name carries its row and column headers as the grid's
// own speech reads them, because Qt 6.4 does not pass the cell interface on
// to AT-SPI.

#include "grid/CXGridTypes.h"

#include <functional>

class CXGrid;
class QAccessibleEvent;

namespace CXGridAccessible {

// Called by every grid when it is made (installs the factory once) and when
// it goes away (its interfaces stop answering).
void Register(CXGrid* grid);
void Forget(CXGrid* grid);
bool IsAlive(const CXGrid* grid);

// The child index of the cell at a model position, -1 when it is not shown.
int ChildIndex(const CXGrid& grid, int row, int col);

// A focus event for the cursor cell (when the grid has the focus). The grid
// sends it when it gets the focus, and after a move only while its own voice
// is silent: a screen reader would read our spoken moves a second time.
void NotifyFocus(CXGrid* grid, CXCellID pos);
// Lines were added or removed: cached cells are dropped.
void NotifyReset(CXGrid* grid);

// Where the grid's events go: QAccessible::updateAccessibility unless a
// function is installed (platforms without an accessibility bridge, such as
// the offscreen one, drop every event before any handler sees it). An empty
// function restores the default.
void SetEventSink(std::function<void(QAccessibleEvent*)> sink);

}  // namespace CXGridAccessible
