// The month, year and years views on a ledger of 1,000,000 entries (or the
// count given) over ten years, with a household tree three levels deep: the
// build of each table through the main window's view command (the month view
// on the busiest month), and Control+Right in the year view from the key
// press to its announcement reaching the speech transcript. Beside each, the
// aggregate query the table reads, timed through the data layer and as the
// same statement written by hand on a bare connection to the file (prepared
// once, stepped on every run), and their ratio. Runs headless; prints the
// median and 90th percentile of each against the aim of 100 ms.

#include "HouseholdLedger.h"

#include "ScratchHome.h"
#include "kinzo/app/CKinzoApp.h"
#include "kinzo/app/CMainFrame.h"
#include "kinzo/app/KinzoCommands.h"
#include "kinzo/data/AmountText.h"
#include "kinzo/data/CDBConnection.h"
#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/CViewKinzo.h"
#include "kinzo/data/DateValue.h"
#include "kinzo/data/FiscalYear.h"
#include "kinzo/views/LedgerViews.h"
#include "kinzo/views/summary/CSummaryView.h"
#include "kolib/KoMessageBox.h"
#include "voice/CTranscriptReader.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

constexpr double aimMs = 100;

double elapsedMs(const QElapsedTimer& clock)
{
    return clock.nsecsElapsed() / 1e6;
}

struct Figures {
    double median = 0;
    double p90 = 0;
};

Figures figuresOf(std::vector<double> ms)
{
    std::sort(ms.begin(), ms.end());
    const size_t p90 = size_t(std::ceil(0.9 * double(ms.size()))) - 1;
    return {ms[ms.size() / 2], ms[std::min(p90, ms.size() - 1)]};
}

std::vector<double> timeRuns(int runs, const std::function<void(int)>& run)
{
    std::vector<double> ms;
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        run(i);
        ms.push_back(elapsedMs(clock));
    }
    return ms;
}

// One statement on the bare connection, prepared once; each run binds the
// days (when given) and steps through every row, reading each column.
class HandQuery {
public:
    HandQuery(sqlite3* db, const QByteArray& sql)
    {
        if (sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &m_stmt, nullptr) != SQLITE_OK) {
            std::fprintf(stderr, "hand query failed to prepare: %s\n", sqlite3_errmsg(db));
            std::exit(1);
        }
    }
    ~HandQuery() { sqlite3_finalize(m_stmt); }
    HandQuery(const HandQuery&) = delete;
    HandQuery& operator=(const HandQuery&) = delete;

    int Run(const QDate& first = QDate(), const QDate& last = QDate())
    {
        sqlite3_reset(m_stmt);
        if (first.isValid()) bind(1, first);
        if (last.isValid()) bind(2, last);
        int rows = 0;
        const int columns = sqlite3_column_count(m_stmt);
        while (sqlite3_step(m_stmt) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                if (sqlite3_column_type(m_stmt, c) == SQLITE_TEXT) m_sink += sqlite3_column_bytes(m_stmt, c);
                else m_sink += sqlite3_column_int64(m_stmt, c);
            }
            ++rows;
        }
        return rows;
    }

private:
    void bind(int index, const QDate& day)
    {
        const QByteArray text = FormatDateValue(day).toLatin1();
        sqlite3_bind_text(m_stmt, index, text.constData(), int(text.size()), SQLITE_TRANSIENT);
    }

    sqlite3_stmt* m_stmt = nullptr;
    qint64 m_sink = 0;
};

QByteArray scalarText(sqlite3* db, const char* sql)
{
    sqlite3_stmt* stmt = nullptr;
    QByteArray text;
    if (sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr) == SQLITE_OK && sqlite3_step(stmt) == SQLITE_ROW)
        text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0));
    sqlite3_finalize(stmt);
    return text;
}

