// Moves and speech of the grid without a window: the transcript shows what
// a user hears.
#include "GridTestSupport.h"

#include <QtTest>

namespace {

// Header row "A".."D" over four data columns, header column "r1".."r4".
void FillLetters(CXGridNav& grid)
{
    grid.SetRowCount(5);
    grid.SetColumnCount(5);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    for (int i = 1; i < 5; ++i) {
        grid.SetCellText(0, i, QString(QChar(u'A' + i - 1)));
        grid.SetCellText(i, 0, u"r%1"_s.arg(i));
    }
}

class EdgeNamingGrid : public CXGridNav {
public:
    QString BuildCellSpeech(CXCellID, CXCellID current, int key) const override
    {
        return u"cell %1,%2 key %3"_s.arg(current.row).arg(current.col).arg(key);
    }
};

// Reads cells after whatever is being said, as a view may.
class QueuedReadingGrid : public CXGridNav {
public:
    void ReadCell(CXCellID previous, CXCellID current, int key) override
    {
        Speak(BuildCellSpeech(previous, current, key), 0, 0);
    }
};

}  // namespace

class TestGridNavigation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cursorSpeechJoinsRowHeaderColumnHeaderAndText()
    {
        Transcript heard;
        CXGridNav grid;
        grid.SetRowCount(3);
        grid.SetColumnCount(3);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetCellText(1, 0, u"収入"_s);
        grid.SetCellText(0, 1, u"4月"_s);
        grid.SetCellText(1, 1, u"1200"_s);
        grid.EnableSpeech(1);
        grid.SetCurrentCell(1, 1);
        QCOMPARE(heard.Last(), u"収入 4月 1200"_s);
        grid.SetCurrentCell(1, 2);
        QCOMPARE(heard.Last(), u"収入   空白"_s);
        grid.SetCurrentCell(7, 7);  // not a cell: the cursor stays, nothing said
        QCOMPARE(grid.GetCurrentCell(), CXCellID(1, 2));
        QCOMPARE(heard.Lines().size(), 2);
        grid.SetReadHeaders(0);
        grid.MoveLeft(grid.GetCurrentCell());
        QCOMPARE(heard.Last(), u"1200"_s);
        grid.MoveRight(grid.GetCurrentCell());
        QCOMPARE(heard.Last(), u"空白"_s);
        grid.DoAction(CXGridAction::ReRead);
        QCOMPARE(heard.Last(), u"収入   空白"_s);

        // A table whose first column scrolls with the data (the search
        // results) still names the row by it.
        grid.SetReadHeaders(1);
        grid.SetFixedColumnCount(0);
        grid.RecalcLayout();
        grid.SetCurrentCell(1, 1);
        QCOMPARE(heard.Last(), u"収入 4月 1200"_s);
        grid.SetCurrentCell(1, 0);
        QCOMPARE(heard.Last(), u"収入"_s);
    }

    void reReadCutsOffWhatIsBeingSaidEvenWhereCellsWaitTheirTurn()
    {
        Transcript heard;
        QueuedReadingGrid grid;
        FillLetters(grid);
        grid.SetCellText(1, 1, u"1200"_s);
        grid.EnableSpeech(1);
        grid.SetCurrentCell(1, 1);
        QCOMPARE(heard.LinesWithMarkers(), QStringList({CTranscriptReader::WaitLine(), u"r1 A 1200"_s}));
        heard.Clear();
        grid.DoAction(CXGridAction::ReRead);
        QCOMPARE(heard.LinesWithMarkers(),
                 QStringList({CTranscriptReader::StopLine(), CTranscriptReader::WaitLine(), u"r1 A 1200"_s}));
    }

    void arrowsLeaveMergesWholeInBothDirectionsAndStopAtEdges()
    {
        Transcript heard;
        CXGridNav grid;
        grid.SetRowCount(7);
        grid.SetColumnCount(7);
        grid.SetFixedRowCount(1);
        grid.SetFixedColumnCount(1);
        grid.SetCellText(2, 2, u"wide"_s);
        grid.SetColumnSpan(2, 2, 3, 0);  // columns 2..4
        grid.SetCellText(3, 1, u"tall"_s);
        grid.SetRowSpan(3, 1, 2, 0);  // rows 3..4
        grid.EnableSpeech(1);

        grid.SetCurrentCell(2, 4);
        QCOMPARE(grid.MoveLeft(grid.GetCurrentCell()), CXCellID(2, 1));
        QCOMPARE(grid.MoveRight(grid.GetCurrentCell()), CXCellID(2, 2));
        QCOMPARE(grid.MoveRight(grid.GetCurrentCell()), CXCellID(2, 5));
        QCOMPARE(grid.MoveLeft(grid.GetCurrentCell()), CXCellID(2, 4));
        QCOMPARE(heard.Last(), u"wide"_s);

        grid.SetCurrentCell(2, 1);
        QCOMPARE(grid.MoveDown(grid.GetCurrentCell()), CXCellID(3, 1));
        QCOMPARE(grid.MoveDown(grid.GetCurrentCell()), CXCellID(5, 1));
        QCOMPARE(grid.MoveUp(grid.GetCurrentCell()), CXCellID(4, 1));
        QCOMPARE(grid.MoveUp(grid.GetCurrentCell()), CXCellID(2, 1));

        heard.Clear();
        QCOMPARE(grid.MoveLeft(grid.GetCurrentCell()), CXCellID(2, 1));
        QCOMPARE(heard.Last(), u" 空白 左端"_s);
        grid.SetCurrentCell(1, 6);
        grid.MoveRight(grid.GetCurrentCell());
        QCOMPARE(heard.Last(), u" 空白 右端"_s);
        grid.MoveUp(grid.GetCurrentCell());
        QCOMPARE(heard.Last(), u" 空白 上端"_s);
        grid.SetCurrentCell(6, 6);
        grid.MoveDown(grid.GetCurrentCell());
        QCOMPARE(heard.Last(), u" 空白 下端"_s);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(6, 6));

        // Header cells are not moved from.
        grid.SetCurrentCell(0, 3);
        QCOMPARE(grid.MoveDown(grid.GetCurrentCell()), CXCellID(0, 3));
    }

    void arrowsSkipHiddenLinesAndEdgesCountOnlyShownOnes()
    {
        Transcript heard;
        CXGridNav grid;
        FillLetters(grid);
        grid.SetColumnVisible(2, 0);
        grid.SetColumnVisible(1, 0);
        grid.SetRowVisible(2, 0);
        grid.EnableSpeech(1);
        grid.SetCurrentCell(1, 3);
        QCOMPARE(grid.MoveLeft(grid.GetCurrentCell()), CXCellID(1, 3));
        QCOMPARE(heard.Last(), u"r1 C  空白 左端"_s);
        QCOMPARE(grid.MoveDown(grid.GetCurrentCell()), CXCellID(3, 3));
        QCOMPARE(grid.MoveUp(grid.GetCurrentCell()), CXCellID(1, 3));
    }

    void derivedSpeechStepsAreUsedByTheMoves()
    {
        Transcript heard;
        EdgeNamingGrid grid;
        FillLetters(grid);
        grid.EnableSpeech(1);
        grid.SetCurrentCell(1, 1);
        QCOMPARE(heard.Last(), u"cell 1,1 key 0"_s);
        grid.MoveLeft(grid.GetCurrentCell());
        QCOMPARE(heard.Last(), u"cell 1,1 key %1 左端"_s.arg(int(Qt::Key_Left)));
        grid.MoveRight(grid.GetCurrentCell());
        QCOMPARE(heard.Last(), u"cell 1,2 key %1"_s.arg(int(Qt::Key_Right)));
    }

    void dataJumpSkipsBlankAndZeroInBothModes()
    {
        Transcript heard;
        CXGridNav grid;
        FillLetters(grid);
        grid.SetCellText(1, 1, u"0"_s);
        grid.SetCellText(1, 3, u"5"_s);
        grid.SetCellText(2, 1, u"0.0"_s);
        grid.SetCellText(3, 4, u"x"_s);
        grid.SetCellText(4, 2, u"7"_s);
        grid.EnableSpeech(1);

        grid.SetCurrentCell(0, 0);  // from the header: the first data cell counts
        QCOMPARE(grid.NextData(0), 1);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(1, 3));
        grid.NextData(0);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(2, 1));  // "0.0" is data
        grid.NextData(0);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(3, 4));
        grid.NextData(0);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(4, 2));
        QCOMPARE(heard.Last(), u"r4 B 7"_s);
        QCOMPARE(grid.NextData(0), 0);
        QCOMPARE(heard.Last(), u"r4 B 7 データ末尾"_s);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(4, 2));
        grid.PreviousData(0);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(3, 4));

        grid.SetCurrentCell(1, 3);
        QCOMPARE(grid.PreviousData(0), 0);
        QCOMPARE(heard.Last(), u"r1 C 5 データ先頭"_s);

        // Vertical-first: from the bottom of a column to the top of the next shown one.
        grid.SetCellText(1, 3, QString());
        grid.SetCellText(1, 2, u"a"_s);
        grid.SetCurrentCell(4, 1);
        grid.NextData(1);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(1, 2));
        grid.NextData(1);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(4, 2));
        grid.SetColumnVisible(3, 0);
        grid.SetRowVisible(3, 0);
        grid.NextData(1);
        QCOMPARE(grid.NextData(1), 0);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(4, 2));  // x sits on a hidden row
        grid.SetRowVisible(3, 1);
        grid.NextData(1);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(3, 4));
        // The action follows the move mode.
        grid.SetCurrentCell(1, 1);
        grid.ToggleMoveMode();
        QCOMPARE(grid.GetMoveMode(), 1);
        grid.DoAction(CXGridAction::NextData);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(2, 1));
    }

    void dataJumpMeetsAMergeOnce()
    {
        CXGridNav grid;
        FillLetters(grid);
        grid.SetCellText(1, 1, u"wide"_s);
        grid.SetColumnSpan(1, 1, 3, 0);
        grid.SetCellText(1, 4, u"end"_s);
        grid.SetCurrentCell(0, 0);
        grid.NextData(0);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(1, 1));
        grid.NextData(0);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(1, 4));
    }

    void upAndDownInTheFirstScrolledColumnReadWholeRows()
    {
        using namespace summary;
        Transcript heard;
        CXGridNav grid;
        FillSummary(grid);
        grid.EnableSpeech(1);
        grid.SetCurrentCell(5, Salary);
        QCOMPARE(heard.Last(), u"4月 収入 200,000"_s);
        grid.MoveDown(grid.GetCurrentCell());
        QCOMPARE(heard.Last(), u"5月 収入 12,000"_s);
        grid.MoveDown(grid.GetCurrentCell());
        QCOMPARE(heard.Last(), u"6月 支出 -500"_s);
        grid.MoveDown(grid.GetCurrentCell());
        QCOMPARE(heard.Last(), u"7月"_s);  // only empty and "0" cells
        grid.SetSkipBlankAndZero(0);
        grid.MoveUp(grid.GetCurrentCell());
        QVERIFY(heard.Last().startsWith(u"6月 収入 0 収入 0 収入 0 収入 0 収入 0 支出 0 支出 -500 支出 0"_s));
        // Elsewhere the cell alone.
        grid.SetCurrentCell(5, Food);
        grid.MoveDown(grid.GetCurrentCell());
        QCOMPARE(heard.Last(), u"5月 支出 0"_s);
        grid.ReadColumn(Food, 0);
        QVERIFY(heard.Last().startsWith(u"月 支出 月 食費 月 食費 月 食費 繰越  空白 4月 30,000 5月 0"_s));
        QVERIFY(heard.Last().endsWith(u"3月 0 合計  空白"_s));
    }

    void keysCloseAndOpenHeaderGroupsAndSayTheState()
    {
        using namespace summary;
        Transcript heard;
        CXGridNav grid;
        FillSummary(grid);
        grid.EnableSpeech(1);
        grid.SetCurrentCell(6, Sales);
        grid.DoAction(CXGridAction::Collapse);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(6, BusinessTotal));
        QCOMPARE(heard.Last(), u"5月 収入 0 折りたたみ"_s);
        grid.DoAction(CXGridAction::Collapse);  // the inner group is closed: the outer one closes
        QCOMPARE(grid.GetCurrentCell(), CXCellID(6, IncomeTotal));
        QCOMPARE(grid.IsColumnVisible(Salary), 0);
        QCOMPARE(heard.Last(), u"5月 収入 0 折りたたみ"_s);
        grid.DoAction(CXGridAction::Collapse);
        QCOMPARE(heard.Last(), u"折りたたみ済み"_s);
        QCOMPARE(heard.LinesWithMarkers().mid(heard.LinesWithMarkers().size() - 2),
                 QStringList({CTranscriptReader::WaitLine(), u"折りたたみ済み"_s}));  // after the current speech
        grid.DoAction(CXGridAction::Expand);
        QCOMPARE(heard.Last(), u"5月 収入 0 展開"_s);
        QCOMPARE(grid.IsColumnVisible(Salary), 1);
        QCOMPARE(grid.IsColumnVisible(Sales), 0);
        grid.DoAction(CXGridAction::Expand);
        QCOMPARE(heard.Last(), u"展開済み"_s);

        grid.SetCurrentCell(5, Food);
        grid.DoAction(CXGridAction::Expand);
        QCOMPARE(heard.Last(), u"展開済み"_s);
        QCOMPARE(heard.LinesWithMarkers().mid(heard.LinesWithMarkers().size() - 2),
                 QStringList({CTranscriptReader::WaitLine(), u"展開済み"_s}));
        grid.SetCurrentCell(5, Difference);
        const int said = int(heard.Lines().size());
        grid.DoAction(CXGridAction::Collapse);
        grid.DoAction(CXGridAction::Expand);
        QCOMPARE(heard.Lines().size(), said);  // no group: nothing said

        // A click on a group's header toggles it; on the header row the word is left out.
        grid.SetCurrentCell(1, BusinessTotal);
        grid.ToggleGroup({1, Sales}, 0);
        QCOMPARE(grid.IsColumnVisible(Sales), 1);
        QCOMPARE(heard.Last(), u"月 収入 事業"_s);
    }

    void pageHomeAndEndKeysStayInsideTheData()
    {
        using namespace summary;
        CXGridNav grid;
        FillSummary(grid);
        grid.SetCurrentCell(14, Food);
        grid.DoAction(CXGridAction::PageDown);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(TotalRow, Food));
        grid.SetCurrentCell(6, Food);
        grid.DoAction(CXGridAction::PageUp);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(CarryRow, Food));
        for (int r = 10; r <= 12; ++r) grid.SetRowVisible(r, 0);
        grid.SetCurrentCell(8, Food);
        grid.DoAction(CXGridAction::PageDown);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(16, Food));

        grid.SetColumnVisible(Salary, 0);
        grid.DoAction(CXGridAction::RowHome);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(16, Sales));
        grid.DoAction(CXGridAction::RowEnd);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(16, Balance));
        grid.DoAction(CXGridAction::ColumnHome);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(CarryRow, Balance));
        grid.DoAction(CXGridAction::ColumnEnd);
        QCOMPARE(grid.GetCurrentCell(), CXCellID(TotalRow, Balance));
    }

    void moveModeIsAnnouncedOnlyWhenSet()
    {
        Transcript heard;
        CXGridNav grid;
        grid.EnableSpeech(1);
        grid.SetMoveMode(1);
        QCOMPARE(heard.Last(), u"縦優先移動"_s);
        grid.SetMoveMode(0);
        QCOMPARE(heard.Last(), u"横優先移動"_s);
        grid.ToggleMoveMode();
        QCOMPARE(grid.GetMoveMode(), 1);
        QCOMPARE(heard.Lines().size(), 2);
    }

    void withoutSpeechTheCursorMovesSilently()
    {
        Transcript heard;
        CXGridNav grid;
        FillLetters(grid);
        grid.SetCurrentCell(1, 1);
        grid.MoveRight(grid.GetCurrentCell());
        grid.MoveLeft(grid.GetCurrentCell());
        grid.MoveLeft(grid.GetCurrentCell());
        grid.NextData(0);
        grid.SetMoveMode(1);
        grid.DoAction(CXGridAction::ReRead);
        grid.SpeakFocus();
        QCOMPARE(grid.GetCurrentCell(), CXCellID(1, 1));
        QVERIFY(heard.Lines().isEmpty());
    }

    void emptyAndFullyHiddenGridsMoveAndSpeakSafely()
    {
        Transcript heard;
        CXGridNav empty;
        empty.EnableSpeech(1);
        for (int a = int(CXGridAction::MoveLeft); a <= int(CXGridAction::LastData); ++a)
            empty.DoAction(CXGridAction(a));
        empty.CopyRecordWithHeaders(0, 3, 0);
        empty.ReadRow(0, 0);
        QVERIFY(!empty.GetCurrentCell().IsSet());

        CXGridNav headersOnly;
        headersOnly.SetColumnCount(3);
        headersOnly.SetFixedRowCount(2);
        headersOnly.EnableSpeech(1);
        headersOnly.SetCurrentCell(1, 1);
        for (int a = int(CXGridAction::MoveLeft); a <= int(CXGridAction::LastData); ++a)
            headersOnly.DoAction(CXGridAction(a));
        QVERIFY(headersOnly.GetCurrentCell().IsSet());

        CXGridNav hidden;
        FillLetters(hidden);
        hidden.EnableSpeech(1);
        hidden.SetCurrentCell(2, 2);
        for (int r = 1; r < 5; ++r) hidden.SetRowVisible(r, 0);
        for (int c = 1; c < 5; ++c) hidden.SetColumnVisible(c, 0);
        hidden.RecalcLayout();
        heard.Clear();
        for (int a = int(CXGridAction::MoveLeft); a <= int(CXGridAction::LastData); ++a)
            hidden.DoAction(CXGridAction(a));
        QCOMPARE(hidden.GetTopLeftCell(), CXCellID(4, 4));
        // Every way out is closed: each arrow names its edge, the data jumps
        // find nothing, and the re-read says the cell the cursor stays on.
        const QString cell = u"r2 B  空白"_s;
        const QStringList said = heard.Lines();
        QCOMPARE(said.mid(0, 4), QStringList({cell + u" 左端"_s, cell + u" 右端"_s, cell + u" 上端"_s, cell + u" 下端"_s}));
        QCOMPARE(said.mid(said.size() - 3), QStringList({cell + u" データ末尾"_s, cell + u" データ先頭"_s, cell}));
        QCOMPARE(hidden.GetCurrentCell(), CXCellID(2, 2));
    }

    void copiesJoinHeaderPathsWithSlashColonAndCrLf()
    {
        using namespace summary;
        CXGridNav grid;
        FillSummary(grid);
        grid.SetCurrentCell(6, Sales);
        grid.CopyCellText();
        QCOMPARE(grid.LastCopy(), u"12,000"_s);
        grid.CopyCellWithHeaders(0, HeaderRows - 1, {6, Sales});
        QCOMPARE(grid.LastCopy(), u"収入/事業/売上:12,000"_s);
        grid.CopyCellWithHeaders(0, HeaderRows - 1, {6, Salary});  // downward merge continuations left out
        QCOMPARE(grid.LastCopy(), u"収入/給与:0"_s);
        grid.SetColumnVisible(Misc, 0);
        grid.CopyRecordWithHeaders(0, HeaderRows - 1, 6);
        const QStringList lines = grid.LastCopy().split(u"\r\n"_s);
        QCOMPARE(lines.size(), ColumnCount - 1);
        QCOMPARE(lines.at(0), u"月:5月"_s);
        QCOMPARE(lines.at(1), u":"_s);
        QCOMPARE(lines.at(3), u"収入/事業/売上:12,000"_s);
        QCOMPARE(lines.at(4), u"収入/事業/合計:0"_s);
        QCOMPARE(lines.last(), u"残高:0"_s);
        QVERIFY(!grid.LastCopy().endsWith(u'\n'));

        grid.CopyCellWithRowHeaders(0, 1, {6, Sales});
        QCOMPARE(grid.LastCopy(), u"5月/:12,000"_s);
        grid.CopyColumnWithHeaders(0, 0, Balance);
        const QStringList column = grid.LastCopy().split(u"\r\n"_s);
        QCOMPARE(column.size(), RowCount);
        QCOMPARE(column.at(0), u"月:残高"_s);
        QCOMPARE(column.at(CarryRow), u"繰越:50,000"_s);

        CXGridNav plain;
        plain.SetRowCount(3);
        plain.SetColumnCount(2);
        plain.SetCellText(0, 1, u"収入"_s);
        plain.SetCellText(1, 1, u"4月"_s);
        plain.SetCellText(2, 1, u"1200"_s);
        plain.CopyCellWithHeaders(0, 1, {2, 1});
        QCOMPARE(plain.LastCopy(), u"収入/4月:1200"_s);
    }
};

QTEST_GUILESS_MAIN(TestGridNavigation)
#include "test_grid_navigation.moc"
