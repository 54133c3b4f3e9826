// The grid widget on the offscreen platform: keys, mouse, focus speech, the
// in-place editors, the system clipboard and screenshots of a ledger-like table.
#include "GridTestSupport.h"

#include "grid/CXCellKinds.h"
#include "grid/CXGrid.h"

#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QMenu>
#include <QTimer>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QApplication>
#include <QVBoxLayout>
#include <QtTest>

namespace {

class CountingGrid : public CXGrid {
public:
    int endings = 0;
    int lastKey = -1;
    int resizedColumn = -1;
    void OnEndEdit(int message, int key, CXCellID pos) override
    {
        ++endings;
        lastKey = key;
        CXGrid::OnEndEdit(message, key, pos);
    }
    void OnColumnResized(int col) override { resizedColumn = col; }
};

struct FocusCounter : QObject {
    int focusIns = 0;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) ++focusIns;
        return false;
    }
};

// A window holding a grid and one other field to take the focus away.
struct Window {
    QWidget window;
    CountingGrid* grid = new CountingGrid;
    QLineEdit* other = new QLineEdit;
    Window()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(grid, 1);
        layout->addWidget(other);
        window.resize(900, 500);
        window.show();
        window.activateWindow();
        grid->setFocus();
    }
    bool Ready() { return QTest::qWaitForWindowActive(&window); }
};

QPoint Centre(const CXGrid& grid, CXCellID pos)
{
    return grid.GetMergedRect(pos).center();
}

}  // namespace

