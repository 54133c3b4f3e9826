#include "kinzo/data/CViewKinzo.h"

#include "kinzo/data/DateValue.h"
#include "kinzo/data/FiscalYear.h"
#include "kinzo/data/SqlText.h"

#include <QSet>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

QString n(qint64 value)
{
    return QString::number(value);
}

// Every entry is in the stored query exactly once, so totals that need only the
// entries' own columns read the table and spare the engine the joins.
const QString entryTable = u"出納簿"_s;

// The days from first and up to last on the column, each end left open when
// invalid; empty when both are.
QString periodCondition(const QString& column, const QDate& first, const QDate& last)
{
    QStringList parts;
    if (first.isValid()) parts << column + u">="_s + DateLiteral(first);
    if (last.isValid()) parts << column + u"<="_s + DateLiteral(last);
    return parts.join(u" AND "_s);
}

QString whereOf(const QString& condition)
{
    return condition.isEmpty() ? QString() : u" WHERE "_s + condition;
}

bool isMonthEnd(const QDate& day)
{
    return day.day() == day.daysInMonth();
}

// Per side, the running totals of every item up to the month before `end`:
// one read per item.
QString runningBefore(const QDate& end)
{
    return u"SELECT 仕分けID, SUM(合計) AS 合計 FROM (SELECT 仕分けID, (SELECT 合計 FROM _累計 WHERE 勘定科目ID = 勘定科目.ID"
           " AND 月初 < %1 ORDER BY 月初 DESC LIMIT 1) AS 合計 FROM 勘定科目) GROUP BY 仕分けID"_s.arg(DateLiteral(end));
}

// Per side, the entries of first <= 日付 < end.
QString entriesBetween(const QDate& first, const QDate& end)
{
    return u"SELECT 仕分けID, SUM(金額) AS 合計 FROM 出納簿 INNER JOIN 勘定科目 ON 出納簿.勘定科目ID = 勘定科目.ID"
           " WHERE 日付 >= %1 AND 日付 < %2 GROUP BY 仕分けID"_s.arg(DateLiteral(first), DateLiteral(end));
}

qint64 incomeMinusExpense(const ValueMapList& rows)
{
    qint64 amount = 0;
    for (const ValueMap& row : rows) {
        const qint64 total = row.value(u"合計"_s).toLongLong();
        const int side = row.value(u"仕分けID"_s).toInt();
        amount += side == 1 ? total : side == 2 ? -total : 0;
    }
    return amount;
}

// Per fiscal year and item, the running total at the year's end less the one
// at its start (both clipped to first..last), where the item has a month with
// entries between (a running-total row exists only for such a month).
QString fiscalYearsFromRunning(const QDate& firstMonth, const QDate& lastMonth, const QDate& first,
                               const QDate& last, int startMonth)
{
    QStringList years;
    for (int year = FiscalYearOf(firstMonth, startMonth); year <= FiscalYearOf(lastMonth, startMonth); ++year) {
        QDate start(year, startMonth, 1), end = start.addMonths(12);
        if (first.isValid()) start = std::max(start, first);
        if (last.isValid()) end = std::min(end, last.addDays(1));
        if (start < end) years << u"(%1, %2, %3)"_s.arg(n(year), DateLiteral(start), DateLiteral(end));
    }
    if (years.isEmpty()) years << u"(0, #1900/01/01#, #1900/01/01#)"_s;
    // The items are walked one index step each, and CROSS JOIN keeps that
    // order, so every read below is a step into the running totals' key.
    return u"WITH RECURSIVE ids(id) AS (SELECT MIN(勘定科目ID) FROM _累計 UNION ALL"
           " SELECT (SELECT MIN(勘定科目ID) FROM _累計 WHERE 勘定科目ID > ids.id) FROM ids WHERE ids.id IS NOT NULL),"
           " years(年度, 開始, 終了) AS (VALUES %1)"
           " SELECT years.年度 AS 年度, ids.id AS 勘定科目ID, upto.合計 - coalesce((SELECT 合計 FROM _累計"
           " WHERE 勘定科目ID = ids.id AND 月初 < years.開始 ORDER BY 月初 DESC LIMIT 1), 0) AS 合計"
           " FROM ids CROSS JOIN years CROSS JOIN _累計 AS upto ON upto.勘定科目ID = ids.id AND upto.月初 ="
           " (SELECT MAX(月初) FROM _累計 WHERE 勘定科目ID = ids.id AND 月初 < years.終了)"
           " WHERE upto.月初 >= years.開始"_s.arg(years.join(u", "_s));
}

