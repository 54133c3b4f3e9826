// The month, year and years tables built on real data files, in both
// layouts: every subtotal, total, "差額" and "残高" against sums this test
// works out from the entries it booked; the account axis, validity, hiding
// zero accounts, the expand level, the 100-year cap, what is said while
// moving, column widths and the CSV output.

#include "kinzo/dialogs/tests/LedgerAppFixture.h"

#include "kinzo/views/summary/CMonthGrid.h"
#include "kinzo/views/summary/CYearGrid.h"
#include "kinzo/views/summary/CYearsGrid.h"
#include "platform/Cp932Codec.h"

#include <QLocale>
#include <QRandomGenerator>
#include <QtTest>

#include <map>

using namespace Qt::StringLiterals;

namespace {

struct Booked {
    QDate date;
    int item;
    qint64 amount;
};

struct Period {
    QDate first;
    QDate last;
};

QString yen(qint64 amount)
{
    return QLocale(QLocale::English).toString(amount);
}

QList<Period> daysOf(int year, int month)
{
    QList<Period> days;
    for (QDate d(year, month, 1); d.month() == month; d = d.addDays(1)) days.append({d, d});
    return days;
}

QList<Period> monthsFrom(QDate first)
{
    QList<Period> months;
    for (int i = 0; i < 12; ++i) {
        const QDate m = first.addMonths(i);
        months.append({m, m.addMonths(1).addDays(-1)});
    }
    return months;
}

}  // namespace

class TestSummaryTables : public QObject {
    Q_OBJECT

    LedgerAppFixture f;
    QList<Booked> m_booked;
    std::map<int, int> m_parent;   // account -> parent, as this test made them
    std::map<int, int> m_side;
    QSet<int> m_leftOut;           // accounts the table must not show
    int m_income = 0, m_expense = 0;
    int m_salary = 0, m_bonus = 0, m_food = 0, m_groceries = 0, m_eatOut = 0, m_lunch = 0, m_fare = 0, m_old = 0;

    int account(int parent, const QString& name, QDate useEnd = QDate())
    {
        const int id = f.AddAccount(parent, name, useEnd);
        m_parent[id] = parent;
        m_side[id] = m_side[parent];
        return id;
    }
    void book(QDate date, int item, qint64 amount)
    {
        QVERIFY(f.AddEntry(date, item, amount));
        m_booked.append({date, item, amount});
    }
    bool under(int item, int account) const
    {
        for (int id = item; id; id = m_parent.count(id) ? m_parent.at(id) : 0)
            if (id == account) return true;
        return false;
    }
    bool shown(int item) const
    {
        for (int id = item; id; id = m_parent.count(id) ? m_parent.at(id) : 0)
            if (m_leftOut.contains(id)) return false;
        return true;
    }
    qint64 sumUnder(int account, Period p) const
    {
        qint64 sum = 0;
        for (const Booked& b : m_booked)
            if (b.date >= p.first && b.date <= p.last && under(b.item, account) && shown(b.item)) sum += b.amount;
        return sum;
    }
    qint64 carryOver(QDate day) const
    {
        qint64 sum = 0;
        for (const Booked& b : m_booked)
            if (b.date < day) sum += m_side.at(b.item) == 1 ? b.amount : -b.amount;
        return sum;
    }

    // Every amount cell of the table against the sums of the booked entries.
    void checkAmounts(const CSummaryGrid& g, const QList<Period>& periods)
    {
        QCOMPARE(g.Periods().size(), periods.size());
        const Period whole{periods.first().first, periods.last().last};
        const auto text = [&g](int line, int position) {
            const CXCellID c = g.CellOf(line, position);
            return g.GetCellText(c.row, c.col);
        };
        for (int line = g.FirstLine(); line < g.DifferenceLine(); ++line) {
            const int id = g.AccountOfLine(line);
            QVERIFY(id > 0);
            QVERIFY2(shown(id), qPrintable(QString::number(id)));
            QCOMPARE(text(line, CSummaryGrid::CarryPosition), QString());
            for (int p = 0; p < periods.size(); ++p)
                QCOMPARE(text(line, g.FirstPeriodPosition() + p), yen(sumUnder(id, periods[p])));
            QCOMPARE(text(line, g.TotalPosition()), yen(sumUnder(id, whole)));
        }
        qint64 balance = carryOver(whole.first);
        QCOMPARE(text(g.BalanceLine(), CSummaryGrid::CarryPosition), yen(balance));
        for (int p = 0; p < periods.size(); ++p) {
            const qint64 difference = sumUnder(m_income, periods[p]) - sumUnder(m_expense, periods[p]);
            balance += difference;
            QCOMPARE(text(g.DifferenceLine(), g.FirstPeriodPosition() + p), yen(difference));
            QCOMPARE(text(g.BalanceLine(), g.FirstPeriodPosition() + p), yen(balance));
        }
        QCOMPARE(text(g.DifferenceLine(), g.TotalPosition()),
                 yen(sumUnder(m_income, whole) - sumUnder(m_expense, whole)));
        QCOMPARE(text(g.BalanceLine(), g.TotalPosition()), yen(balance));
    }

