#pragma once
// The interfaces behind CXGridAccessible.h.

#include "grid/CXGrid.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

class CXGridAccessibleTable;

class CXGridAccessibleCell : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    CXGridAccessibleCell(CXGrid* grid, CXCellID pos) : m_grid(grid), m_pos(pos) {}

    bool isValid() const override;
    QObject* object() const override { return nullptr; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessibleInterface* parent() const override;
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QString text(QAccessible::Text t) const override;
    void setText(QAccessible::Text, const QString&) override {}
    QRect rect() const override;
    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    bool isSelected() const override;
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override;
    int rowIndex() const override;
    int columnExtent() const override;
    int rowExtent() const override;
    QAccessibleInterface* table() const override { return parent(); }

    CXCellID Position() const { return m_pos; }

private:
    CXGrid* Grid() const;

    QPointer<CXGrid> m_grid;
    CXCellID m_pos;
};

class CXGridAccessibleTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit CXGridAccessibleTable(CXGrid* grid);
    ~CXGridAccessibleTable() override;

    QAccessible::Role role() const override { return QAccessible::Table; }
    QString text(QAccessible::Text t) const override;
    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QAccessibleInterface* focusChild() const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override;
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int row) const override;
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override;
    int rowCount() const override;
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent* event) override;

    // The (cached) interface of the cell that stands for the merged area
    // holding pos; null when nothing of it is shown.
    QAccessibleInterface* CellFor(CXCellID pos) const;
    // Forgets every cell interface made so far.
    void DropCells();
    // The table interface made for a grid, or null.
    static CXGridAccessibleTable* Existing(const CXGrid* grid);

private:
    CXGrid* Grid() const;

    QPointer<CXGrid> m_grid;
    mutable QHash<qint64, QAccessible::Id> m_cells;
};
