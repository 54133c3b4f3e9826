// Whole-file transfers of the document: all tables to CSV files and back,
// all or nothing, and the account table taken from another data file with
// its backup and restore.

#include "RecordingHost.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/DataFiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

const QStringList tables{u"勘定科目"_s, u"取引先"_s, u"定期支払"_s, u"分割支払"_s, u"出納簿"_s};
const QString awkward = u"a,b \"quoted\" it's 100% _x_ [y] \\ ; DROP TABLE 出納簿; --\r\nline two ＡＢＣ　全角 😀"_s;

void runSql(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    QVERIFY2(rc == SQLITE_OK, error);
    sqlite3_close(db);
}

void writeAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

using Snapshot = QMap<QString, ValueMapList>;

}  // namespace

class TestBulkTransfer : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingHost m_host;
    CDBConnection m_connection;

    Snapshot snapshot()
    {
        Snapshot rows;
        for (const QString& table : tables) {
            CTableBase wrapper(table, {});
            wrapper.m_pConnection = &m_connection;
            wrapper.SelectSql(u"SELECT * FROM %1 ORDER BY ID"_s.arg(table), rows[table]);
        }
        return rows;
    }

    // Every table with awkward text, NULLs, gaps in the keys, dates and flags.
    void fill(CKinzoDoc& doc)
    {
        const _AccountItem expense = doc.AccountItems().m_lastChild->m_data;
        _AccountItem food = _AccountItem::ChildOf(expense, u"食費'外食"_s);
        food.code = u"2.1."_s;
        food.useStart = food.useEnd = 1;
        food.start = QDate(2010, 4, 1);
        food.end = QDate(2011, 3, 31);
        food.note = awkward;
        QCOMPARE(doc.AccountTable().AddItem(food), DbStatus::Ok);
        _CaterData cater{0, u"O'Neil \"商店\""_s, 3};
        QCOMPARE(doc.CaterTable().AddCater(cater), DbStatus::Ok);
        for (int i = 0; i < 30; ++i) {
            _KinzoEntry entry{0, QDate(2010, 4, 1).addDays(i * 7), food.ID, i % 2 ? -2147483647 : 2147483647,
                              i % 3 ? cater.ID : 0, i % 5, i % 4 ? awkward : QString()};
            QCOMPARE(doc.KinzoTable().AddEntry(entry), DbStatus::Ok);
            if (i % 6 == 0) QCOMPARE(doc.KinzoTable().DeleteById(entry.ID), DbStatus::Ok);
        }
        _PaymentData payment{0, food.ID, 27, 1, QDate(2010, 1, 1), QDate(2010, 12, 31), 1, {1, 0, 1}, 2};
        QCOMPARE(doc.PaymentTable().AddPayment(payment), DbStatus::Ok);
        _LoanData loan{0, food.ID, 1000000, 30000, 6, 12, 50000, 10, QDate(2010, 4, 1), QDate(), 1, 970000, awkward};
        QCOMPARE(doc.LoanTable().AddLoan(loan), DbStatus::Ok);
    }

    // Changes every table, so that an import has something to undo.
    void change(CKinzoDoc& doc)
    {
        for (const QString& table : tables) QCOMPARE(doc.KinzoTable().ExecuteSql(u"DELETE FROM %1 WHERE ID > 2"_s.arg(table)), DbStatus::Ok);
        _CaterData other{0, u"別"_s, 1};
        QCOMPARE(doc.CaterTable().AddCater(other), DbStatus::Ok);
    }

    QString newLedger(const QString& name, CKinzoDoc& doc)
    {
        const QString path = m_dir.filePath(name);
        return doc.OnNewDocument(path) ? path : QString();
    }