    // The same table in the other layout holds the same texts, mirrored.
    static void checkMirrored(const CSummaryGrid& horizontal, const CSummaryGrid& vertical)
    {
        QCOMPARE(horizontal.LineCount(), vertical.LineCount());
        QCOMPARE(horizontal.TotalPosition(), vertical.TotalPosition());
        for (int i = 0; i < horizontal.LineCount(); ++i) {
            for (int p = CSummaryGrid::CarryPosition; p <= horizontal.TotalPosition(); ++p) {
                const CXCellID h = horizontal.CellOf(horizontal.FirstLine() + i, p);
                const CXCellID v = vertical.CellOf(vertical.FirstLine() + i, p);
                QCOMPARE(horizontal.GetCellText(h.row, h.col), vertical.GetCellText(v.row, v.col));
            }
            for (int level = 0; level < CSummaryGrid::LabelLevels; ++level)
                QCOMPARE(horizontal.GetCellText(level, horizontal.FirstLine() + i),
                         vertical.GetCellText(vertical.FirstLine() + i, level));
        }
    }

    // Labels of every line of a vertical table, one string per line.
    static QStringList lineLabels(const CSummaryGrid& g)
    {
        QStringList lines;
        for (int row = g.FirstLine(); row < g.GetRowCount(); ++row) {
            QStringList labels;
            for (int level = 0; level < CSummaryGrid::LabelLevels; ++level) labels << g.GetCellText(row, level);
            lines << labels.join(u'|');
        }
        return lines;
    }
    static QStringList shownLines(const CSummaryGrid& g)
    {
        QStringList lines;
        for (int line = g.FirstLine(); line < g.FirstLine() + g.LineCount(); ++line) {
            if (!g.IsLineVisible(line)) continue;
            const AccountItemNode* node = g.NodeOfLine(line);
            lines << (node ? node->m_data.name : (line == g.DifferenceLine() ? u"差額"_s : u"残高"_s));
        }
        return lines;
    }

    template <class Grid>
    std::unique_ptr<Grid> build(int orientation, QDate first, QDate last)
    {
        auto g = std::make_unique<Grid>(orientation);
        g->CreateAndBuild(f.Doc(), first, last, f.Doc().AccountItems());
        return g;
    }

private Q_SLOTS:
    void initTestCase() { f.Start(); }

    void init()
    {
        QVERIFY(f.NewLedger());
        m_booked.clear();
        m_parent.clear();
        m_side.clear();
        m_leftOut.clear();
        m_income = f.Root(1)->m_data.ID;
        m_expense = f.Root(2)->m_data.ID;
        m_side[m_income] = 1;
        m_side[m_expense] = 2;
        f.App().m_settingInfo.m_startMonth = 1;
    }

