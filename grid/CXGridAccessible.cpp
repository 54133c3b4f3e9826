#include "CXGridAccessible.h"

#include "grid/CXGridAccessibleImpl.h"

#include <QSet>

namespace {

QSet<const CXGrid*>& aliveGrids()
{
    static QSet<const CXGrid*> grids;
    return grids;
}

QHash<const CXGrid*, CXGridAccessibleTable*>& tables()
{
    static QHash<const CXGrid*, CXGridAccessibleTable*> made;
    return made;
}

std::function<void(QAccessibleEvent*)>& eventSink()
{
    static std::function<void(QAccessibleEvent*)> sink;
    return sink;
}

void Send(QAccessibleEvent* event)
{
    if (eventSink()) eventSink()(event);
    else QAccessible::updateAccessibility(event);
}

bool Listened()
{
    return eventSink() || QAccessible::isActive();
}

QAccessibleInterface* Factory(const QString&, QObject* object)
{
    auto* grid = qobject_cast<CXGrid*>(object);
    if (!grid || !CXGridAccessible::IsAlive(grid)) return nullptr;
    return new CXGridAccessibleTable(grid);
}

int ShownFixed(const CXAxisLayout& axis)
{
    int shown = 0;
    for (int i = 0; i < axis.FixedCount(); ++i) shown += axis.IsShown(i) ? 1 : 0;
    return shown;
}

// Model line -> table index along one axis, -1 when not shown.
int TableIndex(const CXAxisLayout& axis, int line)
{
    if (!axis.IsShown(line)) return -1;
    if (line < axis.FixedCount()) {
        int k = 0;
        for (int i = 0; i < line; ++i) k += axis.IsShown(i) ? 1 : 0;
        return k;
    }
    return ShownFixed(axis) + axis.OrdinalOf(line);
}

// Table index -> model line, -1 out of range.
int ModelLine(const CXAxisLayout& axis, int index)
{
    if (index < 0) return -1;
    for (int i = 0; i < axis.FixedCount(); ++i) {
        if (!axis.IsShown(i)) continue;
        if (index-- == 0) return i;
    }
    const auto& data = axis.VisibleData();
    return index < int(data.size()) ? data[size_t(index)] : -1;
}

int TableCount(const CXAxisLayout& axis)
{
    return ShownFixed(axis) + int(axis.VisibleData().size());
}

// The first shown cell of the merged area that holds pos.
CXCellID ShownAnchor(const CXGrid& grid, CXCellID pos)
{
    if (!grid.IsValidCell(pos.row, pos.col)) return {};
    const CXCellID start = grid.MergeStart(pos);
    const CXCellID end = grid.MergeEnd(pos);
    int row = -1, col = -1;
    for (int r = start.row; r <= end.row && row < 0; ++r)
        if (grid.RowLayout().IsShown(r)) row = r;
    for (int c = start.col; c <= end.col && col < 0; ++c)
        if (grid.ColumnLayout().IsShown(c)) col = c;
    return row >= 0 && col >= 0 ? CXCellID(row, col) : CXCellID();
}

int ShownExtent(const CXAxisLayout& axis, int from, int to)
{
    int n = 0;
    for (int i = from; i <= to; ++i) n += axis.IsShown(i) ? 1 : 0;
    return std::max(1, n);
}

}  // namespace

namespace CXGridAccessible {

void Register(CXGrid* grid)
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(Factory);
        installed = true;
    }
    aliveGrids().insert(grid);
}

void Forget(CXGrid* grid)
{
    aliveGrids().remove(grid);
}

bool IsAlive(const CXGrid* grid)
{
    return grid && aliveGrids().contains(grid);
}

int ChildIndex(const CXGrid& grid, int row, int col)
{
    const int r = TableIndex(grid.RowLayout(), row);
    const int c = TableIndex(grid.ColumnLayout(), col);
    if (r < 0 || c < 0) return -1;
    return r * TableCount(grid.ColumnLayout()) + c;
}

void SetEventSink(std::function<void(QAccessibleEvent*)> sink)
{
    eventSink() = std::move(sink);
}