// The fiscal-year totals from the running totals, as the years table reads
// them: per item, the total at each year's end less the one before its start.
QByteArray handFiscalYears(sqlite3* db, int startMonth)
{
    const QDate first = ParseDateValue(QString::fromLatin1(scalarText(db, "SELECT MIN(月初) FROM _月計")));
    const QDate last = ParseDateValue(QString::fromLatin1(scalarText(db, "SELECT MAX(月初) FROM _月計")));
    QStringList years;
    for (int year = FiscalYearOf(first, startMonth); year <= FiscalYearOf(last, startMonth); ++year) {
        const QDate start(year, startMonth, 1);
        years << u"(%1, '%2', '%3')"_s.arg(year).arg(FormatDateValue(start), FormatDateValue(start.addMonths(12)));
    }
    return (u"WITH RECURSIVE ids(id) AS (SELECT MIN(勘定科目ID) FROM _累計 UNION ALL"
            " SELECT (SELECT MIN(勘定科目ID) FROM _累計 WHERE 勘定科目ID > ids.id) FROM ids WHERE ids.id IS NOT NULL),"
            " years(年度, 開始, 終了) AS (VALUES %1)"
            " SELECT years.年度, ids.id, upto.合計 - coalesce((SELECT 合計 FROM _累計"
            " WHERE 勘定科目ID = ids.id AND 月初 < years.開始 ORDER BY 月初 DESC LIMIT 1), 0)"
            " FROM ids CROSS JOIN years CROSS JOIN _累計 AS upto ON upto.勘定科目ID = ids.id AND upto.月初 ="
            " (SELECT MAX(月初) FROM _累計 WHERE 勘定科目ID = ids.id AND 月初 < years.終了)"
            " WHERE upto.月初 >= years.開始"_s.arg(years.join(u", "_s)))
        .toUtf8();
}

QByteArray handPlainFiscalYears(int startMonth)
{
    return "SELECT CAST(substr(日付, 1, 4) AS INTEGER) - (CAST(substr(日付, 6, 2) AS INTEGER) < " +
           QByteArray::number(startMonth) + "), 勘定科目ID, SUM(金額) FROM 出納簿 GROUP BY 1, 2";
}

const QByteArray handMonthTotals = "SELECT substr(月初, 1, 4) || '/' || substr(月初, 6, 2), 勘定科目ID, SUM(合計)"
                                   " FROM _月計 WHERE 月初 BETWEEN ?1 AND ?2 GROUP BY 1, 2";
const QByteArray handDayTotals = "SELECT 日付, 勘定科目ID, SUM(金額) FROM 出納簿 WHERE 日付 >= ?1 AND 日付 <= ?2"
                                 " GROUP BY 日付, 勘定科目ID ORDER BY 日付";

// --- the ledger ---

bool makeLedger(CKinzoApp& app, const QString& path, int entries)
{
    if (!app.Document().OnNewDocument(path)) return false;
    app.Document().OnNewDocument(QString());
    app.m_connection.Close();
    CDBConnection connection;
    if (!connection.Open(path)) return false;
    CTableAccountItem accounts;
    accounts.m_pConnection = &connection;
    accounts.DeleteAll();   // the household tree brings its own roots
    const bench::Ledger ledger = bench::buildTree(accounts);
    bench::fillEntries(connection.Handle(), ledger, entries);
    return true;
}

// The ledger of this size, built once and kept with the build output; a copy
// of it in the scratch folder is what the run opens.
QString ledgerCopy(CKinzoApp& app, int entries, const QDir& scratch)
{
    const QDir cache(QStringLiteral(BENCH_LEDGER_CACHE));
    const QString kept = cache.filePath(u"household-%1.kzd"_s.arg(entries));
    if (!QFile::exists(kept)) {
        std::printf("building the ledger of %d entries (kept for later runs) ...\n", entries);
        std::fflush(stdout);
        const QString building = cache.filePath(u"household-%1.building.kzd"_s.arg(entries));
        QFile::remove(building);
        if (!makeLedger(app, building, entries) || !QFile::rename(building, kept)) return QString();
    }
    const QString copy = scratch.filePath(u"家計簿.kzd"_s);
    return QFile::copy(kept, copy) ? copy : QString();
}