    void aTreeOnBothAxes()
    {
        m_salary = account(m_income, u"給与"_s);
        m_food = account(m_expense, u"食費"_s);
        m_groceries = account(m_food, u"食料品"_s);
        m_eatOut = account(m_food, u"外食"_s);
        m_lunch = account(m_eatOut, u"昼食"_s);
        m_fare = account(m_expense, u"交通費"_s);
        book(QDate(2010, 5, 3), m_lunch, 800);
        auto v = build<CMonthGrid>(CSummaryGrid::Vertical, QDate(2010, 5, 1), QDate(2010, 5, 31));
        QCOMPARE(lineLabels(*v),
                 (QStringList{u"収入|給与|給与|給与"_s, u"収入|合計|合計|合計"_s, u"支出|食費|食料品|食料品"_s,
                              u"支出|食費|外食|昼食"_s, u"支出|食費|外食|合計"_s, u"支出|食費|合計|合計"_s,
                              u"支出|交通費|交通費|交通費"_s, u"支出|合計|合計|合計"_s, u"差額|差額|差額|差額"_s,
                              u"残高|残高|残高|残高"_s}));
        // Two header rows: the day and its weekday; the weekend in red.
        QCOMPARE(v->GetCellText(0, v->FirstPeriodPosition() + 2), u" 5月 3日"_s);
        QCOMPARE(v->GetCellText(1, v->FirstPeriodPosition() + 2), u"月"_s);
        v->ApplyColors();
        QCOMPARE(v->GetCell(1, v->FirstPeriodPosition())->GetTextColor(), XColor(0xFFFF0000));   // a Saturday
        QVERIFY(v->GetCell(1, v->FirstPeriodPosition() + 2)->GetTextColor() != XColor(0xFFFF0000));
        // Every group starts closed: only the subtotals of the sides remain.
        QCOMPARE(shownLines(*v), (QStringList{u"収入"_s, u"支出"_s, u"差額"_s, u"残高"_s}));
        v->SetExpandLevel(1);
        QCOMPARE(shownLines(*v), (QStringList{u"給与"_s, u"収入"_s, u"食費"_s, u"交通費"_s, u"支出"_s, u"差額"_s,
                                              u"残高"_s}));
        v->SetExpandLevel(3);
        QCOMPARE(v->DeepestLevel(), 3);
        QCOMPARE(shownLines(*v).size(), 10);
        // All-zero accounts hide; their group's subtotal goes with them, the sides' stay.
        v->SetHideZero(1);
        QCOMPARE(shownLines(*v), (QStringList{u"収入"_s, u"昼食"_s, u"外食"_s, u"食費"_s, u"支出"_s, u"差額"_s,
                                              u"残高"_s}));
        v->SetHideZero(0);
        QCOMPARE(shownLines(*v).size(), 10);

        auto h = build<CMonthGrid>(CSummaryGrid::Horizontal, QDate(2010, 5, 1), QDate(2010, 5, 31));
        checkMirrored(*h, *v);
        QCOMPARE(h->GetCellText(0, 0), u"日付"_s);
        QCOMPARE(h->GetCellText(3, 1), u"曜日"_s);
        QCOMPARE(h->GetCellText(h->FirstPeriodPosition() + 2, 1), u"月"_s);
        QCOMPARE(h->GetCellText(CSummaryGrid::CarryPosition, 0), u"繰越"_s);
        QCOMPARE(h->GetCellText(h->TotalPosition(), 0), u"合計"_s);
        QCOMPARE(h->LineOfAccount(CSummaryGrid::BalanceAccount), h->GetColumnCount() - 1);
        QCOMPARE(h->AccountOfLine(h->LineOfAccount(m_eatOut)), m_eatOut);
    }

