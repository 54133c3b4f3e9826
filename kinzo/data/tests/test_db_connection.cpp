// Opening data files good and bad, status codes and texts, transactions, the
// text helpers, and copying and dropping tables between files.

#include "LedgerFixture.h"

#include "kinzo/data/CTableCater.h"
#include "kinzo/data/CTableKinzo.h"
#include "kinzo/data/CTablePayment.h"
#include "kinzo/data/DateValue.h"
#include "kinzo/data/SqlText.h"

#include <QtTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

// A database made directly, holding only the given statements.
bool makeDatabase(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    const bool ok = sqlite3_open(path.toUtf8().constData(), &db) == SQLITE_OK &&
                    sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

}  // namespace

class TestDbConnection : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void statusTexts()
    {
        QCOMPARE(GetErrorMessage(DbStatus::Ok), u"正常終了"_s);
        QCOMPARE(GetErrorMessage(3), u"データベースに接続されていません。"_s);
        QCOMPARE(GetErrorMessage(10), u"該当レコードなし"_s);
        QCOMPARE(GetErrorMessage(16), u"CSVファイル削除失敗"_s);
        for (int code : {2, 8, 13, 15, 17, -1}) QVERIFY(GetErrorMessage(code).isEmpty());
    }

    void textHelpers()
    {
        QVERIFY(HasForbiddenChar(u"食費「外食」"_s));
        QVERIFY(HasForbiddenChar(u"A&B"_s));
        QVERIFY(HasForbiddenChar(u"１００％"_s));
        QVERIFY(!HasForbiddenChar(u"食費・外食（昼）"_s));
        QCOMPARE(EscapeQuote(u"it's 'x'"_s), u"it''s ''x''"_s);
        QCOMPARE(EscapeLike(u"50%_a'["_s), u"50[%][_]a''[[]"_s);
        QCOMPARE(DateToSql(QDate(2010, 4, 1)), u"2010/04/01"_s);
        QCOMPARE(DateToSql(QDateTime(QDate(2010, 4, 1), QTime(9, 5, 0)), true), u"2010/04/01 09:05:00"_s);
        QVERIFY(DateToSql(QDate()).isEmpty());
        QCOMPARE(MonthToSql(QDate(2010, 4, 30)), u"2010/04"_s);
        QCOMPARE(ParseDateValue(u"2010-04-01"_s), QDate(2010, 4, 1));
        QCOMPARE(ParseDateValue(u"2010/4/1 0:00:00"_s), QDate(2010, 4, 1));
        QVERIFY(!ParseDateValue(u"1899/12/31"_s).isValid());
        QVERIFY(!ParseDateValue(u"2010/02/30"_s).isValid());
        QCOMPARE(FormatDateValue(QDate(2024, 2, 29)), u"2024-02-29"_s);
        QCOMPARE(FormatDateValue(QDate(987, 1, 5)), u"0987-01-05"_s);   // stored text sorts as the days do
        QVERIFY(FormatDateValue(QDate()).isEmpty());
        QCOMPARE(ParseDateValue(FormatDateValue(QDate(2024, 2, 29))), QDate(2024, 2, 29));
    }

    void openRefusesWhatIsNoDataFile()
    {
        QTemporaryDir dir;
        CDBConnection connection;
        QCOMPARE(connection.Open(dir.filePath(u"missing.kzd"_s)), 0);
        QCOMPARE(connection.m_error, u"CDBConnection Open失敗"_s);
        QVERIFY(!QFile::exists(dir.filePath(u"missing.kzd"_s)));

        QFile text(dir.filePath(u"notes.kzd"_s));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write(QByteArray(4096, 'x'));
        text.close();
        QCOMPARE(connection.Open(text.fileName()), 0);
        QVERIFY2(connection.m_error.contains(u"not a database"_s), qPrintable(connection.m_error));
        QVERIFY(!connection.IsOpen());
    }

    void truncatedFileFailsWithItsCode()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        CTableKinzo entries;
        entries.m_pConnection = &ledger.connection;
        for (int i = 0; i < 400; ++i) {
            _KinzoEntry entry{0, QDate(2010, 4, 1).addDays(i), ledger.income.ID, 1000, 0, 0, QString(2000, u'x')};
            QCOMPARE(entries.AddEntry(entry), DbStatus::Ok);
        }
        ledger.connection.Close();
        QFile file(ledger.path);
        QVERIFY(file.resize(file.size() / 3));

        CDBConnection connection;
        ValueMapList rows;
        if (connection.Open(ledger.path) == 1) {
            entries.m_pConnection = &connection;
            QCOMPARE(entries.GetAllRecords(rows), DbStatus::FetchFailed);
        }
        const QString error = connection.IsOpen() ? entries.m_lastError : connection.m_error;
        QVERIFY2(error.contains(u"malformed"_s), qPrintable(error));
    }

    void lockedFileIsReported()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        ledger.connection.Close();
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(ledger.path.toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        CDBConnection connection;
        connection.SetBusyTimeout(50);
        QCOMPARE(connection.Open(ledger.path), 0);
        QVERIFY2(connection.m_error.contains(u"locked"_s), qPrintable(connection.m_error));
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QCOMPARE(connection.Open(ledger.path), 1);
    }

    void missingTableOrColumnFailsTheFirstOperation()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"old.kzd"_s);
        QVERIFY(makeDatabase(path, "CREATE TABLE 定期支払 (ID INTEGER PRIMARY KEY AUTOINCREMENT, 勘定科目ID INTEGER,"
                                   " 支払日 INTEGER, 自動アナウンス INTEGER);"
                                   "INSERT INTO 定期支払 (勘定科目ID, 支払日, 自動アナウンス) VALUES (5, 27, 1);"));
        CDBConnection connection;
        QCOMPARE(connection.Open(path), 1);
        CTableKinzo entries;
        entries.m_pConnection = &connection;
        qint64 count = -1;
        QCOMPARE(entries.Count(count), DbStatus::SelectFailed);
        QCOMPARE(entries.m_lastError, u"no such table: 出納簿"_s);

        CTablePayment payments(1);
        payments.m_pConnection = &connection;
        QList<_PaymentData> list;
        QCOMPARE(payments.GetAllPayments(list), DbStatus::SelectFailed);
        QCOMPARE(payments.m_lastError, u"no such column: 開始日"_s);
        payments.SetLayout(0);
        QCOMPARE(payments.GetAllPayments(list), DbStatus::Ok);
        QCOMPARE(list.size(), 1);
        QCOMPARE(list[0].payDay, 27);
    }

    void withoutConnectionEveryOperationSaysSo()
    {
        CTableCater caters;
        ValueMapList rows;
        QCOMPARE(caters.Select(QString(), QString(), rows), DbStatus::NotConnected);
        QCOMPARE(caters.m_lastError, u"データベースに接続されていません。"_s);
        QCOMPARE(caters.DeleteAll(), DbStatus::NotConnected);
        ValueMap row;
        QCOMPARE(caters.FetchNext(row), DbStatus::NoRecordset);
    }

    void baseOperations()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        CTableCater caters;
        caters.m_pConnection = &ledger.connection;
        for (const QString& name : {u"b"_s, u"a"_s, u"c"_s}) {
            _CaterData cater{0, name, 1};
            QCOMPARE(caters.AddCater(cater), DbStatus::Ok);
        }
        ValueMapList rows;
        QCOMPARE(caters.Select(QString(), QString(), rows), DbStatus::Ok);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(caters.Update(u"表示順序 = 7"_s, QString()), DbStatus::Ok);
        QCOMPARE(caters.Select(u"表示順序 = 7"_s, u"取引先名称 DESC"_s, rows), DbStatus::Ok);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[0].value(u"取引先名称"_s), u"c"_s);

        QCOMPARE(caters.OpenRecordset(), DbStatus::Ok);
        ValueMap row;
        QCOMPARE(caters.FetchNext(row), DbStatus::Ok);
        QCOMPARE(row.keys(), (QStringList{u"ID"_s, u"取引先名称"_s, u"表示順序"_s}));
        QCOMPARE(caters.FetchNext(row), DbStatus::Ok);
        QCOMPARE(caters.FetchNext(row), DbStatus::Ok);
        QCOMPARE(caters.FetchNext(row), DbStatus::EndOfRecords);
        QCOMPARE(caters.FetchNext(row), DbStatus::NoRecordset);

        QCOMPARE(caters.SelectById(999, row), DbStatus::Ok);
        QVERIFY(row.isEmpty());
        qint64 count = 0;
        QCOMPARE(caters.DeleteById(rows[0].value(u"ID"_s).toInt()), DbStatus::Ok);
        QCOMPARE(caters.Count(count), DbStatus::Ok);
        QCOMPARE(count, 2);
        QCOMPARE(caters.Delete(u"no_such_column = 1"_s), DbStatus::DeleteFailed);
        QCOMPARE(caters.ExecuteSql(u"UPDATE nowhere SET x = 1"_s), DbStatus::UpdateFailed);
        QCOMPARE(caters.SelectSql(u"SELECT FROM"_s, rows), DbStatus::SelectFailed);
        QVERIFY(!caters.m_lastError.isEmpty());
    }

    void failedStatementsLeaveNoTrace()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        CTableKinzo entries;
        entries.m_pConnection = &ledger.connection;
        _KinzoEntry entry{0, QDate(2010, 4, 1), ledger.income.ID, 500, 0, 0, QString()};
        QCOMPARE(entries.AddEntry(entry), DbStatus::Ok);
        // One row passes the 32-bit check, the other does not: neither changes.
        QCOMPARE(entries.AddEntry(entry), DbStatus::Ok);
        QCOMPARE(entries.Update(u"金額 = 金額 * 5000000"_s, u"ID = %1"_s.arg(entry.ID)), DbStatus::UpdateFailed);
        QCOMPARE(entries.Update(u"金額 = CASE WHEN ID = %1 THEN 1 ELSE 3000000000 END"_s.arg(entry.ID), QString()),
                 DbStatus::UpdateFailed);
        ValueMapList rows;
        QCOMPARE(entries.Select(QString(), QString(), rows), DbStatus::Ok);
        QCOMPARE(rows[0].value(u"金額"_s), u"500"_s);
        QCOMPARE(rows[1].value(u"金額"_s), u"500"_s);

        QString error;
        QVERIFY(ledger.connection.BeginTrans(error));
        QCOMPARE(entries.DeleteAll(), DbStatus::Ok);
        ledger.connection.RollbackTrans();
        qint64 count = 0;
        QCOMPARE(entries.Count(count), DbStatus::Ok);
        QCOMPARE(count, 2);
    }

    void copyAndDropTables()
    {
        LedgerFixture source;
        QVERIFY(source.Create(u"source.kzd"_s));
        const _AccountItem food = source.AddChild(source.expense, u"食費"_s);
        const _AccountItem spare = source.AddChild(source.expense, u"予備"_s);
        QCOMPARE(source.accounts.DeleteById(spare.ID), DbStatus::Ok);
        CTableKinzo entries;
        entries.m_pConnection = &source.connection;
        _KinzoEntry entry{0, QDate(2010, 4, 1), food.ID, 800, 0, 0, u"O'Brien"_s};
        QCOMPARE(entries.AddEntry(entry), DbStatus::Ok);

        const QString target = source.dir.filePath(u"target.kzd"_s);
        QVERIFY(QFile::copy(QStringLiteral(KINZO_TEMPLATE_DIR "/_kinzoTemplate_payment.kzd"), target));
        QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
        QString error;
        for (const QString& table : {u"勘定科目"_s, u"出納簿"_s, u"取引先"_s, u"分割支払"_s})
            QVERIFY2(CopyTable(table, target, source.path, &error) == 1, qPrintable(error));
        QCOMPARE(CopyTable(u"勘定科目"_s, target, source.path, &error), 0);  // exists already
        QVERIFY(error.contains(u"already exists"_s));

        CDBConnection copy;
        QCOMPARE(copy.Open(target), 1);
        QVERIFY(copy.HasMonthTotals());
        CTableAccountItem accounts;
        accounts.m_pConnection = &copy;
        _AccountItem added = _AccountItem::ChildOf(source.expense, u"交通費"_s);
        QCOMPARE(accounts.AddItem(added), DbStatus::Ok);
        QVERIFY2(added.ID > spare.ID, "the AutoNumber counter goes on from the source's");
        CViewKinzo view;
        view.m_pConnection = &copy;
        QList<_ViewEntry> copied;
        QCOMPARE(view.SelectRange(QDate(2010, 1, 1), QDate(2010, 12, 31), copied), DbStatus::Ok);
        QCOMPARE(copied.size(), 1);
        QCOMPARE(copied[0].note, u"O'Brien"_s);
        QCOMPARE(copied[0].itemName, u"食費"_s);
        qint64 carry = 0;
        QCOMPARE(view.GetCarryOver(QDate(2011, 1, 1), carry), DbStatus::Ok);
        QCOMPARE(carry, -800);

        copy.Close();
        QCOMPARE(DropTable(target, u"勘定科目"_s), 1);
        QCOMPARE(DropTable(target, u"勘定科目"_s, &error), 0);
        QVERIFY(error.contains(u"no such table"_s));
        QCOMPARE(CopyTable(u"勘定科目"_s, target, source.path), 1);
        QCOMPARE(CopyTable(u"勘定科目"_s, target, source.dir.filePath(u"nothere.kzd"_s), &error), 0);
        QVERIFY(!QFile::exists(source.dir.filePath(u"nothere.kzd"_s)));
    }

    void openingRestoresDerivedObjects()
    {
        LedgerFixture ledger;
        QVERIFY(ledger.Create());
        CTableKinzo entries;
        entries.m_pConnection = &ledger.connection;
        _KinzoEntry entry{0, QDate(2010, 4, 1), ledger.income.ID, 300, 0, 0, QString()};
        QCOMPARE(entries.AddEntry(entry), DbStatus::Ok);
        QString error;
        for (const QString& sql : {u"DROP TRIGGER 出納簿_月計_追加"_s, u"DROP INDEX 出納簿_日付"_s,
                                   u"DROP VIEW View_出納簿"_s, u"DELETE FROM _月計"_s})
            QVERIFY2(ledger.connection.Execute(sql, error), qPrintable(error));
        QVERIFY(!ledger.connection.HasMonthTotals());
        QVERIFY(ledger.connection.Open(ledger.path) == 1);
        QVERIFY(ledger.connection.HasMonthTotals());
        CViewKinzo view;
        view.m_pConnection = &ledger.connection;
        qint64 carry = 0;
        QCOMPARE(view.GetCarryOver(QDate(2010, 5, 1), carry), DbStatus::Ok);
        QCOMPARE(carry, 300);
    }
};

QTEST_GUILESS_MAIN(TestDbConnection)
#include "test_db_connection.moc"