void NotifyFocus(CXGrid* grid, CXCellID pos)
{
    if (!Listened() || !IsAlive(grid) || !grid->hasFocus()) return;
    const CXCellID anchor = ShownAnchor(*grid, pos);
    const int index = anchor.IsSet() ? ChildIndex(*grid, anchor.row, anchor.col) : -1;
    QAccessibleEvent event(grid, QAccessible::Focus);
    if (index >= 0) event.setChild(index);
    Send(&event);
}

void NotifyReset(CXGrid* grid)
{
    if (!IsAlive(grid)) return;
    // Cached cells go at once, whether or not anyone listens for events.
    if (CXGridAccessibleTable* table = CXGridAccessibleTable::Existing(grid)) table->DropCells();
    if (!Listened()) return;
    QAccessibleTableModelChangeEvent event(grid, QAccessibleTableModelChangeEvent::ModelReset);
    Send(&event);
}

}  // namespace CXGridAccessible

// --- The table.

CXGridAccessibleTable::CXGridAccessibleTable(CXGrid* grid) : QAccessibleWidget(grid, QAccessible::Table), m_grid(grid)
{
    tables().insert(grid, this);
}

CXGridAccessibleTable::~CXGridAccessibleTable()
{
    for (auto it = tables().begin(); it != tables().end();) {
        if (it.value() == this) it = tables().erase(it);
        else ++it;
    }
    DropCells();
}

CXGridAccessibleTable* CXGridAccessibleTable::Existing(const CXGrid* grid)
{
    return tables().value(grid, nullptr);
}

CXGrid* CXGridAccessibleTable::Grid() const
{
    CXGrid* grid = m_grid.data();
    return CXGridAccessible::IsAlive(grid) ? grid : nullptr;
}

void CXGridAccessibleTable::DropCells()
{
    const auto ids = m_cells.values();
    m_cells.clear();
    for (QAccessible::Id id : ids) QAccessible::deleteAccessibleInterface(id);
}

void CXGridAccessibleTable::modelChange(QAccessibleTableModelChangeEvent*)
{
    DropCells();
}

QString CXGridAccessibleTable::text(QAccessible::Text t) const
{
    return Grid() ? QAccessibleWidget::text(t) : QString();
}

void* CXGridAccessibleTable::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

int CXGridAccessibleTable::rowCount() const
{
    const CXGrid* grid = Grid();
    return grid ? TableCount(grid->RowLayout()) : 0;
}

int CXGridAccessibleTable::columnCount() const
{
    const CXGrid* grid = Grid();
    return grid ? TableCount(grid->ColumnLayout()) : 0;
}

int CXGridAccessibleTable::childCount() const
{
    return rowCount() * columnCount();
}

QAccessibleInterface* CXGridAccessibleTable::CellFor(CXCellID pos) const
{
    CXGrid* grid = Grid();
    if (!grid) return nullptr;
    const CXCellID anchor = ShownAnchor(*grid, pos);
    if (!anchor.IsSet()) return nullptr;
    const qint64 key = (qint64(anchor.row) << 32) | quint32(anchor.col);
    if (const auto it = m_cells.constFind(key); it != m_cells.constEnd()) return QAccessible::accessibleInterface(*it);
    auto* cell = new CXGridAccessibleCell(grid, anchor);
    m_cells.insert(key, QAccessible::registerAccessibleInterface(cell));
    return cell;
}

QAccessibleInterface* CXGridAccessibleTable::cellAt(int row, int column) const
{
    const CXGrid* grid = Grid();
    if (!grid) return nullptr;
    const int r = ModelLine(grid->RowLayout(), row);
    const int c = ModelLine(grid->ColumnLayout(), column);
    return r >= 0 && c >= 0 ? CellFor({r, c}) : nullptr;
}

QAccessibleInterface* CXGridAccessibleTable::child(int index) const
{
    const int columns = columnCount();
    if (index < 0 || columns == 0 || index >= childCount()) return nullptr;
    return cellAt(index / columns, index % columns);
}