    void everyFigureIsTheSumOfItsEntries()
    {
        m_salary = account(m_income, u"給与"_s);
        m_bonus = account(m_salary, u"賞与"_s);
        const int base = account(m_salary, u"基本給"_s);
        m_food = account(m_expense, u"食費"_s);
        m_groceries = account(m_food, u"食料品"_s);
        m_eatOut = account(m_food, u"外食"_s);
        m_lunch = account(m_eatOut, u"昼食"_s);
        const int dinner = account(m_eatOut, u"夕食"_s);
        m_fare = account(m_expense, u"交通費"_s);
        m_old = account(m_expense, u"旧会費"_s, QDate(2007, 12, 31));
        const int oldChild = account(m_old, u"年会費"_s);
        const QList<int> leaves{m_bonus, base, m_groceries, m_lunch, dinner, m_fare};
        QRandomGenerator random(20101);
        for (int i = 0; i < 400; ++i) {
            const QDate day = QDate(2007, 1, 1).addDays(random.bounded(4 * 366));
            const qint64 amount = random.bounded(1, 300000);
            // Refunds are booked as negative payments.
            book(day, leaves[random.bounded(leaves.size())], i % 17 == 0 ? -amount : amount);
        }
        book(QDate(2007, 6, 1), oldChild, 5000);
        book(QDate(2008, 2, 29), oldChild, 7000);   // booked after the item's end: counted nowhere
        book(QDate(2008, 2, 29), m_fare, 1234567);

        for (int orientation : {CSummaryGrid::Horizontal, CSummaryGrid::Vertical}) {
            // A leap February; the item ended before it is left out with its child.
            m_leftOut = {m_old};
            auto month = build<CMonthGrid>(orientation, QDate(2008, 2, 1), QDate(2008, 2, 29));
            QCOMPARE(month->LineOfAccount(m_old), -1);
            QCOMPARE(month->LineOfAccount(oldChild), -1);
            checkAmounts(*month, daysOf(2008, 2));
            const CXCellID fare = month->CellOf(month->LineOfAccount(m_fare), month->TotalPosition());
            QVERIFY(month->GetCellText(fare.row, fare.col).contains(u"1,2"_s));

            // Fiscal years from April: 2008年度 runs from April 2008 to March 2009.
            f.App().m_settingInfo.m_startMonth = 4;
            auto year = build<CYearGrid>(orientation, QDate(2008, 4, 1), QDate(2009, 3, 31));
            QCOMPARE(year->Periods().first().label, u"2008年 4月"_s);
            QCOMPARE(year->Periods()[10].label, u"2009年 2月"_s);
            checkAmounts(*year, monthsFrom(QDate(2008, 4, 1)));

            // The years table runs from the first entry's fiscal year to the last's.
            m_leftOut.clear();
            auto years = std::make_unique<CYearsGrid>(orientation);
            years->SetStartMonth(4);
            QVERIFY(years->CreateAndBuild(f.Doc(), QDate(), QDate(), f.Doc().AccountItems()));
            QCOMPARE(years->Periods().first().label, u"2006年度"_s);
            QList<Period> fiscalYears;
            for (int y = 2006; y <= 2010; ++y) fiscalYears.append({QDate(y, 4, 1), QDate(y + 1, 3, 31)});
            checkAmounts(*years, fiscalYears);
            f.App().m_settingInfo.m_startMonth = 1;
        }
    }

    void aJanuaryEntryWithStartMonthTenIsOnTheFourthMonthLine()
    {
        m_fare = account(m_expense, u"交通費"_s);
        book(QDate(2011, 1, 20), m_fare, 320);
        auto year = build<CYearGrid>(CSummaryGrid::Horizontal, QDate(2010, 10, 1), QDate(2011, 9, 30));
        const CXCellID cell = year->CellOf(year->LineOfAccount(m_fare), year->FirstPeriodPosition() + 3);
        QCOMPARE(year->GetCellText(cell.row, 0), u"2011年 1月"_s);
        QCOMPARE(year->GetCellText(cell.row, cell.col), u"320"_s);
        checkAmounts(*year, monthsFrom(QDate(2010, 10, 1)));
    }

    void emptyTablesStillAdd()
    {
        // No items below the sides: each side is one subtotal line.
        auto bare = build<CYearGrid>(CSummaryGrid::Vertical, QDate(2010, 1, 1), QDate(2010, 12, 31));
        QCOMPARE(lineLabels(*bare), (QStringList{u"収入|合計|合計|合計"_s, u"支出|合計|合計|合計"_s,
                                                 u"差額|差額|差額|差額"_s, u"残高|残高|残高|残高"_s}));
        checkAmounts(*bare, monthsFrom(QDate(2010, 1, 1)));

        // Entries only before the table: zero everywhere, the carry-over as balance.
        m_salary = account(m_income, u"給与"_s);
        m_food = account(m_expense, u"食費"_s);
        m_lunch = account(m_food, u"昼食"_s);
        book(QDate(2009, 12, 24), m_salary, 250000);
        book(QDate(2009, 12, 25), m_lunch, 1800);
        for (int orientation : {CSummaryGrid::Horizontal, CSummaryGrid::Vertical}) {
            auto quiet = build<CMonthGrid>(orientation, QDate(2010, 1, 1), QDate(2010, 1, 31));
            checkAmounts(*quiet, daysOf(2010, 1));
            const CXCellID last = quiet->CellOf(quiet->BalanceLine(), quiet->TotalPosition());
            QCOMPARE(quiet->GetCellText(last.row, last.col), u"248,200"_s);
            // Hiding zeros leaves the sides' subtotals, difference and balance at any level.
            quiet->SetExpandLevel(3);
            QCOMPARE(quiet->DeepestLevel(), 2);
            QCOMPARE(shownLines(*quiet).size(), 7);
            quiet->SetHideZero(1);
            QCOMPARE(shownLines(*quiet), (QStringList{u"収入"_s, u"支出"_s, u"差額"_s, u"残高"_s}));
        }
        // Level 3 on a two-level tree is level 2.
        auto two = build<CMonthGrid>(CSummaryGrid::Vertical, QDate(2010, 1, 1), QDate(2010, 1, 31));
        two->SetExpandLevel(2);
        const QStringList atTwo = shownLines(*two);
        two->SetExpandLevel(0);
        two->SetExpandLevel(3);
        QCOMPARE(shownLines(*two), atTwo);
    }