// Whether first..last covers whole fiscal years (each end open when
// invalid), with the first and last of them.
bool wholeFiscalYears(const QDate& first, const QDate& last, int startMonth, int& fromYear, int& toYear)
{
    fromYear = first.isValid() ? FiscalYearOf(first, startMonth) : 0;
    toYear = last.isValid() ? FiscalYearOf(last, startMonth) : 0;
    return (!first.isValid() || first == FiscalYearStart(fromYear, startMonth)) &&
           (!last.isValid() || last == FiscalYearEnd(toYear, startMonth));
}

// The kept fiscal-year totals of the years in the condition, read only when
// the file keeps them for years that begin in startMonth. The check is part of
// the statement, so another program re-keying them cannot come between.
QString keptFiscalYears(int startMonth, const QString& yearCondition)
{
    return u"SELECT 年度, 勘定科目ID, 合計 FROM _年計 WHERE coalesce((SELECT 開始月 FROM _年度開始), 1) = %1%2"
           " ORDER BY 年度, 勘定科目ID"_s.arg(n(startMonth),
                                           yearCondition.isEmpty() ? QString() : u" AND "_s + yearCondition);
}

}  // namespace

CViewKinzo::CViewKinzo()
    : CTableBase(u"View_出納簿"_s, {u"出納簿.ID"_s, u"金額"_s, u"日付"_s, u"勘定科目ID"_s, u"科目名称"_s, u"レベル"_s,
                                   u"親科目ID"_s, u"仕分けID"_s, u"取引先ID"_s, u"取引先名称"_s, u"ミクリID"_s,
                                   u"出納簿.備考"_s})
{
}

_ViewEntry CViewKinzo::ParseEntry(const ValueMap& row)
{
    _ViewEntry entry;
    entry.ID = row.value(u"出納簿.ID"_s).toInt();
    entry.amount = row.value(u"金額"_s).toLongLong();
    entry.date = ParseDateValue(row.value(u"日付"_s));
    entry.itemId = row.value(u"勘定科目ID"_s).toInt();
    entry.itemName = row.value(u"科目名称"_s);
    entry.level = row.value(u"レベル"_s).toInt();
    entry.parentId = row.value(u"親科目ID"_s).toInt();
    entry.side = row.value(u"仕分けID"_s).toInt();
    entry.caterId = row.value(u"取引先ID"_s).toInt();
    entry.caterName = row.value(u"取引先名称"_s);
    entry.mikuriId = row.value(u"ミクリID"_s).toInt();
    entry.note = row.value(u"出納簿.備考"_s);
    return entry;
}

// Whole months can be summed from the month totals instead of the entries.
bool CViewKinzo::UseMonthTotals(const QDate& first, const QDate& last)
{
    return (!first.isValid() || first.day() == 1) && (!last.isValid() || isMonthEnd(last)) && m_pConnection &&
           m_pConnection->HasMonthTotals();
}

DbStatus CViewKinzo::GetCarryOver(const QDate& day, qint64& amount)
{
    amount = 0;
    ValueMapList rows;
    DbStatus status = DbStatus::Ok;
    if (day.isValid() && m_pConnection && m_pConnection->HasBalances()) {
        // The balance at the end of the last month with entries before the
        // day's month, and the one of the last day before the day in its month.
        const QString monthStart = DateLiteral(QDate(day.year(), day.month(), 1));
        ValueMap row;
        status = ReadFirst(u"SELECT coalesce((SELECT 残高 FROM _月残高 WHERE 月初 < %1 ORDER BY 月初 DESC LIMIT 1), 0)"
                           " + coalesce((SELECT 残高 FROM _日残高 WHERE 日付 >= %1 AND 日付 < %2"
                           " ORDER BY 日付 DESC LIMIT 1), 0) AS 合計"_s.arg(monthStart, DateLiteral(day)),
                           row);
        amount = status == DbStatus::Ok ? row.value(u"合計"_s).toLongLong() : 0;
        return status;
    }
    if (day.isValid() && m_pConnection && m_pConnection->HasRunningTotals()) {
        // Whole months from the running totals, and the days between the day
        // and the nearer end of its month from the entries.
        const QDate monthStart(day.year(), day.month(), 1), nextMonth = monthStart.addMonths(1);
        const bool fromStart = monthStart.daysTo(day) <= day.daysTo(nextMonth);
        ValueMapList days;
        status = SelectSql(runningBefore(fromStart ? monthStart : nextMonth), rows);
        if (status == DbStatus::Ok)
            status = SelectSql(fromStart ? entriesBetween(monthStart, day) : entriesBetween(day, nextMonth), days);
        if (status != DbStatus::Ok) return status;
        amount = incomeMinusExpense(rows) + (fromStart ? 1 : -1) * incomeMinusExpense(days);
        return DbStatus::Ok;
    }
    if (day.isValid() && UseMonthTotals(QDate(), QDate())) {
        // Whole months before the day's month from the month totals, then the
        // days of its month before the day from the entries.
        const QDate monthStart(day.year(), day.month(), 1);
        ValueMapList days;
        status = SelectSql(u"SELECT 仕分けID, SUM(合計) AS 合計 FROM _月計 INNER JOIN 勘定科目"
                           " ON _月計.勘定科目ID = 勘定科目.ID WHERE 月初 < %1 GROUP BY 仕分けID"_s.arg(DateLiteral(monthStart)),
                           rows);
        if (status == DbStatus::Ok)
            status = SelectSql(u"SELECT 仕分けID, SUM(金額) AS 合計 FROM 出納簿 INNER JOIN 勘定科目"
                               " ON 出納簿.勘定科目ID = 勘定科目.ID WHERE 日付 >= %1 AND 日付 < %2"
                               " GROUP BY 仕分けID"_s.arg(DateLiteral(monthStart), DateLiteral(day)),
                               days);
        rows += days;
    } else {
        for (int side = 1; side <= 2 && status == DbStatus::Ok; ++side) {
            ValueMapList sideRows;
            status = SelectSql(u"SELECT SUM(金額) AS 合計 FROM %1 WHERE 日付<%2 AND 仕分けID=%3"_s.arg(
                                   m_tableName, DateLiteral(day), n(side)),
                               sideRows);
            for (ValueMap& row : sideRows) row.insert(u"仕分けID"_s, n(side));
            rows += sideRows;
        }
    }
    if (status != DbStatus::Ok) return status;
    amount = incomeMinusExpense(rows);
    return DbStatus::Ok;
}

