// The grid as a table to screen readers: cells, headers, spans, the focused
// cell and its focus events, and safe answers after a rebuild or destruction.
#include "GridTestSupport.h"

#include "grid/CXGrid.h"
#include "grid/CXGridAccessible.h"
#include "grid/CXGridAccessibleImpl.h"

#include <QAccessible>
#include <QtTest>

namespace {

struct FocusRecord {
    int child;
    QAccessible::Event type;
};
QList<FocusRecord> events;

void Record(QAccessibleEvent* event)
{
    events.append({event->child(), event->type()});
}

QAccessibleTableInterface* TableOf(CXGrid& grid)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&grid);
    return iface ? iface->tableInterface() : nullptr;
}

}  // namespace

class TestGridAccessible : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        // The offscreen platform has no accessibility bridge: events are
        // taken where the grid hands them to Qt.
        CXGridAccessible::SetEventSink(Record);
    }

    void cellsHeadersAndSpansAreReadable()
    {
        using namespace summary;
        CXGrid grid;
        grid.resize(900, 500);
        FillSummary(grid);
        grid.SetGroupExpanded({1, Sales}, false);  // Sales and Misc hidden
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(&grid);
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Table);
        QAccessibleTableInterface* table = iface->tableInterface();
        QVERIFY(table);
        QCOMPARE(table->rowCount(), RowCount);
        QCOMPARE(table->columnCount(), ColumnCount - 2);
        QCOMPARE(iface->childCount(), RowCount * (ColumnCount - 2));

        // Table column 3 is BusinessTotal now; row 5 is April.
        QAccessibleInterface* cell = table->cellAt(5, 2);
        QVERIFY(cell);
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->text(QAccessible::Value), u"200,000"_s);
        QCOMPARE(cell->text(QAccessible::Name), u"4月 収入 200,000"_s);
        QAccessibleTableCellInterface* info = cell->tableCellInterface();
        QVERIFY(info);
        QCOMPARE(info->rowIndex(), 5);
        QCOMPARE(info->columnIndex(), 2);
        QStringList headers;
        for (QAccessibleInterface* h : info->columnHeaderCells()) headers << h->text(QAccessible::Name);
        QCOMPARE(headers, (QStringList{u"収入"_s, u"給与"_s}));
        QCOMPARE(info->rowHeaderCells().size(), 2);
        QCOMPARE(info->rowHeaderCells().first()->text(QAccessible::Name), u"4月"_s);
        QCOMPARE(info->rowHeaderCells().first()->role(), QAccessible::RowHeader);

        // A header merged over five columns, two of them hidden, spans three.
        QAccessibleInterface* income = table->cellAt(0, 3);
        QCOMPARE(income->text(QAccessible::Name), u"収入"_s);
        QCOMPARE(income->role(), QAccessible::ColumnHeader);
        QCOMPARE(income->tableCellInterface()->columnIndex(), 2);
        QCOMPARE(income->tableCellInterface()->columnExtent(), 3);
        QCOMPARE(table->cellAt(0, 0)->tableCellInterface()->rowExtent(), 4);
        QCOMPARE(iface->indexOfChild(cell), 5 * table->columnCount() + 2);
        QCOMPARE(iface->child(5 * table->columnCount() + 2), cell);

        // Every index answers safely.
        QVERIFY(!table->cellAt(-1, 0));
        QVERIFY(!table->cellAt(RowCount, 0));
        QVERIFY(!table->cellAt(0, 99));
        QVERIFY(!iface->child(-1));
        QVERIFY(!iface->child(iface->childCount()));
        QVERIFY(table->selectedCells().isEmpty());
        QVERIFY(!iface->focusChild());
    }

    void theCursorIsTheFocusedCellAndEveryMoveSendsFocus()
    {
        using namespace summary;
        QWidget window;
        auto* grid = new CXGrid(&window);
        grid->resize(900, 500);
        FillSummary(*grid);
        window.show();
        window.activateWindow();
        grid->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTRY_VERIFY(grid->hasFocus());
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(grid);
        QVERIFY(!iface->focusChild());  // no cursor yet

        events.clear();
        grid->SetCurrentCell(5, Salary);
        QTest::keyClick(grid, Qt::Key_Right);
        QTest::keyClick(grid, Qt::Key_Down);
        QCOMPARE(events.size(), 3);
        const int columns = TableOf(*grid)->columnCount();
        QCOMPARE(events.last().type, QAccessible::Focus);
        QCOMPARE(events.last().child, 6 * columns + 3);
        QAccessibleInterface* focused = iface->focusChild();
        QVERIFY(focused);
        QCOMPARE(focused->text(QAccessible::Name), u"5月 収入 12,000"_s);
        QVERIFY(focused->state().focused);
        QVERIFY(focused->tableCellInterface()->isSelected());
        QCOMPARE(TableOf(*grid)->selectedCells().value(0), focused);
    }

    void cellsAnswerSafelyAfterARebuildAndAfterTheGridIsGone()
    {
        using namespace summary;
        auto grid = std::make_unique<CXGrid>();
        FillSummary(*grid);
        QAccessibleTableInterface* table = TableOf(*grid);
        QAccessibleInterface* cell = table->cellAt(RowCount - 1, ColumnCount - 1);
        QVERIFY(cell && cell->isValid());
        const QAccessible::Id id = QAccessible::uniqueId(cell);

        // A view rebuilds its grid smaller: the cached cells go, the old id is dead.
        grid->SetRowCount(2);
        grid->SetColumnCount(2);
        QVERIFY(!QAccessible::accessibleInterface(id));
        table = TableOf(*grid);
        QCOMPARE(table->rowCount(), 2);
        QVERIFY(!table->cellAt(RowCount - 1, 0));
        QAccessibleInterface* small = table->cellAt(1, 1);
        QVERIFY(small);
        grid->SetRowVisible(0, 0);  // (1, 1) lies in the merge from (0, 1)
        grid->SetRowVisible(1, 0);
        grid->RecalcLayout();
        QVERIFY(!small->isValid());
        QCOMPARE(small->tableCellInterface()->rowIndex(), -1);
        QVERIFY(small->state().invalid);

        // Without anyone listening the cells are dropped all the same.
        CXGridAccessible::SetEventSink({});
        grid->SetRowVisible(0, 1);
        grid->RecalcLayout();
        QAccessibleInterface* corner = TableOf(*grid)->cellAt(0, 0);
        QVERIFY(corner);
        const QAccessible::Id cornerId = QAccessible::uniqueId(corner);
        grid->SetRowCount(0);
        QVERIFY(!QAccessible::accessibleInterface(cornerId));
        CXGridAccessible::SetEventSink(Record);

        // When the grid goes, so do its cells; a cell held elsewhere answers emptily.
        grid->SetRowCount(3);
        const QAccessible::Id lastId = QAccessible::uniqueId(TableOf(*grid)->cellAt(2, 1));
        CXGridAccessibleCell held(grid.get(), {2, 1});
        QVERIFY(held.isValid());
        grid.reset();
        QVERIFY(!QAccessible::accessibleInterface(lastId));
        QVERIFY(!held.isValid());
        QCOMPARE(held.text(QAccessible::Name), QString());
        QVERIFY(!held.parent());
        QVERIFY(held.columnHeaderCells().isEmpty());
        QCOMPARE(held.rect(), QRect());
        QCOMPARE(held.rowIndex(), -1);
        QCOMPARE(held.role(), QAccessible::Cell);
    }
};

QTEST_MAIN(TestGridAccessible)
#include "test_grid_accessible.moc"