void describeLedger(sqlite3* db, const QString& path, const QDate& busiest)
{
    const QByteArray entries = scalarText(db, "SELECT COUNT(*) FROM 出納簿");
    const QByteArray leaves = scalarText(db, "SELECT COUNT(*) FROM 勘定科目 AS a WHERE レベル > 0 AND NOT EXISTS"
                                             " (SELECT 1 FROM 勘定科目 AS b WHERE b.親科目ID = a.ID)");
    const QByteArray deepest = scalarText(db, "SELECT MAX(レベル) FROM 勘定科目");
    const QByteArray busiestCount = scalarText(
        db, ("SELECT COUNT(*) FROM 出納簿 WHERE substr(日付, 1, 7) = '" + FormatDateValue(busiest).left(7) + "'")
                .toUtf8()
                .constData());
    std::printf("ledger: %s entries, %s leaf items, levels below the roots: %s, %.0f MB\n", entries.constData(),
                leaves.constData(), deepest.constData(), QFileInfo(path).size() / 1e6);
    std::printf("busiest month: %s with %s entries\n", qPrintable(FormatDateValue(busiest).left(7)),
                busiestCount.constData());
}

QDate busiestMonth(sqlite3* db)
{
    const QByteArray month = scalarText(db, "SELECT substr(日付, 1, 7) FROM 出納簿 GROUP BY 1 ORDER BY COUNT(*) DESC, 1 LIMIT 1");
    return ParseDateValue(QString::fromLatin1(month + "-01"));
}

// --- the report ---

void printRow(const char* what, const std::vector<double>& ms)
{
    const Figures f = figuresOf(ms);
    std::printf("  %-38s median %7.2f ms   p90 %7.2f ms\n", what, f.median, f.p90);
}

void printQuery(const char* name, const std::vector<double>& inside, const std::vector<double>& hand)
{
    const double in = figuresOf(inside).median, bare = figuresOf(hand).median;
    std::printf("  %-38s median %7.2f ms   by hand on bare SQLite %7.2f ms   ratio %5.2f\n", name, in, bare,
                bare > 0 ? in / bare : 0.0);
}

bool printAim(const std::vector<double>& ms)
{
    const double p90 = figuresOf(ms).p90;
    std::printf("  aim under %.0f ms: %s\n", aimMs, p90 < aimMs ? "met" : "NOT met");
    return p90 < aimMs;
}

// The view command on the view already shown: a build from scratch with its
// announcement, then the events that paint it.
void timeBuilds(CMainFrame& frame, int command, int runs, std::vector<double>& built, std::vector<double>& shown)
{
    QElapsedTimer clock;
    for (int i = 0; i < runs; ++i) {
        clock.start();
        frame.RunCommand(command);
        built.push_back(elapsedMs(clock));
        QCoreApplication::processEvents();
        shown.push_back(elapsedMs(clock));
    }
}

struct Bench {
    CKinzoApp& app;
    CMainFrame& frame;
    sqlite3* bare;
    QString transcript;
    int runs;
    bool allMet = true;
    bool allAgree = true;

    // The table's closing balance against every entry up to its last day,
    // summed by hand: the figures are of a table that holds the ledger.
    void checkBalance(const CSummaryGrid& grid)
    {
        const CXCellID cell = grid.CellOf(grid.BalanceLine(), grid.TotalPosition());
        const qint64 shown = ParseAmount(grid.GetCellText(cell.row, cell.col));
        const QByteArray sql = "SELECT SUM(CASE 仕分けID WHEN 1 THEN 金額 WHEN 2 THEN -金額 ELSE 0 END) FROM 出納簿"
                               " INNER JOIN 勘定科目 ON 出納簿.勘定科目ID = 勘定科目.ID WHERE 日付 <= '" +
                               FormatDateValue(grid.EndDate()).toLatin1() + "'";
        const qint64 summed = scalarText(bare, sql.constData()).toLongLong();
        std::printf("  closing balance shown %lld, summed by hand %lld: %s\n", shown, summed,
                    shown == summed ? "agree" : "DIFFER");
        allAgree = allAgree && shown == summed;
    }