DbStatus CViewKinzo::SelectEntries(const QString& whereClause, const QString& orderClause, QList<_ViewEntry>& entries)
{
    entries.clear();
    ValueMapList rows;
    const DbStatus status = Select(whereClause, orderClause, rows);
    entries.reserve(rows.size());
    for (const ValueMap& row : rows) entries.append(ParseEntry(row));
    return status;
}

DbStatus CViewKinzo::SelectForItem(int itemId, const QDate& first, const QDate& last, QList<_ViewEntry>& entries)
{
    QString where = u"勘定科目ID="_s + n(itemId);
    if (const QString period = periodCondition(u"日付"_s, first, last); !period.isEmpty()) where += u" AND "_s + period;
    return SelectEntries(where, u"日付, 勘定科目ID"_s, entries);
}

DbStatus CViewKinzo::NextDateWithData(const QDate& day, QDate& found)
{
    ValueMap row;
    const DbStatus status = ReadFirst(
        u"SELECT TOP 1 日付 FROM %1 WHERE 日付>%2 ORDER BY 日付 ASC"_s.arg(entryTable, DateLiteral(day)), row);
    found = ParseDateValue(row.value(u"日付"_s));
    return status;
}

DbStatus CViewKinzo::PrevDateWithData(const QDate& day, QDate& found)
{
    ValueMap row;
    const DbStatus status = ReadFirst(
        u"SELECT TOP 1 日付 FROM %1 WHERE 日付<%2 ORDER BY 日付 DESC"_s.arg(entryTable, DateLiteral(day)), row);
    found = ParseDateValue(row.value(u"日付"_s));
    return status;
}

DbStatus CViewKinzo::MonthTotals(const QDate& first, const QDate& last, ValueMapList& rows)
{
    if (UseMonthTotals(first, last) && first.isValid() && last.isValid())
        return SelectSql(u"SELECT Format([月初],'yyyy/mm') AS 年月, 勘定科目ID, SUM(合計) AS 合計 FROM _月計"
                         " WHERE 月初 BETWEEN %1 AND %2 GROUP BY Format([月初],'yyyy/mm'), 勘定科目ID"_s.arg(
                             DateLiteral(first), DateLiteral(last)),
                         rows);
    return SelectSql(u"SELECT Format([日付],'yyyy/mm') AS 年月, 勘定科目ID, SUM(金額) AS 合計 FROM %1%2"
                     " GROUP BY Format([日付],'yyyy/mm'), 勘定科目ID"_s.arg(
                         entryTable, whereOf(periodCondition(u"日付"_s, first, last))),
                     rows);
}

DbStatus CViewKinzo::DayTotals(const QDate& first, const QDate& last, ValueMapList& rows)
{
    return SelectSql(u"SELECT 日付, 勘定科目ID, SUM(金額) AS 合計 FROM %1%2 GROUP BY 日付, 勘定科目ID ORDER BY 日付"_s.arg(
                         entryTable, whereOf(periodCondition(u"日付"_s, first, last))),
                     rows);
}

