// Builds household ledgers of the given sizes (default 10,000, 100,000 and
// 1,000,000 entries over ten years and about sixty leaf items) and times the
// ledger queries through the data layer and, in the same run, as the
// equivalent hand-written SQLite statements on the same file, prepared on
// each call as the layer does. Prints the median of each, the ratio
// layer/bare, the carry-over and fiscal-year totals against bare SQLite on the
// plain statements that sum every entry, and the peak memory of the process
// and the file's size.

#include "HouseholdLedger.h"

#include "kinzo/data/CTableAccountItem.h"
#include "kinzo/data/CTableKinzo.h"
#include "kinzo/data/CViewKinzo.h"
#include "kinzo/data/DateValue.h"
#include "kinzo/data/KinzoSchema.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <sqlite3.h>

#include <algorithm>
#include <functional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

QTextStream out(stdout);
using bench::firstDay;
using bench::lastDay;
using bench::Ledger;
using bench::buildTree;
using bench::fillEntries;
constexpr int repetitions = 21;

// --- the hand-written side ---

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr); }
    ~Statement() { sqlite3_finalize(stmt); }
    Statement& Bind(int i, const QDate& day)
    {
        const QByteArray text = FormatDateValue(day).toLatin1();
        sqlite3_bind_text(stmt, i, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    bool Step() { return sqlite3_step(stmt) == SQLITE_ROW; }
    qint64 Int(int i) const { return sqlite3_column_int64(stmt, i); }
    QString Text(int i) const
    {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)), sqlite3_column_bytes(stmt, i));
    }
};

struct Total {
    QString key;
    int itemId;
    qint64 total;
};

std::vector<Total> bareTotals(sqlite3* db, const char* sql, const QDate& first, const QDate& last)
{
    Statement s(db, sql);
    if (first.isValid()) s.Bind(1, first).Bind(2, last);
    std::vector<Total> rows;
    while (s.Step()) rows.push_back({s.Text(0), int(s.Int(1)), s.Int(2)});
    return rows;
}

// The balance at the end of the last month before the day's month, and the
// one of the last day before the day in its month.
qint64 bareCarryOver(sqlite3* db, const QDate& day)
{
    Statement s(db, "SELECT coalesce((SELECT 残高 FROM _月残高 WHERE 月初 < ?1 ORDER BY 月初 DESC LIMIT 1), 0)"
                    " + coalesce((SELECT 残高 FROM _日残高 WHERE 日付 >= ?1 AND 日付 < ?2 ORDER BY 日付 DESC LIMIT 1), 0)");
    s.Bind(1, QDate(day.year(), day.month(), 1)).Bind(2, day);
    return s.Step() ? s.Int(0) : 0;
}

// Per fiscal year (April) and item: the running total at the year's end less
// the one at its start.
void bareFiscalYears(sqlite3* db)
{
    Statement s(db, "SELECT 年度, 勘定科目ID, 合計 FROM _年計 WHERE (SELECT 開始月 FROM _年度開始) = 4"
                    " ORDER BY 年度, 勘定科目ID");
    std::vector<Total> rows;
    while (s.Step()) rows.push_back({s.Text(0), int(s.Int(1)), s.Int(2)});
}

qint64 plainCarryOver(sqlite3* db, const QDate& day)
{
    Statement s(db, "SELECT a.仕分けID, SUM(e.金額) FROM 出納簿 e JOIN 勘定科目 a ON a.ID = e.勘定科目ID"
                    " WHERE e.日付 < ? GROUP BY a.仕分けID");
    s.Bind(1, day);
    qint64 carry = 0;
    while (s.Step()) carry += (s.Int(0) == 1 ? 1 : -1) * s.Int(1);
    return carry;
}

QList<_ViewEntry> bareRange(sqlite3* db, const QDate& first, const QDate& last)
{
    Statement s(db, "SELECT e.ID, e.金額, e.日付, e.勘定科目ID, a.科目名称, a.レベル, a.親科目ID, a.仕分けID,"
                    " e.取引先ID, c.取引先名称, e.ミクリID, e.備考 FROM 出納簿 e"
                    " LEFT JOIN 勘定科目 a ON a.ID = e.勘定科目ID LEFT JOIN 取引先 c ON c.ID = e.取引先ID"
                    " WHERE e.日付 >= ? AND e.日付 <= ? ORDER BY e.日付, e.ID");
    s.Bind(1, first).Bind(2, last);
    QList<_ViewEntry> entries;
    while (s.Step())
        entries.append({int(s.Int(0)), s.Int(1), ParseDateValue(s.Text(2)), int(s.Int(3)), s.Text(4), int(s.Int(5)),
                        int(s.Int(6)), int(s.Int(7)), int(s.Int(8)), s.Text(9), int(s.Int(10)), s.Text(11)});
    return entries;
}

