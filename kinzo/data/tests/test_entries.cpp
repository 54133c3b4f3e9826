// Cash-book entries and the aggregates of the ledger views.

#include "LedgerFixture.h"

#include "kinzo/data/CTableCater.h"
#include "kinzo/data/CTableKinzo.h"
#include "kinzo/data/CViewKinzo.h"
#include "kinzo/data/FiscalYear.h"
#include "kinzo/data/SqlText.h"

#include <QRandomGenerator>
#include <QtTest>

#include <sqlite3.h>

#include <map>

using namespace Qt::StringLiterals;

class TestEntries : public QObject {
    Q_OBJECT

    LedgerFixture m_ledger;
    CTableKinzo m_entries;
    CViewKinzo m_view;
    _AccountItem m_salary, m_food, m_rent;
    int m_startMonth = 1;

    _KinzoEntry add(const QDate& date, const _AccountItem& item, qint64 amount, const QString& note = QString())
    {
        _KinzoEntry entry{0, date, item.ID, amount, 0, 0, note};
        const DbStatus status = m_entries.AddEntry(entry);
        if (status != DbStatus::Ok) qWarning() << m_entries.m_lastError;
        return entry;
    }

    // The carry-over as the plain aggregate over every entry computes it.
    qint64 plainCarryOver(const QDate& day)
    {
        qint64 carry = 0;
        for (int side = 1; side <= 2; ++side) {
            ValueMapList rows;
            m_view.SelectSql(u"SELECT SUM(金額) AS 合計 FROM View_出納簿 WHERE 日付<#%1# AND 仕分けID=%2"_s.arg(
                                 DateToSql(day), QString::number(side)),
                             rows);
            carry += (side == 1 ? 1 : -1) * rows.value(0).value(u"合計"_s).toLongLong();
        }
        return carry;
    }

    // Carry-over at some days and fiscal-year totals (all years, and a
    // stretch of whole months) against sums over the kept entries.
    void compareTotals(const std::map<int, _KinzoEntry>& kept, const QList<_AccountItem>& items, QRandomGenerator& random)
    {
        QMap<int, int> sideOf;
        for (const _AccountItem& item : items) sideOf[item.ID] = item.side;
        for (int i = 0; i < 12; ++i) {
            const QDate day = QDate(2011, 12, 1).addDays(random.bounded(5 * 366 + 60));
            qint64 expected = 0, carry = 0;
            for (const auto& [id, entry] : kept)
                if (entry.date < day) expected += sideOf.value(entry.itemId) == 1 ? entry.amount : -entry.amount;
            QCOMPARE(m_view.GetCarryOver(day, carry), DbStatus::Ok);
            QCOMPARE(carry, expected);
        }
        // The years the file keeps totals for, kept up by every edit since the
        // last look, and then others, which the file is re-keyed to.
        for (const int startMonth : {m_startMonth, 1 + random.bounded(12)})
            compareFiscalYears(kept, startMonth, random);
    }

    void compareFiscalYears(const std::map<int, _KinzoEntry>& kept, int startMonth, QRandomGenerator& random)
    {
        m_startMonth = startMonth;
        const QDate first = QDate(2012, 1 + random.bounded(12), 1), last = first.addMonths(random.bounded(1, 40)).addDays(-1);
        const int year = 2011 + random.bounded(5);
        const QDate yearStart = FiscalYearStart(year, startMonth), yearsEnd = FiscalYearEnd(year + random.bounded(3), startMonth);
        for (const auto& [from, to] : {std::pair{QDate(), QDate()}, std::pair{first, last}, std::pair{yearStart, yearsEnd},
                                       std::pair{yearStart, QDate()}, std::pair{QDate(), yearsEnd}}) {
            QMap<QString, std::pair<qint64, int>> sums;
            for (const auto& [id, entry] : kept) {
                if ((from.isValid() && entry.date < from) || (to.isValid() && entry.date > to)) continue;
                const int year = entry.date.year() - (entry.date.month() < startMonth ? 1 : 0);
                auto& [sum, count] = sums[u"%1/%2"_s.arg(year).arg(entry.itemId)];
                sum += entry.amount;
                ++count;
            }
            QStringList expected;
            for (auto it = sums.cbegin(); it != sums.cend(); ++it) expected << u"%1=%2"_s.arg(it.key()).arg(it->first);
            expected.sort();
            ValueMapList rows;
            QCOMPARE(m_view.FiscalYearTotals(from, to, startMonth, rows), DbStatus::Ok);
            QCOMPARE(totals(rows, u"年度"_s), expected);
        }
    }