    void aHundredYearsAtMost()
    {
        m_fare = account(m_expense, u"交通費"_s);
        for (int y = 1900; y < 2050; y += 7) book(QDate(y, 6, 1), m_fare, y);
        book(QDate(2049, 6, 1), m_fare, 99);
        auto years = std::make_unique<CYearsGrid>(CSummaryGrid::Horizontal);
        QVERIFY(years->CreateAndBuild(f.Doc(), QDate(), QDate(), f.Doc().AccountItems()));
        QCOMPARE(years->Periods().size(), 100);
        QCOMPARE(years->Periods().last().label, u"1999年"_s);
        QCOMPARE(years->FirstEntry(), QDate(1900, 6, 1));
        QCOMPARE(years->LastEntry(), QDate(2049, 6, 1));
        QList<Period> shown;
        for (int y = 1900; y < 2000; ++y) shown.append({QDate(y, 1, 1), QDate(y, 12, 31)});
        checkAmounts(*years, shown);

        // Without entries: only the carry-over and total lines.
        QVERIFY(f.NewLedger());
        auto none = std::make_unique<CYearsGrid>(CSummaryGrid::Horizontal);
        QVERIFY(none->CreateAndBuild(f.Doc(), QDate(), QDate(), f.Doc().AccountItems()));
        QCOMPARE(none->Periods().size(), 0);
        QCOMPARE(none->GetRowCount(), CSummaryGrid::CarryPosition + 2);
    }

    void movingSaysWhatChanged()
    {
        m_salary = account(m_income, u"給与"_s);
        m_food = account(m_expense, u"食費"_s);
        m_groceries = account(m_food, u"食料品"_s);
        m_eatOut = account(m_food, u"外食"_s);
        book(QDate(2009, 12, 31), m_salary, 5000);
        book(QDate(2010, 1, 2), m_eatOut, 1200);
        auto g = build<CMonthGrid>(CSummaryGrid::Horizontal, QDate(2010, 1, 1), QDate(2010, 1, 31));
        g->SetExpandLevel(2);
        g->SetReadHeaders(1);
        g->EnableSpeech(1);
        g->resize(900, 500);
        g->show();
        f.ClearHeard();
        const int day2 = g->FirstPeriodPosition() + 1;
        g->SetCurrentCell(day2, g->LineOfAccount(m_groceries));
        QTest::keyClick(g.get(), Qt::Key_Right);   // along the accounts: only what changed
        QTest::keyClick(g.get(), Qt::Key_Right);   // the food subtotal
        QTest::keyClick(g.get(), Qt::Key_Down);    // along the days: the deepest label
        g->SetCurrentCell(day2, g->LineOfAccount(CSummaryGrid::BalanceAccount));
        const QString s(QChar(0x3000));
        QCOMPARE(f.Heard(), (QStringList{u" 1月 2日"_s + s + u"土"_s + s + u"支出"_s + s + u"食費"_s + s + u"食料品"_s + s + u"0"_s,
                                         u" 1月 2日"_s + s + u"土"_s + s + u"外食"_s + s + u"1,200"_s,
                                         u" 1月 2日"_s + s + u"土"_s + s + u"合計"_s + s + u"1,200"_s,
                                         u" 1月 3日"_s + s + u"日"_s + s + u"合計"_s + s + u"0"_s,
                                         u" 1月 2日"_s + s + u"土"_s + s + u"残高"_s + s + u"3,800"_s}));

        // Up and down in the first column read the row, zero cells left out
        // but the balance always; the carry-over row gives only its balance.
        f.ClearHeard();
        g->SetCurrentCell(day2 + 1, g->FirstShownLine());
        QTest::keyClick(g.get(), Qt::Key_Up);
        QTest::keyClick(g.get(), Qt::Key_Up);
        QTest::keyClick(g.get(), Qt::Key_Up);
        QCOMPARE(f.Heard().mid(1), (QStringList{u" 1月 2日 土 支出 食費 外食 1,200 合計 1,200 合計 1,200 差額 -1,200 残高 3,800"_s,
                                                u" 1月 1日 金 残高 5,000"_s, u"繰越 5,000"_s}));

        // Data only: the bare text, "空白" for an empty cell.
        f.ClearHeard();
        g->SetReadHeaders(0);
        QTest::keyClick(g.get(), Qt::Key_Right);
        g->SetReadHeaders(1);
        QTest::keyClick(g.get(), Qt::Key_Right);
        QCOMPARE(f.Heard(), (QStringList{u"空白"_s, u"繰越"_s + s + u"支出"_s + s + u"食費"_s + s + u"食料品"_s + s + u"空白"_s}));
    }