QDate bareNextDate(sqlite3* db, const QDate& day)
{
    Statement s(db, "SELECT 日付 FROM 出納簿 WHERE 日付 > ? ORDER BY 日付 LIMIT 1");
    s.Bind(1, day);
    return s.Step() ? ParseDateValue(s.Text(0)) : QDate();
}

// --- timing ---

double medianMs(std::vector<double> samples)
{
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

// Runs layer and bare alternately, each with the repetition's parameter.
void compare(int entries, const QString& name, int runs, const std::function<void(int)>& layer,
             const std::function<void(int)>& bare)
{
    std::vector<double> layerTimes, bareTimes;
    QElapsedTimer timer;
    for (int run = 0; run < runs; ++run) {
        timer.start();
        layer(run);
        layerTimes.push_back(timer.nsecsElapsed() / 1e6);
        timer.start();
        bare(run);
        bareTimes.push_back(timer.nsecsElapsed() / 1e6);
    }
    const double l = medianMs(layerTimes), b = medianMs(bareTimes);
    out << qSetFieldWidth(9) << entries << qSetFieldWidth(0) << "  " << name.leftJustified(34)
        << QString::number(l, 'f', 3).rightJustified(10) << QString::number(b, 'f', 3).rightJustified(10)
        << QString::number(l / b, 'f', 2).rightJustified(8) << "\n";
    out.flush();
}

double peakMegabytes()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:")) return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024;
    return 0;
}