    QStringList totals(const ValueMapList& rows, const QString& key)
    {
        QStringList list;
        for (const ValueMap& row : rows)
            list << u"%1/%2=%3"_s.arg(row.value(key), row.value(u"勘定科目ID"_s), row.value(u"合計"_s));
        list.sort();
        return list;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_ledger.Create());
        m_entries.m_pConnection = &m_ledger.connection;
        m_view.m_pConnection = &m_ledger.connection;
        m_salary = m_ledger.AddChild(m_ledger.income, u"給与"_s);
        m_food = m_ledger.AddChild(m_ledger.expense, u"食費"_s);
        m_rent = m_ledger.AddChild(m_ledger.expense, u"家賃"_s);
    }
    void cleanup() { m_ledger.connection.Close(); }

    void addAndUpdate()
    {
        _KinzoEntry bare = add(QDate(2010, 4, 1), m_food, 500);
        ValueMap row;
        QCOMPARE(m_entries.SelectById(bare.ID, row), DbStatus::Ok);
        QCOMPARE(row.keys(), (QStringList{u"ID"_s, u"日付"_s, u"勘定科目ID"_s, u"金額"_s}));
        QCOMPARE(row.value(u"日付"_s), u"2010-04-01"_s);

        const QString note = u"it's 50% off; DROP TABLE 出納簿 -- [a_b] \\ ＳＡＬＥ"_s;
        _KinzoEntry noted = add(QDate(2010, 4, 2), m_food, 700, note);
        _KinzoEntry read;
        QCOMPARE(m_entries.GetEntry(noted.ID, read), DbStatus::Ok);
        QCOMPARE(read.note, note);
        QList<_ViewEntry> found;
        QCOMPARE(m_view.SelectEntries(u"出納簿.備考 LIKE '%"_s + EscapeLike(u"50% off; DROP"_s) + u"%'"_s,
                                      u"日付"_s, found),
                 DbStatus::Ok);
        QCOMPARE(found.size(), 1);

        read.note.clear();
        read.amount = -20;
        QCOMPARE(m_entries.UpdateEntry(read), DbStatus::Ok);
        QCOMPARE(m_entries.SelectById(read.ID, row), DbStatus::Ok);
        QVERIFY(!row.contains(u"備考"_s));
        QCOMPARE(row.value(u"金額"_s), u"-20"_s);

        _KinzoEntry tooLarge{0, QDate(2010, 4, 3), m_food.ID, 2147483648LL, 0, 0, QString()};
        QCOMPARE(m_entries.AddEntry(tooLarge), DbStatus::InsertFailed);
        QCOMPARE(m_entries.GetEntry(9999, read), DbStatus::NotFound);
    }

    void viewKeepsEntriesWithoutCounterparty()
    {
        CTableCater caters;
        caters.m_pConnection = &m_ledger.connection;
        _CaterData shop{0, u"八百屋"_s, 1};
        QCOMPARE(caters.AddCater(shop), DbStatus::Ok);
        _KinzoEntry withShop{0, QDate(2010, 4, 1), m_food.ID, 300, shop.ID, 7, u"野菜"_s};
        QCOMPARE(m_entries.AddEntry(withShop), DbStatus::Ok);
        add(QDate(2010, 4, 1), m_food, 200);
        QList<_ViewEntry> entries;
        QCOMPARE(m_view.SelectRange(QDate(2010, 4, 1), QDate(2010, 4, 1), entries), DbStatus::Ok);
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].caterName, u"八百屋"_s);
        QCOMPARE(entries[0].mikuriId, 7);
        QCOMPARE(entries[0].note, u"野菜"_s);
        QCOMPARE(entries[0].side, 2);
        QCOMPARE(entries[0].itemName, u"食費"_s);
        QCOMPARE(entries[1].caterId, 0);
        _ViewEntry one;
        QCOMPARE(m_view.GetViewEntry(withShop.ID, one), DbStatus::Ok);
        QCOMPARE(one.amount, 300);
        QCOMPARE(m_view.GetViewEntry(999, one), DbStatus::NotFound);
    }

    void carryOver()
    {
        add(QDate(2010, 3, 31), m_salary, 300000);
        add(QDate(2010, 4, 1), m_food, 1200);
        add(QDate(2010, 4, 1), m_rent, 80000);
        _KinzoEntry moved = add(QDate(2010, 4, 15), m_food, 800);
        add(QDate(2010, 5, 25), m_salary, 300000);
        qint64 carry = -1;
        QCOMPARE(m_view.GetCarryOver(QDate(2010, 3, 31), carry), DbStatus::Ok);
        QCOMPARE(carry, 0);
        QCOMPARE(m_view.GetCarryOver(QDate(2010, 4, 15), carry), DbStatus::Ok);
        QCOMPARE(carry, 300000 - 81200);
        QCOMPARE(m_view.GetCarryOver(QDate(2010, 6, 1), carry), DbStatus::Ok);
        QCOMPARE(carry, 600000 - 82000);
        // Moving, changing and deleting entries keeps the month totals true.
        moved.date = QDate(2010, 2, 1);
        moved.amount = 5000;
        QCOMPARE(m_entries.UpdateEntry(moved), DbStatus::Ok);
        QCOMPARE(m_entries.MoveToItem(m_rent.ID, m_food.ID, m_ledger.accounts, true), DbStatus::Ok);
        QCOMPARE(m_entries.DeleteRange(QDate(2010, 5, 1), QDate(2010, 5, 31)), DbStatus::Ok);
        for (const QDate& day : {QDate(2010, 1, 1), QDate(2010, 2, 2), QDate(2010, 4, 1), QDate(2010, 4, 2),
                                 QDate(2011, 1, 1)}) {
            QCOMPARE(m_view.GetCarryOver(day, carry), DbStatus::Ok);
            QCOMPARE(carry, plainCarryOver(day));
        }
        QCOMPARE(carry, 300000 - 86200);
        _AccountItem gone;
        QCOMPARE(m_ledger.accounts.GetItem(m_rent.ID, gone), DbStatus::NotFound);
    }

    void sumsAreSixtyFourBit()
    {
        for (int i = 0; i < 3; ++i) add(QDate(2010, 4, 1), m_salary, 2000000000);
        add(QDate(2010, 4, 2), m_salary, 2000000000);
        ValueMapList rows;
        QCOMPARE(m_view.DayTotals(QDate(2010, 4, 1), QDate(2010, 4, 30), rows), DbStatus::Ok);
        QCOMPARE(rows[0].value(u"合計"_s), u"6000000000"_s);
        QCOMPARE(m_view.MonthTotals(QDate(2010, 4, 1), QDate(2010, 4, 30), rows), DbStatus::Ok);
        QCOMPARE(rows[0].value(u"合計"_s), u"8000000000"_s);
        qint64 carry = 0;
        QCOMPARE(m_view.GetCarryOver(QDate(2010, 5, 1), carry), DbStatus::Ok);
        QCOMPARE(carry, 8000000000LL);
    }

    void dayAndMonthTotals()
    {
        add(QDate(2010, 3, 31), m_food, 1);
        add(QDate(2010, 4, 1), m_food, 100);
        add(QDate(2010, 4, 1), m_food, 50);
        add(QDate(2010, 4, 1), m_rent, 7);
        add(QDate(2010, 6, 30), m_food, 20);
        add(QDate(2011, 3, 31), m_food, 3);
        add(QDate(2011, 4, 1), m_food, 9);
        ValueMapList rows;
        QCOMPARE(m_view.DayTotals(QDate(2010, 4, 1), QDate(2010, 6, 30), rows), DbStatus::Ok);
        const QString food = QString::number(m_food.ID), rent = QString::number(m_rent.ID);
        QCOMPARE(totals(rows, u"日付"_s), (QStringList{u"2010-04-01/%1=150"_s.arg(food), u"2010-04-01/%1=7"_s.arg(rent),
                                                      u"2010-06-30/%1=20"_s.arg(food)}));
        QCOMPARE(rows.last().value(u"日付"_s), u"2010-06-30"_s);
        const QStringList fiscalYear{u"2010/04/%1=150"_s.arg(food), u"2010/04/%1=7"_s.arg(rent),
                                     u"2010/06/%1=20"_s.arg(food), u"2011/03/%1=3"_s.arg(food)};
        QCOMPARE(m_view.MonthTotals(QDate(2010, 4, 1), QDate(2011, 3, 31), rows), DbStatus::Ok);
        QCOMPARE(totals(rows, u"年月"_s), fiscalYear);
        // Days inside months are read from the entries and agree.
        QCOMPARE(m_view.MonthTotals(QDate(2010, 4, 2), QDate(2011, 3, 30), rows), DbStatus::Ok);
        QCOMPARE(totals(rows, u"年月"_s), (QStringList{u"2010/06/%1=20"_s.arg(food)}));
    }

    void fiscalYearTotals()
    {
        add(QDate(2010, 3, 31), m_food, 1);
        add(QDate(2010, 4, 1), m_food, 10);
        add(QDate(2011, 3, 31), m_food, 100);
        add(QDate(2011, 4, 1), m_food, 1000);
        add(QDate(2011, 12, 31), m_salary, 5);
        const QString food = QString::number(m_food.ID), salary = QString::number(m_salary.ID);
        ValueMapList rows;
        QCOMPARE(m_view.FiscalYearTotals(QDate(), QDate(), 4, rows), DbStatus::Ok);
        QCOMPARE(totals(rows, u"年度"_s), (QStringList{u"2009/%1=1"_s.arg(food), u"2010/%1=110"_s.arg(food),
                                                       u"2011/%1=5"_s.arg(salary), u"2011/%1=1000"_s.arg(food)}));
        QCOMPARE(m_view.FiscalYearTotals(QDate(), QDate(), 1, rows), DbStatus::Ok);
        QCOMPARE(totals(rows, u"年度"_s), (QStringList{u"2010/%1=11"_s.arg(food), u"2011/%1=5"_s.arg(salary),
                                                       u"2011/%1=1100"_s.arg(food)}));
        QCOMPARE(m_view.FiscalYearTotals(QDate(2010, 4, 1), QDate(2011, 3, 31), 4, rows), DbStatus::Ok);
        QCOMPARE(totals(rows, u"年度"_s), (QStringList{u"2010/%1=110"_s.arg(food)}));
        QCOMPARE(m_view.FiscalYearTotals(QDate(2010, 4, 2), QDate(), 4, rows), DbStatus::Ok);
        QCOMPARE(totals(rows, u"年度"_s), (QStringList{u"2010/%1=100"_s.arg(food), u"2011/%1=5"_s.arg(salary),
                                                       u"2011/%1=1000"_s.arg(food)}));
        QCOMPARE(m_view.FiscalYearTotals(QDate(), QDate(2011, 3, 30), 4, rows), DbStatus::Ok);
        QCOMPARE(totals(rows, u"年度"_s), (QStringList{u"2009/%1=1"_s.arg(food), u"2010/%1=10"_s.arg(food)}));

        // The file keeps the years last asked for, readable by plain SQLite.
        const auto kept = [&] {
            QStringList found;
            sqlite3_stmt* stmt = nullptr;
            sqlite3_prepare_v2(m_ledger.connection.Handle(),
                               "SELECT (SELECT 開始月 FROM _年度開始) || ':' || 年度 || '/' || 勘定科目ID || '=' || 合計"
                               " FROM _年計 ORDER BY 1", -1, &stmt, nullptr);
            while (sqlite3_step(stmt) == SQLITE_ROW)
                found << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
            sqlite3_finalize(stmt);
            return found;
        };
        QStringList expected{u"4:2009/%1=1"_s.arg(food), u"4:2010/%1=110"_s.arg(food), u"4:2011/%1=1000"_s.arg(food),
                             u"4:2011/%1=5"_s.arg(salary)};
        expected.sort();
        QCOMPARE(kept(), expected);

        // A file that cannot be written answers other years all the same,
        // and keeps its own.
        m_ledger.connection.Close();
        QCOMPARE(m_ledger.connection.OpenUnchanged(m_ledger.path, CDBConnection::Access::ReadOnly), 1);
        QCOMPARE(m_view.FiscalYearTotals(QDate(), QDate(), 1, rows), DbStatus::Ok);
        QCOMPARE(totals(rows, u"年度"_s), (QStringList{u"2010/%1=11"_s.arg(food), u"2011/%1=5"_s.arg(salary),
                                                       u"2011/%1=1100"_s.arg(food)}));
        QCOMPARE(kept(), expected);
    }

    // Many random adds, changes, moves and deletes, range deletes and items
    // moved to the other side; the carry-over and the fiscal-year totals
    // always equal sums over the entries kept here, also after reopening a
    // file whose running totals or balances were damaged or removed.
    void totalsFollowRandomEdits()
    {
        sqlite3_exec(m_ledger.connection.Handle(), "PRAGMA synchronous = OFF", nullptr, nullptr, nullptr);
        QList<_AccountItem> items{m_salary, m_food, m_rent, m_ledger.AddChild(m_ledger.income, u"賞与"_s),
                                        m_ledger.AddChild(m_ledger.expense, u"光熱費"_s)};
        std::map<int, _KinzoEntry> kept;
        QRandomGenerator random(21);
        const auto anyDay = [&] { return QDate(2012, 1, 1).addDays(random.bounded(5 * 366)); };
        const auto anyKept = [&] { return std::next(kept.begin(), random.bounded(int(kept.size())))->second; };
        for (int op = 0; op < 3200; ++op) {
            const int kind = kept.size() < 20 ? 0 : random.bounded(10);
            if (kind < 5) {
                _KinzoEntry entry = add(anyDay(), items[random.bounded(items.size())], random.bounded(-500, 100000));
                kept[entry.ID] = entry;
            } else if (kind < 8) {
                _KinzoEntry entry = anyKept();
                if (kind == 5) entry.amount = random.bounded(0, 200000);
                if (kind == 6) entry.date = anyDay();
                if (kind == 7) entry.itemId = items[random.bounded(items.size())].ID;
                QCOMPARE(m_entries.UpdateEntry(entry), DbStatus::Ok);
                kept[entry.ID] = entry;
            } else if (kind == 8) {
                const int id = anyKept().ID;
                QCOMPARE(m_entries.DeleteById(id), DbStatus::Ok);
                kept.erase(id);
            } else if (op % 40 == 19) {
                const QDate first = anyDay(), last = first.addDays(random.bounded(40));
                QCOMPARE(m_entries.DeleteRange(first, last), DbStatus::Ok);
                std::erase_if(kept, [&](const auto& kv) { return kv.second.date >= first && kv.second.date <= last; });
            } else if (op % 40 == 29) {
                _AccountItem& item = items[random.bounded(items.size())];
                item.side = 3 - item.side;
                item.parentId = item.side == 1 ? m_ledger.income.ID : m_ledger.expense.ID;
                QCOMPARE(m_ledger.accounts.UpdateItem(item), DbStatus::Ok);
            } else if (op % 40 == 9) {
                const int from = items[random.bounded(items.size())].ID, to = items[random.bounded(items.size())].ID;
                QCOMPARE(m_entries.MoveToItem(from, to, m_ledger.accounts, false), DbStatus::Ok);
                for (auto& [id, entry] : kept)
                    if (entry.itemId == from) entry.itemId = to;
            }
            if (op % 200 == 199) compareTotals(kept, items, random);
        }
        compareTotals(kept, items, random);

        sqlite3* db = m_ledger.connection.Handle();
        QCOMPARE(sqlite3_exec(db, "UPDATE _累計 SET 合計 = 合計 + 7 WHERE 月初 > '2014-01-01'", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        QCOMPARE(m_ledger.connection.Open(m_ledger.path), 1);
        compareTotals(kept, items, random);
        db = m_ledger.connection.Handle();
        QCOMPARE(sqlite3_exec(db, "DROP TABLE _累計", nullptr, nullptr, nullptr), SQLITE_OK);
        QCOMPARE(m_ledger.connection.Open(m_ledger.path), 1);
        compareTotals(kept, items, random);
        for (const char* damage : {"UPDATE _日残高 SET 残高 = 残高 + 3 WHERE 日付 = (SELECT MAX(日付) FROM _日残高"
                                   " WHERE 日付 < '2014-06-01')",
                                   "UPDATE _月残高 SET 残高 = 残高 - 3 WHERE 月初 = '2013-05-01'",
                                   "DELETE FROM _日残高 WHERE 日付 LIKE '2015-02-%'", "DROP TABLE _月残高",
                                   "UPDATE _年計 SET 合計 = 合計 + 5 WHERE 年度 = 2013",
                                   "DELETE FROM _年計 WHERE 年度 = 2014",
                                   "UPDATE _年度開始 SET 開始月 = 開始月 % 12 + 1", "DROP TABLE _年計"}) {
            db = m_ledger.connection.Handle();
            QCOMPARE(sqlite3_exec(db, damage, nullptr, nullptr, nullptr), SQLITE_OK);
            QCOMPARE(m_ledger.connection.Open(m_ledger.path), 1);
            compareTotals(kept, items, random);
        }
    }

    void navigationAndRanges()
    {
        _KinzoEntry a = add(QDate(2010, 4, 1), m_rent, 1);
        _KinzoEntry b = add(QDate(2010, 4, 1), m_food, 2);
        _KinzoEntry c = add(QDate(2010, 4, 3), m_food, 3);
        _KinzoEntry d = add(QDate(2010, 4, 5), m_salary, 4);
        QDate found;
        QCOMPARE(m_view.NextDateWithData(QDate(2010, 4, 1), found), DbStatus::Ok);
        QCOMPARE(found, QDate(2010, 4, 3));
        QCOMPARE(m_view.NextDateWithData(QDate(2010, 4, 5), found), DbStatus::Ok);
        QVERIFY(!found.isValid());
        QCOMPARE(m_view.PrevDateWithData(QDate(2010, 4, 5), found), DbStatus::Ok);
        QCOMPARE(found, QDate(2010, 4, 3));
        QCOMPARE(m_view.PrevDateWithData(QDate(2010, 4, 1), found), DbStatus::Ok);
        QVERIFY(!found.isValid());

        QList<_ViewEntry> entries;
        QCOMPARE(m_view.SelectRange(QDate(2010, 4, 1), QDate(2010, 4, 3), entries), DbStatus::Ok);
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries[0].ID, a.ID);
        QCOMPARE(entries[1].ID, b.ID);
        AccountItemList tree;
        QCOMPARE(m_ledger.accounts.LoadTree(tree), DbStatus::Ok);
        QCOMPARE(m_view.SelectRange(QDate(2010, 4, 1), QDate(2010, 4, 30), tree.Find(m_ledger.expense.ID), entries),
                 DbStatus::Ok);
        QCOMPARE(entries.size(), 3);
        QCOMPARE(m_view.SelectRange(QDate(2010, 4, 1), QDate(2010, 4, 30), tree.Find(m_food.ID), entries), DbStatus::Ok);
        QCOMPARE(entries.size(), 2);
        QCOMPARE(m_view.SelectForItem(m_food.ID, QDate(2010, 4, 2), QDate(), entries), DbStatus::Ok);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].ID, c.ID);

        QDate first, last;
        qint64 count = 0;
        QCOMPARE(m_entries.GetDateRange(first, last, count), DbStatus::Ok);
        QCOMPARE(first, QDate(2010, 4, 1));
        QCOMPARE(last, QDate(2010, 4, 5));
        QCOMPARE(count, 4);
        QCOMPARE(m_entries.CountForItem(m_food.ID, count), DbStatus::Ok);
        QCOMPARE(count, 2);
        QCOMPARE(m_entries.DeleteOutsideRange(QDate(2010, 4, 3), QDate(2010, 4, 5)), DbStatus::Ok);
        QCOMPARE(m_entries.GetDateRange(first, last, count), DbStatus::Ok);
        QCOMPARE(count, 2);
        QCOMPARE(first, QDate(2010, 4, 3));
        Q_UNUSED(d);
        QCOMPARE(m_entries.DeleteAll(), DbStatus::Ok);
        QCOMPARE(m_entries.GetDateRange(first, last, count), DbStatus::Ok);
        QVERIFY(!first.isValid() && count == 0);
    }

    void mikuriSelection()
    {
        _KinzoEntry linked{0, QDate(2010, 4, 1), m_food.ID, 10, 0, 123, QString()};
        QCOMPARE(m_entries.AddEntry(linked), DbStatus::Ok);
        add(QDate(2010, 4, 1), m_food, 20);
        QList<_KinzoEntry> entries;
        QCOMPARE(m_entries.SelectForItemAndMikuri(m_food.ID, 123, entries), DbStatus::Ok);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].ID, linked.ID);
    }
};

QTEST_GUILESS_MAIN(TestEntries)
#include "test_entries.moc"