    void widthsAreKeptPerTableAndLayout()
    {
        CKinzoIniFile& ini = f.App().m_iniFile;
        ini.ClearListFormats();
        {
            auto h = build<CYearGrid>(CSummaryGrid::Horizontal, QDate(2010, 1, 1), QDate(2010, 12, 31));
            QCOMPARE(h->GetColumnWidth(0), 80);
            QCOMPARE(h->GetColumnWidth(1), 40);
            QCOMPARE(h->GetColumnWidth(h->DifferenceLine()), 80);
            h->SetColumnWidth(0, 120);
            h->OnColumnResized(0);
        }
        QList<int> stored;
        ini.ReadListFormat(ListFormatGrid::SummaryHorz, 0, stored);
        QCOMPARE(stored, (QList<int>{120, 0, 0, 0}));
        auto again = build<CMonthGrid>(CSummaryGrid::Horizontal, QDate(2010, 1, 1), QDate(2010, 1, 31));
        QCOMPARE(again->GetColumnWidth(0), 120);
        again->ResetColumnWidths();
        QCOMPARE(again->GetColumnWidth(0), 80);

        auto v = build<CMonthGrid>(CSummaryGrid::Vertical, QDate(2010, 2, 1), QDate(2010, 2, 28));
        QCOMPARE(v->GetColumnWidth(0), 90);
        QCOMPARE(v->GetColumnWidth(v->TotalPosition()), 70);
        v->ResetColumnWidths();
        QCOMPARE(v->GetColumnWidth(0), 50);
        QCOMPARE(v->GetColumnWidth(3), 90);
        QCOMPARE(v->GetColumnWidth(CSummaryGrid::CarryPosition), 70);
        QCOMPARE(v->GetColumnWidth(v->TotalPosition()), 80);
        v.reset();
        ini.ReadListFormat(ListFormatGrid::SummaryVert1, 0, stored);
        QCOMPARE(stored.value(0), 50);
        ini.ReadListFormat(ListFormatGrid::SummaryVert2, 0, stored);
        QVERIFY(stored.isEmpty());
    }

    void csvKeepsQuotesInLabels()
    {
        const int odd = account(m_expense, u"会費\"A\""_s);
        book(QDate(2010, 3, 5), odd, 300);
        auto h = build<CYearGrid>(CSummaryGrid::Horizontal, QDate(2010, 1, 1), QDate(2010, 12, 31));
        h->SetExpandLevel(1);
        const QString path = f.home.filePath(u"表.csv"_s);
        QVERIFY(h->WriteCsv(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QStringList lines = platform::cp932::decodeFile(file.readAll()).split(u"\r\n"_s);
        QCOMPARE(lines.size(), h->GetRowCount() + 1);
        QVERIFY2(lines[1].contains(u"\"会費\"\"A\"\"\""_s), qPrintable(lines[1]));
        QVERIFY(lines[h->FirstPeriodPosition() + 2].startsWith(u"\"2010年 3月\",\"\","_s));
        QVERIFY(lines[h->FirstPeriodPosition() + 2].contains(u"\"300\""_s));
    }
};

int main(int argc, char** argv)
{
    CKinzoApp app(argc, argv);
    TestSummaryTables test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_summary_tables.moc"