private Q_SLOTS:
    void init()
    {
        m_host = RecordingHost();
        m_connection.Close();
    }

    void exportThenImportRestoresEveryTable()
    {
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(!newLedger(u"往復.kzd"_s, doc).isEmpty());
        fill(doc);
        const Snapshot before = snapshot();
        qint64 carryBefore = 0;
        QCOMPARE(doc.KinzoView().GetCarryOver(QDate(2012, 1, 1), carryBefore), DbStatus::Ok);
        const QString folder = m_dir.filePath(u"書き出し 先"_s);
        QVERIFY(doc.ExportAllCsv(folder));
        for (const QString& table : tables) QVERIFY(QFile::exists(folder + u"/"_s + table + u".csv"_s));
        QVERIFY(doc.ExportAllCsv(folder));  // an existing folder and files are taken over
        QCOMPARE(m_host.notices, QStringList());

        change(doc);
        QVERIFY(snapshot() != before);
        QSignalSpy tree(&doc, &CKinzoDoc::AccountTreeReloaded);
        QVERIFY(doc.ImportAllCsv(folder));
        QCOMPARE(m_host.notices, QStringList());
        const Snapshot after = snapshot();
        for (const QString& table : tables) QCOMPARE(after[table], before[table]);
        QCOMPARE(tree.size(), 1);
        QCOMPARE(doc.AccountItems().m_lastChild->m_firstChild->m_data.name, u"食費'外食"_s);
        // Totals follow the imported entries, and new keys go on after them.
        qint64 carry = 0;
        QCOMPARE(doc.KinzoView().GetCarryOver(QDate(2012, 1, 1), carry), DbStatus::Ok);
        QCOMPARE(carry, carryBefore);
        _KinzoEntry entry{0, QDate(2011, 1, 1), 3, 1, 0, 0, QString()};
        QCOMPARE(doc.KinzoTable().AddEntry(entry), DbStatus::Ok);
        QCOMPARE(entry.ID, 31);
    }

    void exportFailures()
    {
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(!newLedger(u"export.kzd"_s, doc).isEmpty());
        QVERIFY(!doc.ExportAllCsv(m_dir.filePath(u"no parent/csv"_s)));
        QCOMPARE(m_host.Take(), QStringList{u"フォルダ作成に失敗しました。"_s});
        const QString file = m_dir.filePath(u"a file"_s);
        writeAll(file, "x");
        QVERIFY(!doc.ExportAllCsv(file));
        QCOMPARE(m_host.Take(), QStringList{u"フォルダ作成に失敗しました。"_s});

        const QString folder = m_dir.filePath(u"protected"_s);
        QVERIFY(QDir().mkdir(folder));
        const QString caterFile = folder + u"/取引先.csv"_s;
        writeAll(caterFile, "old");
        QVERIFY(QFile::setPermissions(caterFile, QFile::ReadOwner));
        QVERIFY(!doc.ExportAllCsv(folder));
        QCOMPARE(m_host.Take(), QStringList{u"取引先のエクスポートに失敗しました。"_s});
        QVERIFY(QFile::exists(folder + u"/勘定科目.csv"_s));
        QVERIFY(!QFile::exists(folder + u"/定期支払.csv"_s));
        QCOMPARE(readAll(caterFile), QByteArray("old"));
    }

    void failedImportLeavesEveryTable_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QByteArray>("content");  // empty: the file is removed
        QTest::addColumn<bool>("remove");
        QTest::newRow("missing file") << u"定期支払"_s << QByteArray() << true;
        QTest::newRow("empty file") << u"取引先"_s << QByteArray() << false;
        QTest::newRow("binary") << u"出納簿"_s << QByteArray("\x00\xff\xfe\x01\x80\x81garbage\x00\r\n\x9f", 17) << false;
        QTest::newRow("unclosed quote") << u"分割支払"_s << QByteArray("\"ID\",\"勘定科目ID\r\n1,\"3") << false;
        QTest::newRow("lacks a column") << u"取引先"_s << QByteArray("\"ID\",\"取引先名称\"\r\n1,\"a\"\r\n") << false;
        QTest::newRow("extra column") << u"取引先"_s
                                      << QByteArray("\"ID\",\"取引先名称\",\"表示順序\",\"色\"\r\n1,\"a\",1,2\r\n") << false;
        QTest::newRow("truncated row") << u"取引先"_s << QByteArray("\"ID\",\"取引先名称\",\"表示順序\"\r\n1,\"a\",1\r\n2,\"b\"")
                                       << false;
        QTest::newRow("bad date") << u"出納簿"_s
                                  << QByteArray("\"ID\",\"日付\",\"勘定科目ID\",\"金額\",\"取引先ID\",\"ミクリID\",\"備考\"\r\n"
                                                "1,2010/02/30,3,100,,,\r\n")
                                  << false;
        QTest::newRow("bad number") << u"出納簿"_s
                                    << QByteArray("\"ID\",\"日付\",\"勘定科目ID\",\"金額\",\"取引先ID\",\"ミクリID\",\"備考\"\r\n"
                                                  "1,2010/02/03,3,12x,,,\r\n")
                                    << false;
        QTest::newRow("amount out of range") << u"出納簿"_s
                                             << QByteArray("\"ID\",\"日付\",\"勘定科目ID\",\"金額\",\"取引先ID\",\"ミクリID\",\"備考\"\r\n"
                                                           "1,2010/02/03,3,2147483648,,,\r\n")
                                             << false;
        QTest::newRow("bad flag") << u"勘定科目"_s
                                  << QByteArray("\"ID\",\"科目名称\",\"レベル\",\"子フラグ\",\"親科目ID\",\"仕分けID\",\"階層番号\","
                                                "\"有効開始日使用\",\"有効終了日使用\",\"有効開始日\",\"有効終了日\",\"表示幅\",\"印刷幅\",\"備考\"\r\n"
                                                "1,\"収入\",0,0,0,1,\"1.\",maybe,0,,,70,70,\r\n")
                                  << false;
        QTest::newRow("three roots") << u"勘定科目"_s
                                     << QByteArray("\"ID\",\"科目名称\",\"レベル\",\"子フラグ\",\"親科目ID\",\"仕分けID\",\"階層番号\","
                                                   "\"有効開始日使用\",\"有効終了日使用\",\"有効開始日\",\"有効終了日\",\"表示幅\",\"印刷幅\",\"備考\"\r\n"
                                                   "1,\"収入\",0,0,0,1,\"1.\",0,0,,,70,70,\r\n"
                                                   "2,\"支出\",0,0,0,2,\"2.\",0,0,,,70,70,\r\n"
                                                   "3,\"他\",0,0,0,2,\"3.\",0,0,,,70,70,\r\n")
                                     << false;
    }

    void failedImportLeavesEveryTable()
    {
        QFETCH(QString, table);
        QFETCH(QByteArray, content);
        QFETCH(bool, remove);
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(!newLedger(u"import.kzd"_s, doc).isEmpty());
        fill(doc);
        const QString folder = m_dir.filePath(u"入力"_s);
        QVERIFY(doc.ExportAllCsv(folder));
        change(doc);
        const Snapshot before = snapshot();
        const QString file = folder + u"/"_s + table + u".csv"_s;
        if (remove) QVERIFY(QFile::remove(file));
        else writeAll(file, content);
        QVERIFY(!doc.ImportAllCsv(folder));
        QCOMPARE(m_host.notices, QStringList{u"%1のインポートに失敗しました。"_s.arg(table)});
        const Snapshot after = snapshot();
        for (const QString& name : tables) QCOMPARE(after[name], before[name]);
        // The connection is usable, with no transaction left open.
        _CaterData cater{0, u"後"_s, 1};
        QCOMPARE(doc.CaterTable().AddCater(cater), DbStatus::Ok);
    }

    void accountTableImport()
    {
        CDBConnection sourceConnection;
        RecordingHost sourceHost;
        CKinzoDoc source(sourceConnection, sourceHost);
        const QString sourcePath = newLedger(u"科目 元.kzd"_s, source);
        QVERIFY(!sourcePath.isEmpty());
        fill(source);
        const ValueMapList sourceItems = [&] {
            ValueMapList rows;
            source.AccountTable().SelectSql(u"SELECT * FROM 勘定科目 ORDER BY ID"_s, rows);
            return rows;
        }();
        sourceConnection.Close();

        CKinzoDoc doc(m_connection, m_host);
        const QString path = newLedger(u"科目 先.kzd"_s, doc);
        QVERIFY(doc.ImportAccountTable(sourcePath));
        QCOMPARE(m_host.Take(), QStringList{u"科目テーブルがインポートされました。"_s});
        QVERIFY(doc.IsOpen());
        QCOMPARE(doc.PathName(), path);
        QCOMPARE(snapshot()[u"勘定科目"_s], sourceItems);
        QCOMPARE(doc.AccountItems().m_lastChild->m_firstChild->m_data.name, u"食費'外食"_s);
        QVERIFY(QFile::exists(BackupPathOf(path)));
        _AccountItem added = _AccountItem::ChildOf(doc.AccountItems().m_firstChild->m_data, u"給与"_s);
        QCOMPARE(doc.AccountTable().AddItem(added), DbStatus::Ok);
        QCOMPARE(added.ID, 4);
        // The view over entries works with the new table.
        QList<_ViewEntry> entries;
        QCOMPARE(doc.KinzoView().SelectRange(QDate(2010, 1, 1), QDate(2011, 1, 1), entries), DbStatus::Ok);
    }

    void accountTableImportRefusals()
    {
        CKinzoDoc doc(m_connection, m_host);
        const QString path = newLedger(u"refuse.kzd"_s, doc);
        const QByteArray original = readAll(path);
        QVERIFY(!doc.ImportAccountTable(path));
        QCOMPARE(m_host.Take(), QStringList{u"現在のデータファイルを選択しています。\n別のデータファイルを選択してください。"_s});
        QVERIFY(!QFile::exists(BackupPathOf(path)));

        const QString text = m_dir.filePath(u"text.kzd"_s);
        writeAll(text, "not a ledger");
        QVERIFY(!doc.ImportAccountTable(text));
        QCOMPARE(m_host.Take(), QStringList{u"データベースへの接続に失敗しました。"_s});

        CDBConnection otherConnection;
        RecordingHost otherHost;
        CKinzoDoc other(otherConnection, otherHost);
        const QString broken = newLedger(u"broken.kzd"_s, other);
        otherConnection.Close();
        runSql(broken, "DELETE FROM 勘定科目 WHERE 仕分けID = 2;");
        QVERIFY(!doc.ImportAccountTable(broken));
        QCOMPARE(m_host.Take(), QStringList{u"科目テーブルが正しくありません。ファイルが壊れている可能性があります。"_s});
        QVERIFY(!QFile::exists(BackupPathOf(path)));
        QVERIFY(doc.IsOpen());
        QCOMPARE(readAll(path), original);
    }

    void accountTableImportRestoresTheBackup()
    {
        CDBConnection sourceConnection;
        RecordingHost sourceHost;
        CKinzoDoc source(sourceConnection, sourceHost);
        const QString sourcePath = newLedger(u"source.kzd"_s, source);
        fill(source);
        sourceConnection.Close();
        // A table this engine reads but cannot create: the copy fails after
        // the drop.
        runSql(sourcePath,
               "PRAGMA writable_schema = ON;"
               "UPDATE sqlite_master SET sql = replace(sql, '備考 TEXT', '備考 TEXT CHECK (kinzo_missing(備考))')"
               " WHERE name = '勘定科目';");

        CKinzoDoc doc(m_connection, m_host);
        const QString path = newLedger(u"target.kzd"_s, doc);
        fill(doc);
        const Snapshot before = snapshot();
        QVERIFY(!doc.ImportAccountTable(sourcePath));
        QCOMPARE(m_host.Take(), QStringList{u"ファイルコピーに失敗しました。"_s});
        QVERIFY(doc.IsOpen());
        QVERIFY(m_connection.IsOpen());
        QCOMPARE(snapshot(), before);

        // A locked file cannot lose its table: the drop fails, nothing changes.
        QVERIFY(doc.OnOpenDocument(path));
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(path.toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        CDBConnection goodSourceConnection;
        CKinzoDoc goodSource(goodSourceConnection, sourceHost);
        const QString goodPath = newLedger(u"good source.kzd"_s, goodSource);
        goodSourceConnection.Close();
        QVERIFY(!doc.ImportAccountTable(goodPath));
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QCOMPARE(m_host.Take(), QStringList{u"テーブルの削除に失敗しました。"_s});
        QVERIFY(m_connection.IsOpen());
        QCOMPARE(snapshot(), before);
    }
};

QTEST_GUILESS_MAIN(TestBulkTransfer)
#include "test_bulk_transfer.moc"