    bool showView(int command, int formId, const QDate& day)
    {
        app.m_currentDate = day;
        QElapsedTimer clock;
        clock.start();
        frame.RunCommand(command);
        QCoreApplication::processEvents();
        std::printf("  %-38s %7.2f ms\n", "first show (view made)", elapsedMs(clock));
        return frame.ActiveFormId() == formId;
    }

    void build(const char* title, int command, int formId, const QDate& day, const char* queryName,
               const std::function<void()>& inside, const std::function<void()>& hand)
    {
        std::printf("%s\n", title);
        if (!showView(command, formId, day)) {
            std::printf("  the view did not open\n");
            allMet = false;
            return;
        }
        const auto* view = dynamic_cast<CSummaryView*>(frame.ActiveView());
        std::printf("  table: %d account lines by %d periods\n", view->Grid().LineCount() - 2,
                    int(view->Grid().Periods().size()));
        std::vector<double> built, shown;
        timeBuilds(frame, command, runs, built, shown);
        printRow("built and announced", built);
        printRow("built, announced and painted", shown);
        printQuery(queryName, timeRuns(runs, [&](int) { inside(); }), timeRuns(runs, [&](int) { hand(); }));
        allMet = printAim(shown) && allMet;
        checkBalance(view->Grid());
    }

    QString lastHeard() const
    {
        const QStringList lines = CTranscriptReader::SpokenLines(transcript);
        return lines.isEmpty() ? QString() : lines.last();
    }

    // Control+Right from the first year of the ledger to its last, again and
    // again; each step timed from the key press to its announcement heard.
    void yearSteps(int startMonth)
    {
        std::printf("year view, Control+Right\n");
        const int firstYear = FiscalYearOf(bench::firstDay, startMonth);
        const int lastYear = FiscalYearOf(bench::lastDay, startMonth);
        if (!showView(CmdYearView, 139, FiscalYearStart(firstYear, startMonth).addDays(14))) {
            std::printf("  the view did not open\n");
            allMet = false;
            return;
        }
        auto* view = dynamic_cast<CSummaryView*>(frame.ActiveView());
        std::vector<double> heard, painted;
        QList<int> yearsReached;
        QElapsedTimer clock;
        for (int i = 0; i < runs; ++i) {
            if (FiscalYearOf(view->ViewDate(), startMonth) >= lastYear) {
                app.m_currentDate = FiscalYearStart(firstYear, startMonth).addDays(14);
                frame.RunCommand(CmdYearView);
            }
            const int target = FiscalYearOf(view->ViewDate(), startMonth) + 1;
            const QString expected = u"月表示 %1%2"_s.arg(target).arg(startMonth == 1 ? u"年"_s : u"年度"_s);
            clock.start();
            QTest::keyClick(&view->Grid(), Qt::Key_Right, Qt::ControlModifier);
            while (lastHeard() != expected && clock.elapsed() < 5000) QCoreApplication::processEvents();
            heard.push_back(elapsedMs(clock));
            QCoreApplication::processEvents();
            painted.push_back(elapsedMs(clock));
            if (lastHeard() != expected) {
                std::printf("  not heard: \"%s\" (last heard \"%s\")\n", qPrintable(expected), qPrintable(lastHeard()));
                allMet = false;
                return;
            }
            yearsReached << target;
        }
        std::printf("  %d steps over %d to %d\n", runs, firstYear + 1, lastYear);
        printRow("key to the announcement heard", heard);
        printRow("key to the new table painted", painted);
        CViewKinzo& data = app.Document().KinzoView();
        HandQuery monthTotals(bare, handMonthTotals);
        const auto yearOf = [&](int i) { return yearsReached[i % yearsReached.size()]; };
        printQuery("aggregate query (MonthTotals)", timeRuns(runs, [&](int i) {
                       ValueMapList rows;
                       data.MonthTotals(FiscalYearStart(yearOf(i), startMonth), FiscalYearEnd(yearOf(i), startMonth), rows);
                   }),
                   timeRuns(runs, [&](int i) {
                       monthTotals.Run(FiscalYearStart(yearOf(i), startMonth), FiscalYearEnd(yearOf(i), startMonth));
                   }));
        allMet = printAim(heard) && allMet;
        checkBalance(view->Grid());
    }
};

}  // namespace