int CXGridAccessibleTable::indexOfChild(const QAccessibleInterface* child) const
{
    const CXGrid* grid = Grid();
    const auto* cell = dynamic_cast<const CXGridAccessibleCell*>(child);
    if (!grid || !cell) return -1;
    return CXGridAccessible::ChildIndex(*grid, cell->Position().row, cell->Position().col);
}

QAccessibleInterface* CXGridAccessibleTable::childAt(int x, int y) const
{
    const CXGrid* grid = Grid();
    if (!grid) return nullptr;
    const CXCellID hit = grid->CellAt(grid->viewport()->mapFromGlobal(QPoint(x, y)));
    return hit.IsSet() ? CellFor(hit) : nullptr;
}

// No cursor, no focused cell: nothing is made up.
QAccessibleInterface* CXGridAccessibleTable::focusChild() const
{
    const CXGrid* grid = Grid();
    if (!grid || !grid->hasFocus()) return nullptr;
    return CellFor(grid->GetCurrentCell());
}

int CXGridAccessibleTable::selectedCellCount() const
{
    return selectedCells().size();
}

QList<QAccessibleInterface*> CXGridAccessibleTable::selectedCells() const
{
    const CXGrid* grid = Grid();
    if (!grid) return {};
    QAccessibleInterface* cell = CellFor(grid->GetCurrentCell());
    return cell ? QList<QAccessibleInterface*>{cell} : QList<QAccessibleInterface*>{};
}

QString CXGridAccessibleTable::columnDescription(int column) const
{
    const CXGrid* grid = Grid();
    if (!grid) return {};
    const int c = ModelLine(grid->ColumnLayout(), column);
    return c >= 0 ? grid->GetColumnHeaderSpeech(-1, c, 0) : QString();
}

QString CXGridAccessibleTable::rowDescription(int row) const
{
    const CXGrid* grid = Grid();
    if (!grid) return {};
    const int r = ModelLine(grid->RowLayout(), row);
    return r >= 0 ? grid->GetRowHeaderSpeech(r, -1, 0) : QString();
}

// --- The cells.

CXGrid* CXGridAccessibleCell::Grid() const
{
    CXGrid* grid = m_grid.data();
    return CXGridAccessible::IsAlive(grid) ? grid : nullptr;
}

bool CXGridAccessibleCell::isValid() const
{
    const CXGrid* grid = Grid();
    return grid && grid->IsValidCell(m_pos.row, m_pos.col) && grid->RowLayout().IsShown(m_pos.row)
           && grid->ColumnLayout().IsShown(m_pos.col);
}

QAccessibleInterface* CXGridAccessibleCell::parent() const
{
    CXGrid* grid = Grid();
    return grid ? QAccessible::queryAccessibleInterface(grid) : nullptr;
}

void* CXGridAccessibleCell::interface_cast(QAccessible::InterfaceType type)
{
    return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this) : nullptr;
}

QString CXGridAccessibleCell::text(QAccessible::Text t) const
{
    const CXGrid* grid = Grid();
    if (!grid || !grid->IsValidCell(m_pos.row, m_pos.col)) return {};
    if (t == QAccessible::Value) return grid->GetCellText(m_pos.row, m_pos.col);
    if (t != QAccessible::Name) return {};
    if (!grid->IsDataCell(m_pos)) return grid->GetCellText(m_pos.row, m_pos.col);
    // The cell and its headers, not what a move to it says: a grid's speech
    // may add the row's context, which the reader finds through the table.
    return grid->CellWithHeaders(m_pos);
}

QRect CXGridAccessibleCell::rect() const
{
    const CXGrid* grid = Grid();
    if (!grid) return {};
    const QRect area = grid->GetMergedRect(m_pos);
    return area.isEmpty() ? QRect() : area.translated(grid->viewport()->mapToGlobal(QPoint(0, 0)));
}

QAccessible::Role CXGridAccessibleCell::role() const
{
    const CXGrid* grid = Grid();
    if (!grid) return QAccessible::Cell;
    const bool fixedRow = m_pos.row < grid->GetFixedRowCount();
    const bool fixedCol = m_pos.col < grid->GetFixedColumnCount();
    if (fixedRow) return QAccessible::ColumnHeader;
    if (fixedCol) return QAccessible::RowHeader;
    return QAccessible::Cell;
}