bool CViewKinzo::KeptFiscalYearTotals(const QDate& first, const QDate& last, int startMonth, ValueMapList& rows,
                                      DbStatus& status)
{
    status = DbStatus::Ok;
    int fromYear = 0, toYear = 0;
    if (!m_pConnection || !m_pConnection->HasFiscalYearTotals() ||
        !wholeFiscalYears(first, last, startMonth, fromYear, toYear))
        return false;
    QStringList years;
    if (first.isValid()) years << u"年度 >= "_s + n(fromYear);
    if (last.isValid()) years << u"年度 <= "_s + n(toYear);
    const QString sql = keptFiscalYears(startMonth, years.join(u" AND "_s));
    status = SelectSql(sql, rows);
    if (status != DbStatus::Ok || !rows.isEmpty()) return true;
    // Nothing read: no entries in those years, or the totals are kept for
    // years that begin in another month (the user's start month changed, or
    // another program keeps them for its own), and are re-keyed once.
    ValueMap kept;
    if (ReadFirst(u"SELECT coalesce((SELECT 開始月 FROM _年度開始), 1) AS 開始月"_s, kept) != DbStatus::Ok ||
        kept.value(u"開始月"_s).toInt() == startMonth || !m_pConnection->KeepFiscalYearsFrom(startMonth))
        return false;
    status = SelectSql(sql, rows);
    return status != DbStatus::Ok || !rows.isEmpty();
}

DbStatus CViewKinzo::FiscalYearTotals(const QDate& first, const QDate& last, int startMonth, ValueMapList& rows)
{
    if (DbStatus status; KeptFiscalYearTotals(first, last, startMonth, rows, status)) return status;
    const bool fromTotals = UseMonthTotals(first, last);
    if (fromTotals && m_pConnection->HasRunningTotals()) {
        ValueMap span;
        const DbStatus status =
            ReadFirst(u"SELECT (SELECT MIN(月初) FROM _月計) AS 最初, (SELECT MAX(月初) FROM _月計) AS 最後"_s, span);
        const QDate firstMonth = ParseDateValue(span.value(u"最初"_s)), lastMonth = ParseDateValue(span.value(u"最後"_s));
        if (status != DbStatus::Ok || !firstMonth.isValid()) {
            rows.clear();
            return status;
        }
        return SelectSql(fiscalYearsFromRunning(firstMonth, lastMonth, first, last, startMonth), rows);
    }
    const QString day = fromTotals ? u"月初"_s : u"日付"_s;
    const QString fiscalYear = u"Year(DateAdd('m',-%1,[%2]))"_s.arg(n(startMonth - 1), day);
    QString sql = fromTotals ? u"SELECT %1 AS 年度, 勘定科目ID, SUM(合計) AS 合計 FROM _月計"_s.arg(fiscalYear)
                             : u"SELECT %1 AS 年度, 勘定科目ID, SUM(金額) AS 合計 FROM %2"_s.arg(fiscalYear, entryTable);
    if (first.isValid()) sql += u" WHERE %1 >= %2"_s.arg(day, DateLiteral(first));
    if (last.isValid()) sql += (first.isValid() ? u" AND"_s : u" WHERE"_s) + u" %1 <= %2"_s.arg(day, DateLiteral(last));
    sql += u" GROUP BY %1, 勘定科目ID"_s.arg(fiscalYear);
    return SelectSql(sql, rows);
}

DbStatus CViewKinzo::SelectRange(const QDate& first, const QDate& last, QList<_ViewEntry>& entries)
{
    return SelectEntries(periodCondition(u"日付"_s, first, last), u"日付, 出納簿.ID"_s, entries);
}

DbStatus CViewKinzo::SelectRange(const QDate& first, const QDate& last, const AccountItemNode* tree,
                                 QList<_ViewEntry>& entries)
{
    const DbStatus status = SelectRange(first, last, entries);
    QSet<int> ids;
    const auto collect = [&](const AccountItemNode* node, const auto& self) -> void {
        if (node->m_depth >= 0) ids.insert(node->m_data.ID);
        for (const AccountItemNode* child = node->m_firstChild; child; child = child->m_next) self(child, self);
    };
    if (tree) collect(tree, collect);
    entries.removeIf([&](const _ViewEntry& entry) { return !ids.contains(entry.itemId); });
    return status;
}

DbStatus CViewKinzo::GetViewEntry(int id, _ViewEntry& entry)
{
    QList<_ViewEntry> entries;
    const DbStatus status = SelectEntries(u"出納簿.ID = "_s + n(id), QString(), entries);
    if (status != DbStatus::Ok) return status;
    if (entries.isEmpty()) return DbStatus::NotFound;
    entry = entries.first();
    return DbStatus::Ok;
}