int main(int argc, char** argv)
{
    QTemporaryDir home;
    const QString transcript = bench::UseScratchHome(home);
    CKinzoApp app(argc, argv);
    const int entries = argc > 1 ? std::atoi(argv[1]) : 1000000;
    const int runs = argc > 2 ? std::max(3, std::atoi(argv[2])) : 41;
    KoSetMessageAnswerer([](const KoMessage&) { return KoAnswer::Ok; });
    RegisterLedgerViews();
    app.m_splashMinimumMs = 0;

    QString reasons;
    app.InitialSetup(reasons);
    const QString book = ledgerCopy(app, entries, QDir(home.path()));
    if (book.isEmpty()) {
        std::fprintf(stderr, "could not build the ledger\n");
        return 1;
    }
    if (!app.InitInstance({book})) return 1;
    QCoreApplication::processEvents();
    CMainFrame& frame = *app.MainFrame();

    sqlite3* bare = nullptr;
    if (sqlite3_open_v2(book.toUtf8().constData(), &bare, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) return 1;
    const QDate busiest = busiestMonth(bare);
    describeLedger(bare, book, busiest);
    const int startMonth = std::clamp(app.m_settingInfo.m_startMonth, 1, 12);
    std::printf("%d runs each; fiscal years start in month %d\n\n", runs, startMonth);

    Bench bench{app, frame, bare, transcript, runs};
    CViewKinzo& data = app.Document().KinzoView();
    {
        HandQuery running(bare, handFiscalYears(bare, startMonth));
        HandQuery span(bare, "SELECT (SELECT MIN(月初) FROM _月計), (SELECT MAX(月初) FROM _月計)");
        bench.build("years view (年表示) build", CmdYearsView, 144, QDate(2020, 6, 15), "aggregate query (FiscalYearTotals)",
                    [&] {
                        ValueMapList rows;
                        data.FiscalYearTotals(QDate(), QDate(), startMonth, rows);
                    },
                    [&] {
                        span.Run();
                        running.Run();
                    });
        HandQuery plain(bare, handPlainFiscalYears(startMonth));
        std::printf("  (the same totals summed from every entry by hand: %.2f ms)\n",
                    figuresOf(timeRuns(3, [&](int) { plain.Run(); })).median);
    }
    {
        const int year = FiscalYearOf(QDate(2020, 6, 15), startMonth);
        const QDate first = FiscalYearStart(year, startMonth), last = FiscalYearEnd(year, startMonth);
        HandQuery monthTotals(bare, handMonthTotals);
        bench.build("year view (月表示) build", CmdYearView, 139, QDate(2020, 6, 15), "aggregate query (MonthTotals)",
                    [&] {
                        ValueMapList rows;
                        data.MonthTotals(first, last, rows);
                    },
                    [&] { monthTotals.Run(first, last); });
    }
    {
        const QDate first = busiest, last = busiest.addDays(busiest.daysInMonth() - 1);
        HandQuery dayTotals(bare, handDayTotals);
        bench.build("busiest month's month view (日表示) build", CmdMonthView, 138, busiest.addDays(14),
                    "aggregate query (DayTotals)",
                    [&] {
                        ValueMapList rows;
                        data.DayTotals(first, last, rows);
                    },
                    [&] { dayTotals.Run(first, last); });
    }
    bench.yearSteps(startMonth);
    sqlite3_close(bare);
    std::printf("\nall under %.0f ms at the 90th percentile: %s\n", aimMs, bench.allMet ? "yes" : "NO");
    return bench.allAgree ? 0 : 2;
}