QAccessible::State CXGridAccessibleCell::state() const
{
    QAccessible::State st;
    const CXGrid* grid = Grid();
    if (!grid || !isValid()) {
        st.invalid = true;
        st.invisible = true;
        return st;
    }
    st.focusable = true;
    st.selectable = true;
    const CXCellBase* cell = grid->GetCell(m_pos);
    const int kind = cell ? cell->GetKind() : 0;
    st.readOnly = kind != cxgrid::KindEdit && kind != cxgrid::KindCombo && kind != cxgrid::KindDate;
    if (isSelected()) {
        st.selected = true;
        st.focused = grid->hasFocus();
    }
    const QRect area = grid->GetMergedRect(m_pos);
    st.offscreen = !area.intersects(grid->viewport()->rect());
    return st;
}

bool CXGridAccessibleCell::isSelected() const
{
    const CXGrid* grid = Grid();
    if (!grid) return false;
    const CXCellID cur = grid->GetCurrentCell();
    return grid->IsValidCell(cur.row, cur.col) && ShownAnchor(*grid, cur) == m_pos;
}

// A header cell answers with the header that names its line, the one next
// to the data: the AT-SPI bridge asks the table's first row (first column)
// for the header of a column (row).
QList<QAccessibleInterface*> CXGridAccessibleCell::columnHeaderCells() const
{
    CXGrid* grid = Grid();
    QList<QAccessibleInterface*> cells;
    if (!grid || !isValid()) return cells;
    auto* table = dynamic_cast<CXGridAccessibleTable*>(parent());
    if (m_pos.row < grid->GetFixedRowCount()) {
        QAccessibleInterface* header = table ? table->CellFor({grid->GetFixedRowCount() - 1, m_pos.col}) : nullptr;
        if (header) cells << header;
        return cells;
    }
    for (int r = 0; table && r < grid->GetFixedRowCount() && r < grid->GetRowCount(); ++r) {
        QAccessibleInterface* header = table->CellFor({r, m_pos.col});
        if (header && !cells.contains(header)) cells << header;
    }
    return cells;
}

QList<QAccessibleInterface*> CXGridAccessibleCell::rowHeaderCells() const
{
    CXGrid* grid = Grid();
    QList<QAccessibleInterface*> cells;
    if (!grid || !isValid()) return cells;
    auto* table = dynamic_cast<CXGridAccessibleTable*>(parent());
    if (m_pos.col < grid->GetFixedColumnCount()) {
        QAccessibleInterface* header = table ? table->CellFor({m_pos.row, grid->GetFixedColumnCount() - 1}) : nullptr;
        if (header) cells << header;
        return cells;
    }
    for (int c = 0; table && c < grid->GetFixedColumnCount() && c < grid->GetColumnCount(); ++c) {
        QAccessibleInterface* header = table->CellFor({m_pos.row, c});
        if (header && !cells.contains(header)) cells << header;
    }
    return cells;
}

int CXGridAccessibleCell::rowIndex() const
{
    const CXGrid* grid = Grid();
    return grid ? TableIndex(grid->RowLayout(), m_pos.row) : -1;
}

int CXGridAccessibleCell::columnIndex() const
{
    const CXGrid* grid = Grid();
    return grid ? TableIndex(grid->ColumnLayout(), m_pos.col) : -1;
}

int CXGridAccessibleCell::rowExtent() const
{
    const CXGrid* grid = Grid();
    if (!grid || !grid->IsValidCell(m_pos.row, m_pos.col)) return 1;
    return ShownExtent(grid->RowLayout(), m_pos.row, grid->MergeEnd(m_pos).row);
}

int CXGridAccessibleCell::columnExtent() const
{
    const CXGrid* grid = Grid();
    if (!grid || !grid->IsValidCell(m_pos.row, m_pos.col)) return 1;
    return ShownExtent(grid->ColumnLayout(), m_pos.col, grid->MergeEnd(m_pos).col);
}
