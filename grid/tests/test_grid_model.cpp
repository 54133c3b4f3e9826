// The grid's model without a window: counts, merges, line changes, tree
// grouping, layout and the CSV file.
#include "GridTestSupport.h"

#include "platform/Cp932Codec.h"

#include <QtTest>

class TestGridModel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void countsGrowWithDefaultCellsAndFixedCountsGrowTheLines()
    {
        CXGridModel grid;
        grid.SetColumnCount(3);
        QCOMPARE(grid.SetRowCount(2), 1);
        QVERIFY(grid.GetCell(1, 2));
        QCOMPARE(grid.GetCell(1, 2)->GetKind(), int(cxgrid::KindDefault));
        QCOMPARE(grid.SetFixedRowCount(5), 1);
        QCOMPARE(grid.GetRowCount(), 5);
        grid.SetFixedColumnCount(4);
        QCOMPARE(grid.GetColumnCount(), 4);
        QCOMPARE(grid.GetRowHeight(4), 18);
        QCOMPARE(grid.GetColumnWidth(3), 70);
        QCOMPARE(grid.SetRowCount(-1), 0);
        QCOMPARE(grid.GetRowCount(), 5);
    }

    void outOfRangeIndicesDoNothingAndAnswerZero()
    {
        CXGridModel grid;
        grid.SetRowCount(2);
        grid.SetColumnCount(2);
        grid.SetCellText(5, 0, u"x"_s);
        grid.SetCellText(-1, -1, u"x"_s);
        QCOMPARE(grid.GetCellText(5, 0), QString());
        QCOMPARE(grid.IsValidCell(2, 0), 0);
        QCOMPARE(grid.IsRowVisible(7), 0);
        QCOMPARE(grid.IsColumnVisible(-1), 0);
        QCOMPARE(grid.IsLevelExpanded(0, 10), 0);
        grid.SetRowVisible(9, 0);
        grid.SetLevelExpanded(9, 0, 0);
        grid.SetRowHeight(-3, 40);
        QCOMPARE(grid.GetRowData(4), nullptr);
        QCOMPARE(grid.DeleteRow(2), 0);
        QCOMPARE(grid.SetRowSpan(4, 4, 3, 1), 4);
        QCOMPARE(grid.SetColumnSpan(0, 9, 3, 1), 0);
        grid.ClearRowSpan(9, 9);
        QVERIFY(!grid.GetCell(2, 2));
    }

    void textFormatsFollowTheColumnOrAddVerticalCentring()
    {
        CXGridModel grid;
        grid.SetRowCount(1);
        grid.SetColumnCount(2);
        grid.SetColumnFormat(1, Qt::AlignRight);
        grid.SetCellText(0, 1, u"a"_s);
        QCOMPARE(grid.GetCell(0, 1)->GetFormat(), int(Qt::AlignRight | Qt::TextSingleLine));
        grid.SetCellText(0, 0, u"b"_s, Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap);
        QCOMPARE(grid.GetCell(0, 0)->GetFormat(), int(Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextWordWrap));
    }

    void rowSpanIsCutAtTheLastRowAndEveryCellKnowsItsPlace()
    {
        CXGridModel grid;
        grid.SetRowCount(5);
        grid.SetColumnCount(3);
        grid.SetCellText(4, 1, u"end"_s);
        QCOMPARE(grid.SetRowSpan(4, 1, 3, 7), 1);
        QCOMPARE(grid.GetCell(4, 1)->RowSpan(), (CXSpan{1, 0, 7}));

        grid.SetCellText(1, 2, u"収入"_s, Qt::AlignHCenter);
        QCOMPARE(grid.SetRowSpan(1, 2, 10, 3), 2);
        for (int r = 1; r < 5; ++r) {
            QCOMPARE(grid.GetCellText(r, 2), u"収入"_s);
            QCOMPARE(grid.GetCell(r, 2)->RowSpan(), (CXSpan{4, r - 1, 3}));
            QCOMPARE(grid.GetCell(r, 2)->GetFormat(), grid.GetCell(1, 2)->GetFormat());
        }
        QCOMPARE(grid.MergeStart({3, 2}), CXCellID(1, 2));
        QCOMPARE(grid.MergeEnd({2, 2}), CXCellID(4, 2));
        // Setting the text anywhere in the merge sets it for the whole merge.
        grid.SetCellText(3, 2, u"支出"_s);
        QCOMPARE(grid.GetCellText(1, 2), u"支出"_s);
    }

    void spanOverASpanMakesARectangleAndReturnsTheFarLine()
    {
        CXGridModel grid;
        grid.SetRowCount(4);
        grid.SetColumnCount(6);
        grid.SetCellText(0, 1, u"block"_s);
        QCOMPARE(grid.SetColumnSpan(0, 1, 3, 5), 0);
        QCOMPARE(grid.SetRowSpan(0, 1, 2, 6), 3);
        for (int r = 0; r < 2; ++r) {
            for (int c = 1; c < 4; ++c) {
                QCOMPARE(grid.GetCell(r, c)->RowSpan(), (CXSpan{2, r, 6}));
                QCOMPARE(grid.GetCell(r, c)->ColumnSpan(), (CXSpan{3, c - 1, 5}));
                QCOMPARE(grid.GetCellText(r, c), u"block"_s);
            }
        }
        QCOMPARE(grid.GetCell(2, 1)->RowSpan(), CXSpan{});
        grid.ClearRowSpan(0, 1);
        QCOMPARE(grid.GetCell(1, 2)->RowSpan(), CXSpan{});
        QCOMPARE(grid.GetCell(1, 2)->ColumnSpan().length, 3);
        // A shorter merge over a longer one frees the old tail.
        grid.SetColumnSpan(3, 0, 4, 0);
        grid.SetColumnSpan(3, 0, 2, 0);
        QCOMPARE(grid.GetCell(3, 2)->ColumnSpan(), CXSpan{});
        QCOMPARE(grid.GetCell(3, 1)->ColumnSpan(), (CXSpan{2, 1, 0}));
    }

    void insertAndDeleteKeepDownwardMergesAndTheCursorCell()
    {
        CXGridNav grid;
        grid.SetRowCount(6);
        grid.SetColumnCount(2);
        grid.SetCellText(1, 0, u"group"_s);
        grid.SetRowSpan(1, 0, 3, 2);  // rows 1..3
        grid.SetCurrentCell(4, 1);
        QCOMPARE(grid.InsertRow(2, u"new"_s), 2);  // inside the merge
        QCOMPARE(grid.GetRowCount(), 7);
        for (int r = 1; r <= 4; ++r) QCOMPARE(grid.GetCell(r, 0)->RowSpan(), (CXSpan{4, r - 1, 2}));
        QCOMPARE(grid.GetCellText(2, 0), u"group"_s);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(5, 1));

        QCOMPARE(grid.InsertRow(1, u"before"_s), 1);  // before the merge: not part of it
        QCOMPARE(grid.GetCell(1, 0)->RowSpan(), CXSpan{});
        QCOMPARE(grid.GetCellText(1, 0), u"before"_s);
        QCOMPARE(grid.InsertRow(-1, u"last"_s), 8);
        QCOMPARE(grid.InsertRow(99), 9);

        QCOMPARE(grid.DeleteRow(2), 1);  // the merge's first row
        for (int r = 2; r <= 4; ++r) QCOMPARE(grid.GetCell(r, 0)->RowSpan(), (CXSpan{3, r - 2, 2}));
        QCOMPARE(grid.GetCurrentCell(), CXCellID(5, 1));
        grid.SetRowCount(4);  // cuts the merge at the new end
        QCOMPARE(grid.GetCell(3, 0)->RowSpan(), (CXSpan{2, 1, 2}));
        QVERIFY(!grid.GetCurrentCell().IsSet());
    }

    void collapsingAGroupHidesItsMembersButTheLastAndMovesTheCursorThere()
    {
        using namespace summary;
        CXGridNav grid;
        FillSummary(grid);
        grid.SetCurrentCell(6, Sales);
        QVERIFY(grid.IsGroupCell({1, Sales}));
        QVERIFY(grid.IsGroupCell({1, Misc}));  // any cell of the merge
        QVERIFY(!grid.IsGroupCell({1, Salary}));
        QVERIFY(grid.SetGroupExpanded({1, Sales}, false));
        QVERIFY(!grid.SetGroupExpanded({1, Sales}, false));
        QCOMPARE(grid.IsColumnVisible(Sales), 0);
        QCOMPARE(grid.IsColumnVisible(Misc), 0);
        QCOMPARE(grid.IsColumnVisible(BusinessTotal), 1);
        QCOMPARE(grid.IsLevelExpanded(BusinessTotal, 1), 0);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(6, BusinessTotal));

        // Closing and opening the outer group keeps the inner one closed.
        QVERIFY(grid.SetGroupExpanded({0, Salary}, false));
        QCOMPARE(grid.IsColumnVisible(BusinessTotal), 0);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(6, IncomeTotal));
        QVERIFY(grid.SetGroupExpanded({0, Salary}, true));
        QCOMPARE(grid.IsColumnVisible(Salary), 1);
        QCOMPARE(grid.IsColumnVisible(Sales), 0);
        QCOMPARE(grid.IsColumnVisible(BusinessTotal), 1);
        QVERIFY(grid.SetGroupExpanded({1, Sales}, true));
        QCOMPARE(grid.IsColumnVisible(Sales), 1);
    }

    void rowTreeGroupsRowsByTheHeaderColumns()
    {
        CXGridNav grid;
        grid.SetRowCount(6);
        grid.SetColumnCount(3);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetCellText(1, 0, u"収入"_s);
        grid.SetRowSpan(1, 0, 4, 1);  // rows 1..4, row 4 the subtotal
        grid.SetTreeMode(2);
        grid.SetRowTreeDepth(1);
        grid.SetCurrentCell(2, 1);
        QVERIFY(grid.SetGroupExpanded({3, 0}, false));
        QCOMPARE(grid.IsRowVisible(1) + grid.IsRowVisible(2) + grid.IsRowVisible(3), 0);
        QCOMPARE(grid.IsRowVisible(4), 1);
        QCOMPARE(grid.IsLevelExpanded(4, 0), 0);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(4, 1));
    }

    void zoomFollowsTheFontSize()
    {
        CXGridModel grid;
        grid.SetRowCount(3);
        grid.SetColumnCount(3);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        QCOMPARE(grid.GetFontName(), u"MS ゴシック"_s);
        grid.SetFont(u"IPAGothic"_s, 9);
        QCOMPARE(grid.GetZoom(), 1.0);
        QCOMPARE(grid.GetCellRect({1, 1}), QRect(70, 18, 70, 18));
        grid.SetFont(u"IPAGothic"_s, 12);
        QCOMPARE(grid.GetCellRect({1, 1}).height(), 24);
        grid.SetFont(u"IPAGothic"_s, 18);
        QCOMPARE(grid.GetCellRect({2, 2}), QRect(280, 72, 140, 36));
        QCOMPARE(grid.GetRowHeight(2), 18);  // stored unzoomed
    }

    void topLeftCellAndScrollingGoByVisibleLines()
    {
        CXGridModel grid;
        grid.SetRowCount(10);
        grid.SetColumnCount(4);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetViewportSize(QSize(280, 18 * 4));  // header and three rows
        QCOMPARE(grid.GetTopLeftCell(), CXCellID(1, 1));
        grid.SetColumnVisible(1, 0);
        grid.RecalcLayout();
        QCOMPARE(grid.GetTopLeftCell(), CXCellID(1, 2));
        grid.EnsureVisible({9, 3});
        QCOMPARE(grid.GetTopLeftCell().row, 7);
        QCOMPARE(grid.CellAt(QPoint(75, 20)), CXCellID(7, 2));
        for (int r = 1; r < 10; ++r) grid.SetRowVisible(r, 0);
        grid.RecalcLayout(0);
        QCOMPARE(grid.GetTopLeftCell().row, 9);  // every data row hidden: the last row
        QCOMPARE(grid.GetCellRect({4, 2}), QRect());

        CXGridModel empty;
        QVERIFY(!empty.GetTopLeftCell().IsSet());
        QVERIFY(!empty.CellAt(QPoint(1, 1)).IsSet());
    }

    void coloursReachTheCellsTheyNameAndLaterRows()
    {
        CXGridModel grid;
        grid.SetRowCount(3);
        grid.SetColumnCount(3);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetCellTextColor(0xFFFFFF00);
        grid.SetFixedBackColor(0xFF202020);
        grid.SetFixedTextColor(0xFF00FFFF);
        QCOMPARE(grid.GetCell(2, 2)->GetTextColor(), XColor(0xFFFFFF00));
        QCOMPARE(grid.GetCell(0, 2)->GetTextColor(), XColor(0xFF00FFFF));
        QCOMPARE(grid.GetCell(2, 0)->GetTextColor(), XColor(0xFF00FFFF));
        QCOMPARE(grid.GetCell(0, 0)->GetBackColor(), XColor(0xFF202020));
        QCOMPARE(grid.GetCell(0, 1)->GetBackColor(), cxgrid::ButtonFaceColor);
        // A row added after the colours were set is as readable as the others.
        const int row = grid.InsertRow(-1, u"new"_s);
        QCOMPARE(grid.GetCell(row, 1)->GetTextColor(), XColor(0xFFFFFF00));
        QCOMPARE(grid.GetCell(row, 0)->GetTextColor(), XColor(0xFF00FFFF));
    }

    void csvWritesVisibleColumnsQuotedWithCrLf()
    {
        QTemporaryDir dir;
        CXGridModel grid;
        grid.SetRowCount(3);
        grid.SetColumnCount(3);
        grid.SetCellText(0, 0, u"日付"_s);
        grid.SetCellText(0, 1, u"hidden"_s);
        grid.SetCellText(0, 2, u"備考"_s);
        grid.SetCellText(1, 2, u"say \"hi\", 1,200"_s);
        grid.SetColumnVisible(1, 0);
        grid.SetRowVisible(2, 0);
        const QString path = dir.filePath(u"out.csv"_s);
        QCOMPARE(grid.WriteCsv(path), 1);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(platform::cp932::decode(bytes),
                 u"\"日付\",\"備考\"\r\n\"\",\"say \"\"hi\"\", 1,200\"\r\n\"\",\"\"\r\n"_s);
        file.close();

        grid.SetVerticalLayout(1);
        grid.SetCellText(1, 0, u"😀"_s);  // no CP932 form: UTF-8 with a BOM
        QCOMPARE(grid.WriteCsv(path), 1);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), QByteArray("\xEF\xBB\xBF") + u"\"日付\",\"備考\"\r\n\"😀\",\"say \"\"hi\"\", 1,200\"\r\n"_s.toUtf8());

        QCOMPARE(grid.WriteCsv(dir.filePath(u"missing/folder/out.csv"_s)), 0);
    }
};

QTEST_GUILESS_MAIN(TestGridModel)
#include "test_grid_model.moc"