class TestGridWidget : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void keysMoveTheCursorAndControlPassesThem()
    {
        using namespace summary;
        Transcript heard;
        Window w;
        QVERIFY(w.Ready());
        CXGrid& grid = *w.grid;
        FillSummary(grid);
        grid.EnableSpeech(1);
        grid.SetCurrentCell(5, Salary);
        QTest::keyClick(&grid, Qt::Key_Right);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(5, Sales));
        QCOMPARE(heard.Last(), u"4月 収入 0"_s);
        QTest::keyClick(&grid, Qt::Key_Right, Qt::ControlModifier);
        QTest::keyClick(&grid, Qt::Key_Down, Qt::ControlModifier);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(5, Sales));
        QTest::keyClick(&grid, Qt::Key_Left, Qt::ShiftModifier);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(5, BusinessTotal));
        QCOMPARE(heard.Last(), u"4月 収入 0 折りたたみ"_s);
        QTest::keyClick(&grid, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(grid.IsColumnVisible(Sales), 1);
        QTest::keyClick(&grid, Qt::Key_Space);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(5, IncomeTotal));
        QTest::keyClick(&grid, Qt::Key_Space);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(5, Food));
        QTest::keyClick(&grid, Qt::Key_Space, Qt::ShiftModifier);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(5, IncomeTotal));
        QTest::keyClick(&grid, Qt::Key_PageDown);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(10, IncomeTotal));
        QTest::keyClick(&grid, Qt::Key_End);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(10, Balance));
        QTest::keyClick(&grid, Qt::Key_Home, Qt::ShiftModifier);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(CarryRow, Balance));
        heard.Clear();
        QTest::keyClick(&grid, Qt::Key_Period);
        QCOMPARE(heard.Last(), u"繰越 残高 50,000"_s);
        QTest::keyClick(&grid, Qt::Key_Comma, Qt::KeypadModifier);
        QCOMPARE(heard.Lines().size(), 2);

        // Control with Home and End: the table's first and last data cells.
        QTest::keyClick(&grid, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(TotalRow, Balance));
        QCOMPARE(heard.Last(), u"合計 残高  空白"_s);
        QTest::keyClick(&grid, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(CarryRow, Salary));
        QCOMPARE(heard.Last(), u"繰越 収入  空白"_s);
    }

    void theCursorStaysInSightAndTheWheelScrolls()
    {
        using namespace summary;
        Window w;
        w.window.resize(330, 230);
        QVERIFY(w.Ready());
        CXGrid& grid = *w.grid;
        FillSummary(grid);
        grid.SetCurrentCell(CarryRow, Salary);
        for (int i = 0; i < 3; ++i) QTest::keyClick(&grid, Qt::Key_PageDown);
        for (int i = 0; i < 5; ++i) QTest::keyClick(&grid, Qt::Key_Right);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(TotalRow, Food));
        QVERIFY(grid.GetScrollRow() > 0);
        QVERIFY(grid.GetScrollColumn() > 0);
        QVERIFY(grid.viewport()->rect().contains(grid.GetCellRect(grid.GetCurrentCell())));
        QCOMPARE(grid.verticalScrollBar()->value(), grid.GetScrollRow());

        const int row = grid.GetScrollRow();
        const int col = grid.GetScrollColumn();
        const QPointF at(50, 100);
        QWheelEvent up(at, grid.viewport()->mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.viewport(), &up);
        QCOMPARE(grid.GetScrollRow(), std::max(0, row - 3));
        QWheelEvent left(at, grid.viewport()->mapToGlobal(at), {}, QPoint(0, 120), Qt::NoButton,
                         Qt::ShiftModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(grid.viewport(), &left);
        QCOMPARE(grid.GetScrollColumn(), col - 1);
        QCOMPARE(grid.GetScrollRow(), std::max(0, row - 3));
    }

    void focusSpeaksTheCellAlone()
    {
        using namespace summary;
        Transcript heard;
        Window w;
        QVERIFY(w.Ready());
        FillSummary(*w.grid);
        w.grid->EnableSpeech(1);
        w.grid->SetCurrentCell(5, Food);
        w.other->setFocus();
        QTRY_VERIFY(w.other->hasFocus());
        w.grid->setFocus();
        QTRY_VERIFY(w.grid->hasFocus());
        QCOMPARE(heard.Last(), u"30,000"_s);
        QVERIFY(!w.grid->testAttribute(Qt::WA_InputMethodEnabled));
        w.grid->SetCurrentCell(5, Rent);
        w.other->setFocus();
        w.grid->setFocus();
        QTRY_COMPARE(heard.Last(), u"0"_s);    // a zero is read as it is shown
        w.grid->SetCellText(5, Rent, QString());
        w.other->setFocus();
        w.grid->setFocus();
        QTRY_COMPARE(heard.Last(), u"空白"_s);

        // Back from a menu the user has not gone anywhere: what the command
        // says next is all they hear. A dialog closing over the grid gives it
        // back, and the cell is said again, once, in full.
        heard.Clear();
        FocusCounter returns;
        w.grid->installEventFilter(&returns);
        QMenu menu(&w.window);
        menu.addAction(u"コピー"_s);
        QTimer::singleShot(50, &menu, &QMenu::close);
        menu.exec(w.grid->mapToGlobal(QPoint(10, 10)));
        QDialog dialog(&w.window);
        QTimer::singleShot(50, &dialog, &QDialog::reject);
        dialog.exec();
        w.window.activateWindow();  // the window manager's part
        QTRY_COMPARE(returns.focusIns, 2);
        QTRY_COMPARE(heard.Lines().size(), 1);
        const QStringList reread = heard.Lines();
        heard.Clear();
        QTest::keyClick(w.grid, Qt::Key_Period);   // said as the period key says it
        QCOMPARE(heard.Lines(), reread);
        heard.Clear();
        w.other->setFocus();
        w.grid->setFocus(Qt::MenuBarFocusReason);   // the menu bar left by Alt or Escape
        QCoreApplication::sendPostedEvents();
        QCOMPARE(heard.Lines(), QStringList());
    }

    void mouseClicksMoveTheCursorAndToggleGroups()
    {
        using namespace summary;
        Window w;
        QVERIFY(w.Ready());
        CountingGrid& grid = *w.grid;
        FillSummary(grid);
        grid.SetCurrentCell(5, Salary);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, Centre(grid, {7, Rent}));
        QCOMPARE(grid.GetCurrentCell(), CXCellID(7, Rent));
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, Centre(grid, {1, Salary}));  // a header: no move
        QCOMPARE(grid.GetCurrentCell(), CXCellID(7, Rent));

        const QRect mark = grid.GroupMarkRect({0, Food});
        QVERIFY(!mark.isEmpty());
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, mark.center());
        QCOMPARE(grid.IsColumnVisible(Food), 0);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(7, ExpenseTotal));
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, Centre(grid, {0, ExpenseTotal}) + QPoint(20, 0));
        QCOMPARE(grid.IsColumnVisible(Food), 1);

        // Dragging a column border in the header row resizes the column.
        const QRect header = grid.GetCellRect({3, Salary});
        const QPoint border(header.right() + 1, header.center().y());
        QTest::mousePress(grid.viewport(), Qt::LeftButton, {}, border);
        QTest::mouseMove(grid.viewport(), border + QPoint(30, 0));
        QTest::mouseRelease(grid.viewport(), Qt::LeftButton, {}, border + QPoint(30, 0));
        QCOMPARE(grid.GetColumnWidth(Salary), 100);
        QCOMPARE(grid.resizedColumn, int(Salary));
    }

    void typingOnAnEditCellOpensItsEditorAndEscapeKeepsTheText()
    {
        Window w;
        QVERIFY(w.Ready());
        CountingGrid& grid = *w.grid;
        grid.SetRowCount(4);
        grid.SetColumnCount(4);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetCellText(1, 1, u"old"_s);
        QVERIFY(grid.SetCell(1, 1, std::make_unique<CXCellEdit>()));
        QCOMPARE(grid.GetCellText(1, 1), u"old"_s);
        grid.SetCurrentCell(1, 1);
        QTest::keyClick(&grid, '5');
        auto* edit = grid.viewport()->findChild<QLineEdit*>(u"3000"_s);
        QVERIFY(edit);
        QCOMPARE(edit->text(), u"5"_s);
        QCOMPARE(edit->cursorPosition(), 1);
        QVERIFY(edit->hasFocus());
        QCOMPARE(grid.GetEditCell(), CXCellID(1, 1));
        QTest::keyClicks(edit, u"7"_s);
        QTest::keyClick(edit, Qt::Key_Left);  // stays in the editor
        QCOMPARE(grid.GetCurrentCell(), CXCellID(1, 1));
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(grid.endings, 1);
        QCOMPARE(grid.GetCellText(1, 1), u"57"_s);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(1, 1));
        QVERIFY(grid.hasFocus());
        QVERIFY(!grid.GetEditCell().IsSet());
        QTRY_VERIFY(!grid.viewport()->findChild<QLineEdit*>(u"3000"_s));

        // Down ends the edit and moves; a second editor can open at once.
        QVERIFY(grid.BeginEditEdit({1, 1}, 0));
        edit = grid.viewport()->findChild<QLineEdit*>(u"3000"_s);
        QCOMPARE(edit->selectedText(), u"57"_s);
        QTest::keyClick(edit, Qt::Key_Down);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(2, 1));
        QCOMPARE(grid.endings, 2);
        QCOMPARE(grid.BeginEditEdit({2, 1}, 0), 0);  // a text cell has no editor
    }

    void dateCellWritesTheDateAndTabMovesRight()
    {
        Window w;
        QVERIFY(w.Ready());
        CountingGrid& grid = *w.grid;
        grid.SetRowCount(3);
        grid.SetColumnCount(4);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        auto date = std::make_unique<CXCellDateTimeCtrl>();
        date->SetUpDown(true);
        grid.SetCell(1, 1, std::move(date));
        grid.SetCellText(1, 1, u"2024/4/5"_s);
        grid.SetCurrentCell(1, 1);
        QVERIFY(grid.BeginEditDate({1, 1}, 0));
        auto* picker = grid.viewport()->findChild<QDateEdit*>(u"3002"_s);
        QVERIFY(picker);
        QCOMPARE(picker->date(), QDate(2024, 4, 5));
        picker->setDate(QDate(2024, 5, 6));
        QTest::keyClick(picker, Qt::Key_Tab);
        QCOMPARE(grid.GetCellText(1, 1), u"2024/05/06"_s);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(1, 2));
        QCOMPARE(grid.endings, 1);
        QCOMPARE(grid.BeginEditCombo({1, 1}, 0), 0);  // wrong kind

        // A typed character that is no date goes to the picker, not into the cell.
        grid.SetCurrentCell(1, 1);
        QTest::keyClick(&grid, '9');
        QCOMPARE(grid.GetCellText(1, 1), u"2024/05/06"_s);
        QVERIFY(grid.viewport()->findChild<QDateEdit*>(u"3002"_s));
        grid.RequestEndEdit();
        QTRY_VERIFY(!grid.GetEditCell().IsSet());
        QCOMPARE(grid.lastKey, 0);
    }

    void comboReturnsTheChoiceOrTheTypedText()
    {
        Window w;
        QVERIFY(w.Ready());
        CountingGrid& grid = *w.grid;
        grid.SetRowCount(2);
        grid.SetColumnCount(3);
        auto combo = std::make_unique<CXCellCombo>();
        combo->SetChoices({u"現金"_s, u"銀行"_s});
        grid.SetCell(1, 1, std::move(combo));
        grid.SetCurrentCell(1, 1);
        QTest::keyClick(&grid, 'x');
        auto* box = grid.viewport()->findChild<QComboBox*>(u"3001"_s);
        QVERIFY(box);
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->currentIndex(), -1);
        QTest::keyClicks(box, u"yz"_s);
        QTest::keyClick(box, Qt::Key_Tab);
        QCOMPARE(grid.GetCellText(1, 1), u"xyz"_s);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(1, 2));

        grid.SetCurrentCell(1, 1);
        QVERIFY(grid.BeginEditCombo({1, 1}, 0));
        box = qobject_cast<QComboBox*>(static_cast<CXCellControl*>(grid.GetCell(1, 1))->GetEditor());
        QVERIFY(box);
        box->setCurrentIndex(1);
        QTest::keyClick(box, Qt::Key_Escape);
        QCOMPARE(grid.GetCellText(1, 1), u"銀行"_s);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(1, 1));
    }

    void losingTheFocusEndsTheEditExactlyOnceAndLeavesTheFocusThere()
    {
        Window w;
        QVERIFY(w.Ready());
        CountingGrid& grid = *w.grid;
        grid.SetRowCount(2);
        grid.SetColumnCount(2);
        grid.SetCell(1, 1, std::make_unique<CXCellEdit>());
        grid.SetCurrentCell(1, 1);
        QTest::keyClick(&grid, 'a');
        QVERIFY(grid.GetEditCell().IsSet());
        w.other->setFocus();
        QTRY_VERIFY(w.other->hasFocus());
        QCOMPARE(grid.endings, 1);
        QCOMPARE(grid.lastKey, 0);
        QCOMPARE(grid.GetCellText(1, 1), u"a"_s);
        QCoreApplication::processEvents();
        QVERIFY(w.other->hasFocus());
        grid.setFocus();
        QCoreApplication::processEvents();
        QCOMPARE(grid.endings, 1);

        // Destroying the grid while it edits is safe.
        grid.SetCurrentCell(1, 1);
        QVERIFY(grid.BeginEditEdit({1, 1}, 0));
        delete w.grid;
        QCoreApplication::processEvents();
    }

    void baseCellsShowTheirMarkAndCopiesReachTheClipboard()
    {
        QImage image(60, 20, QImage::Format_RGB32);
        image.fill(Qt::white);
        {
            QPainter painter(&image);
            painter.setPen(Qt::black);
            CXCellBase base;
            base.Draw(painter, image.rect(), {});
        }
        int ink = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) ink += image.pixel(x, y) != qRgb(255, 255, 255);
        QVERIFY(ink > 10);

        CXGrid grid;
        grid.SetRowCount(2);
        grid.SetColumnCount(2);
        grid.SetCellText(0, 1, u"収入"_s);
        grid.SetCellText(1, 1, u"1,200"_s);
        grid.SetCurrentCell(1, 1);
        grid.CopyCellWithHeaders(0, 0, grid.GetCurrentCell());
        QCOMPARE(QGuiApplication::clipboard()->text(), u"収入:1,200"_s);

        QString shown;
        CXGrid::SetMessageFunction([&](QWidget* owner, const QString& text) {
            QCOMPARE(owner, &grid);
            shown = text;
        });
        grid.ShowMessage(u"お知らせ"_s);
        CXGrid::SetMessageFunction({});
        QCOMPARE(shown, u"お知らせ"_s);
    }

    void screenshotsOfALedgerTableAtNineAndEighteenPoints_data()
    {
        QTest::addColumn<int>("points");
        QTest::newRow("9") << 9;
        QTest::newRow("16") << 16;
        QTest::newRow("18") << 18;
        QTest::newRow("30") << 30;
        QTest::newRow("45") << 45;
    }
    void screenshotsOfALedgerTableAtNineAndEighteenPoints()
    {
        using namespace summary;
        QFETCH(int, points);
        Window w;
        QVERIFY(w.Ready());
        CXGrid& grid = *w.grid;
        w.window.resize(points == 9 ? 900 : 1400, points == 9 ? 420 : 760);
        FillSummary(grid);
        grid.SetFont(u"MS ゴシック"_s, points);
        grid.SetCellTextColor(0xFF000000);
        grid.SetCellBackColor(0xFFFFFFFF);
        grid.SetFixedBackColor(0xFFDDE6F0);
        grid.SetFixedTextColor(0xFF000000);
        grid.SetLineColor(0xFF808080);
        grid.SetGroupExpanded({1, Sales}, false);
        grid.SetGroupExpanded({0, Food}, false);
        grid.SetCurrentCell(6, BusinessTotal);
        grid.setFocus();
        QTRY_VERIFY(grid.hasFocus());
        grid.RecalcLayout(0);
        const QImage shot = grid.grab().toImage();
        const QString path = QCoreApplication::applicationDirPath() + u"/grid_summary_%1pt.png"_s.arg(points);
        QVERIFY(shot.save(path));
        // The cursor cell is drawn in reverse: dark in the middle of a white table.
        const QPoint middle = grid.GetMergedRect(grid.GetCurrentCell()).topLeft() + QPoint(3, 3);
        QCOMPARE(QColor(shot.pixel(middle)).lightness() < 60, true);
        if (points == 9 || points == 18) QCOMPARE(grid.GetCellRect({5, Salary}).height(), points == 9 ? 18 : 36);
        // The cursor's frame stays inside its own column.
        const QRect cursor = grid.GetMergedRect(grid.GetCurrentCell()).translated(grid.viewport()->pos());
        for (int dx = 1; dx <= 8; ++dx)
            QVERIFY2(QColor(shot.pixel(cursor.right() + dx, cursor.center().y())).lightness() > 200,
                     qPrintable(u"dark pixel %1 px right of the cursor cell"_s.arg(dx)));

        // Wide enough for every column (and the vertical bar): no horizontal bar.
        const int columns = grid.ColumnLayout().FixedSize() + grid.ColumnLayout().TotalDataSize();
        const int frame = 2 * grid.frameWidth();
        w.window.resize(columns + frame + grid.verticalScrollBar()->sizeHint().width() + 40, 300);
        grid.setFixedWidth(columns + frame + grid.verticalScrollBar()->sizeHint().width());
        QApplication::processEvents();
        QVERIFY(grid.verticalScrollBar()->isVisible());
        QVERIFY(!grid.horizontalScrollBar()->isVisible());
        grid.setFixedWidth(columns + frame);
        grid.setFixedHeight(grid.RowLayout().FixedSize() + grid.RowLayout().TotalDataSize() + frame);
        QApplication::processEvents();
        QVERIFY(!grid.verticalScrollBar()->isVisible());
        QVERIFY(!grid.horizontalScrollBar()->isVisible());
        QCOMPARE(grid.GetScrollColumn(), 0);
    }
};

QTEST_MAIN(TestGridWidget)
#include "test_grid_widget.moc"