void benchmark(int count, const QString& folder)
{
    const QString path = folder + u"/bench_%1.kzd"_s.arg(count);
    QString error;
    if (!kinzo_schema::CreateDataFile(path, kinzo_schema::FileKind::Ledger, error)) {
        out << "cannot create " << path << ": " << error << "\n";
        return;
    }
    CDBConnection connection;
    connection.Open(path);
    CTableAccountItem accounts;
    accounts.m_pConnection = &connection;
    const Ledger ledger = buildTree(accounts);
    QElapsedTimer build;
    build.start();
    fillEntries(connection.Handle(), ledger, count);
    out << "\n" << count << " entries, " << ledger.incomeLeaves.size() + ledger.expenseLeaves.size()
        << " leaf items, built in " << build.elapsed() / 1000.0 << " s\n";
    QElapsedTimer opening;
    opening.start();
    connection.Open(path);  // a fresh connection, as when the file is opened
    out << "  open with every kept total checked against the month totals: "
        << QString::number(opening.nsecsElapsed() / 1e6, 'f', 1) << " ms\n";
    out << "  entries  operation                            layer ms   bare ms  layer/bare\n";

    CViewKinzo view;
    view.m_pConnection = &connection;
    sqlite3* db = connection.Handle();
    const auto month = [](int run) { return QDate(2023, 1, 1).addMonths(run % 24); };
    const auto day = [](int run) { return QDate(2024, 1, 1).addDays(run * 17 % 360); };
    ValueMapList rows;
    QList<_ViewEntry> entries;
    QDate found;
    qint64 carry = 0;

    compare(count, u"DayTotals (one month)"_s, repetitions,
            [&](int r) { view.DayTotals(month(r), month(r).addMonths(1).addDays(-1), rows); },
            [&](int r) {
                bareTotals(db, "SELECT 日付, 勘定科目ID, SUM(金額) FROM 出納簿 WHERE 日付 BETWEEN ? AND ?"
                               " GROUP BY 日付, 勘定科目ID ORDER BY 日付",
                           month(r), month(r).addMonths(1).addDays(-1));
            });
    compare(count, u"MonthTotals (one month)"_s, repetitions,
            [&](int r) { view.MonthTotals(month(r), month(r).addMonths(1).addDays(-1), rows); },
            [&](int r) {
                bareTotals(db, "SELECT substr(月初, 1, 7), 勘定科目ID, SUM(合計) FROM _月計"
                               " WHERE 月初 BETWEEN ? AND ? GROUP BY 1, 2",
                           month(r), month(r).addMonths(1).addDays(-1));
            });
    // The kept fiscal years follow the user's start month: the first look
    // with another month re-keys them, once.
    QElapsedTimer rekey;
    rekey.start();
    view.FiscalYearTotals(QDate(), QDate(), 4, rows);
    out << qSetFieldWidth(9) << count << qSetFieldWidth(0) << "  "
        << u"FiscalYearTotals, re-keyed to April"_s.leftJustified(34)
        << QString::number(rekey.nsecsElapsed() / 1e6, 'f', 3).rightJustified(10) << "  (once, " << rows.size()
        << " rows)\n";
    compare(count, u"FiscalYearTotals (everything, April)"_s, repetitions,
            [&](int) { view.FiscalYearTotals(QDate(), QDate(), 4, rows); },
            [&](int) { bareFiscalYears(db); });
    compare(count, u"GetCarryOver (last day)"_s, repetitions, [&](int) { view.GetCarryOver(lastDay, carry); },
            [&](int) { bareCarryOver(db, lastDay); });
    const auto midMonth = [](int run) { return QDate(2024, 1 + run % 12, 16); };
    compare(count, u"GetCarryOver (16th, worst day)"_s, repetitions,
            [&](int r) { view.GetCarryOver(midMonth(r), carry); }, [&](int r) { bareCarryOver(db, midMonth(r)); });
    compare(count, u"SelectRange (one day)"_s, repetitions, [&](int r) { view.SelectRange(day(r), day(r), entries); },
            [&](int r) { bareRange(db, day(r), day(r)); });
    compare(count, u"NextDateWithData"_s, repetitions, [&](int r) { view.NextDateWithData(day(r), found); },
            [&](int r) { bareNextDate(db, day(r)); });
    // Against bare SQLite on the plain statements that sum every entry.
    compare(count, u"  GetCarryOver / plain statement"_s, 5, [&](int) { view.GetCarryOver(lastDay, carry); },
            [&](int) { plainCarryOver(db, lastDay); });
    compare(count, u"  FiscalYearTotals / plain statement"_s, 5,
            [&](int) { view.FiscalYearTotals(QDate(), QDate(), 4, rows); },
            [&](int) {
                bareTotals(db, "SELECT CAST(substr(日付, 1, 4) AS INTEGER) - (CAST(substr(日付, 6, 2) AS INTEGER) < 4),"
                               " 勘定科目ID, SUM(金額) FROM 出納簿 GROUP BY 1, 2",
                           QDate(), QDate());
            });
    const double queryPeak = peakMegabytes();

    CTableKinzo table;
    table.m_pConnection = &connection;
    Statement insert(db, "INSERT INTO 出納簿 (日付, 勘定科目ID, 金額, 備考) VALUES (?, ?, ?, ?)");
    compare(count, u"AddEntry (each of 10,000 calls)"_s, 10000,
            [&](int r) {
                _KinzoEntry entry{0, day(r), ledger.expenseLeaves[r % ledger.expenseLeaves.size()], 1000 + r, 0, 0,
                                  u"bench"_s};
                table.AddEntry(entry);
            },
            [&](int r) {
                sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
                insert.Bind(1, day(r));
                sqlite3_bind_int(insert.stmt, 2, ledger.expenseLeaves[r % ledger.expenseLeaves.size()]);
                sqlite3_bind_int64(insert.stmt, 3, 1000 + r);
                sqlite3_bind_text(insert.stmt, 4, "bench", -1, SQLITE_STATIC);
                sqlite3_step(insert.stmt);
                sqlite3_reset(insert.stmt);
                sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
                volatile qint64 id = sqlite3_last_insert_rowid(db);
                Q_UNUSED(id);
            });
    out << "  peak memory of the process: " << QString::number(queryPeak, 'f', 1) << " MB after the queries, "
        << QString::number(peakMegabytes(), 'f', 1) << " MB after the inserts; file "
        << QString::number(QFile(path).size() / 1048576.0, 'f', 1) << " MB\n";
    out.flush();
    connection.Close();
    QFile::remove(path);
}

}  // namespace

int main(int argc, char** argv)
{
    QList<int> sizes;
    for (int i = 1; i < argc; ++i) sizes << QByteArray(argv[i]).toInt();
    if (sizes.isEmpty()) sizes = {10000, 100000, 1000000};
    QTemporaryDir folder;
    out << "data store benchmark: median of " << repetitions
        << " runs (AddEntry: of 10,000 calls); bare = hand-written SQLite statements on the same file\n";
    for (int count : sizes) benchmark(count, folder.path());
    return 0;
}
