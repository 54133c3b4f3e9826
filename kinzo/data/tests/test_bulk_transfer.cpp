// Whole-file transfers of the document: all tables to CSV files and back, all
// or nothing, and the account table taken from another data file with its
// backup and restore.

#include "DocTestFiles.h"
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
const QString awkward = u"a,b \"quoted\" it's 100% \\ ; DROP TABLE 出納簿; --\r\nline two ＡＢＣ　全角 😀"_s;
const QByteArray entryHeader = "\"ID\",\"日付\",\"勘定科目ID\",\"金額\",\"取引先ID\",\"ミクリID\",\"備考\"\r\n";
const QByteArray caterHeader = "\"ID\",\"取引先名称\",\"表示順序\"\r\n";

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
        for (const QString& table : tables) rows[table] = RowsOf(m_connection, table);
        return rows;
    }

    // A new ledger whose tables hold awkward text, NULLs, gaps in the keys,
    // dates, flags and the extremes of the amounts.
    QString filledLedger(const QString& name, CKinzoDoc& doc)
    {
        const QString path = m_dir.filePath(name);
        if (!doc.OnNewDocument(path)) return QString();
        _AccountItem food = _AccountItem::ChildOf(doc.AccountItems().m_lastChild->m_data, u"食費'外食"_s);
        food.code = u"2.1."_s;
        food.useStart = food.useEnd = 1;
        food.start = QDate(2010, 4, 1);
        food.end = QDate(2011, 3, 31);
        food.note = awkward;
        doc.AccountTable().AddItem(food);
        _CaterData cater{0, u"O'Neil \"商店\""_s, 3};
        doc.CaterTable().AddCater(cater);
        for (int i = 0; i < 30; ++i) {
            _KinzoEntry entry{0, QDate(2010, 4, 1).addDays(i * 7), food.ID, i % 2 ? -2147483647 : 2147483647,
                              i % 3 ? cater.ID : 0, i % 5, i % 4 ? awkward : QString()};
            doc.KinzoTable().AddEntry(entry);
            if (i % 6 == 0) doc.KinzoTable().DeleteById(entry.ID);
        }
        _PaymentData payment{0, food.ID, 27, 1, QDate(2010, 1, 1), QDate(2010, 12, 31), 1, {1, 0, 1}, 2};
        doc.PaymentTable().AddPayment(payment);
        _LoanData loan{0, food.ID, 1000000, 30000, 6, 12, 50000, 10, QDate(2010, 4, 1), QDate(), 1, 970000, awkward};
        doc.LoanTable().AddLoan(loan);
        return path;
    }

    // Changes every table, so that an import has something to undo.
    void change(CKinzoDoc& doc)
    {
        for (const QString& table : tables) doc.KinzoTable().ExecuteSql(u"DELETE FROM %1 WHERE ID > 2"_s.arg(table));
        _CaterData other{0, u"別"_s, 1};
        doc.CaterTable().AddCater(other);
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
        QVERIFY(!filledLedger(u"往復.kzd"_s, doc).isEmpty());
        const Snapshot before = snapshot();
        qint64 carryBefore = 0, carry = 0;
        QCOMPARE(doc.KinzoView().GetCarryOver(QDate(2012, 1, 1), carryBefore), DbStatus::Ok);
        const QString folder = m_dir.filePath(u"書き出し 先"_s);
        QVERIFY(doc.ExportAllCsv(folder));
        QVERIFY(doc.ExportAllCsv(folder));  // an existing folder and files are taken over
        change(doc);
        QSignalSpy tree(&doc, &CKinzoDoc::AccountTreeReloaded);
        QVERIFY(doc.ImportAllCsv(folder));
        QCOMPARE(m_host.notices, QStringList());
        QCOMPARE(snapshot(), before);
        QCOMPARE(tree.size(), 1);
        QCOMPARE(doc.AccountItems().m_lastChild->m_firstChild->m_data.name, u"食費'外食"_s);
        // Month totals follow the imported entries; new keys go on after them.
        QCOMPARE(doc.KinzoView().GetCarryOver(QDate(2012, 1, 1), carry), DbStatus::Ok);
        QCOMPARE(carry, carryBefore);
        _KinzoEntry entry{0, QDate(2011, 1, 1), 3, 1, 0, 0, QString()};
        QCOMPARE(doc.KinzoTable().AddEntry(entry), DbStatus::Ok);
        QCOMPARE(entry.ID, 31);
    }

    void exportFailures()
    {
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(doc.OnNewDocument(m_dir.filePath(u"export.kzd"_s)));
        QVERIFY(!doc.ExportAllCsv(m_dir.filePath(u"no parent/csv"_s)));
        QCOMPARE(m_host.Take(), QStringList{u"フォルダ作成に失敗しました。"_s});
        const QString folder = m_dir.filePath(u"protected"_s);
        QVERIFY(QDir().mkdir(folder));
        WriteAll(folder + u"/取引先.csv"_s, "old");
        QVERIFY(QFile::setPermissions(folder + u"/取引先.csv"_s, QFile::ReadOwner));
        QVERIFY(!doc.ExportAllCsv(folder));
        QCOMPARE(m_host.Take(), QStringList{u"取引先のエクスポートに失敗しました。"_s});
        QVERIFY(QFile::exists(folder + u"/勘定科目.csv"_s));
        QVERIFY(!QFile::exists(folder + u"/定期支払.csv"_s));
        QCOMPARE(ReadAll(folder + u"/取引先.csv"_s), QByteArray("old"));

        // Stopped while the entries are written: their earlier file stays.
        QCOMPARE(sqlite3_exec(m_connection.Handle(),
                              "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 5000)"
                              " INSERT INTO 出納簿 (日付, 勘定科目ID, 金額, 取引先ID) SELECT '2010/04/01', 2, i, -1 FROM n",
                              nullptr, nullptr, nullptr),
                 SQLITE_OK);
        const QString earlier = m_dir.filePath(u"earlier"_s);
        QVERIFY(QDir().mkdir(earlier));
        WriteAll(earlier + u"/出納簿.csv"_s, "earlier entries");
        QVERIFY(!doc.ExportAllCsv(earlier, [](qint64 done, qint64) { return done < 4096; }));
        QCOMPARE(m_host.Take(), QStringList());
        QCOMPARE(ReadAll(earlier + u"/出納簿.csv"_s), QByteArray("earlier entries"));
    }

    void failedImportLeavesEveryTable_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QByteArray>("content");  // null: no file at all
        QTest::newRow("missing file") << u"定期支払"_s << QByteArray();
        QTest::newRow("empty file") << u"取引先"_s << QByteArray("");
        QTest::newRow("binary") << u"出納簿"_s << QByteArray("\x00\xff\xfe\x01\x80\x81garbage\x00\r\n\x9f", 17);
        QTest::newRow("unclosed quote") << u"分割支払"_s << QByteArray("\"ID\",\"勘定科目ID\r\n1,\"3");
        QTest::newRow("lacks a column") << u"取引先"_s << QByteArray("\"ID\",\"取引先名称\"\r\n1,\"a\"\r\n");
        QTest::newRow("truncated row") << u"取引先"_s << caterHeader + "1,\"a\",1\r\n2,\"b\"";
        QTest::newRow("bad date") << u"出納簿"_s << entryHeader + "1,2010/02/30,3,100,,,\r\n";
        QTest::newRow("amount out of range") << u"出納簿"_s << entryHeader + "1,2010/02/03,3,2147483648,,,\r\n";
        QTest::newRow("three roots") << u"勘定科目"_s
                                     << QByteArray("\"ID\",\"科目名称\",\"レベル\",\"子フラグ\",\"親科目ID\",\"仕分けID\",\"階層番号\","
                                                   "\"有効開始日使用\",\"有効終了日使用\",\"有効開始日\",\"有効終了日\",\"表示幅\",\"印刷幅\",\"備考\"\r\n"
                                                   "1,\"収入\",0,0,0,1,\"1.\",0,0,,,70,70,\r\n"
                                                   "2,\"支出\",0,0,0,2,\"2.\",0,0,,,70,70,\r\n"
                                                   "3,\"他\",0,0,0,2,\"3.\",0,0,,,70,70,\r\n");
    }

    void failedImportLeavesEveryTable()
    {
        QFETCH(QString, table);
        QFETCH(QByteArray, content);
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(!filledLedger(u"import.kzd"_s, doc).isEmpty());
        const QString folder = m_dir.filePath(u"入力"_s);
        QVERIFY(doc.ExportAllCsv(folder));
        change(doc);
        const Snapshot before = snapshot();
        const QString file = folder + u"/"_s + table + u".csv"_s;
        if (content.isNull()) QVERIFY(QFile::remove(file));
        else WriteAll(file, content);
        QVERIFY(!doc.ImportAllCsv(folder));
        // The table's message first; a faulty record adds its number and reason.
        QCOMPARE(m_host.notices.size(), 1);
        QCOMPARE(m_host.notices[0].section(u'\n', 0, 0), table + u"のインポートに失敗しました。"_s);
        QCOMPARE(snapshot(), before);
        _CaterData cater{0, u"後"_s, 1};  // no transaction is left open
        QCOMPARE(doc.CaterTable().AddCater(cater), DbStatus::Ok);
    }

    // Stopped once every row is in, while the indexes and totals are built:
    // nothing of the new rows stays and nothing is said.
    void importStoppedWhileFinishingLeavesEveryTable()
    {
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(!filledLedger(u"中止.kzd"_s, doc).isEmpty());
        const QString folder = m_dir.filePath(u"中止"_s);
        QVERIFY(doc.ExportAllCsv(folder));
        change(doc);
        const Snapshot before = snapshot();
        qint64 lastCount = 0;
        int finishing = 0;
        bool countsRise = true;
        QVERIFY(!doc.ImportAllCsv(folder, [&](qint64 done, qint64) {
            if (done == FinishingWork) return ++finishing < 2;  // the accounts go through; the next table stops
            countsRise = countsRise && done >= lastCount;
            lastCount = done;
            return true;
        }));
        QCOMPARE(finishing, 2);
        QVERIFY(countsRise);
        QCOMPARE(m_host.notices, QStringList());
        QCOMPARE(snapshot(), before);
        _CaterData cater{0, u"後"_s, 1};  // no transaction is left open
        QCOMPARE(doc.CaterTable().AddCater(cater), DbStatus::Ok);
    }

    void accountTableImport()
    {
        CDBConnection sourceConnection;
        CKinzoDoc source(sourceConnection, m_host);
        const QString sourcePath = filledLedger(u"科目 元.kzd"_s, source);
        const ValueMapList sourceItems = RowsOf(sourceConnection, u"勘定科目"_s);
        sourceConnection.Close();

        CKinzoDoc doc(m_connection, m_host);
        const QString path = m_dir.filePath(u"科目 先.kzd"_s);
        QVERIFY(doc.OnNewDocument(path));
        QVERIFY(!doc.ImportAccountTable(path));
        QCOMPARE(m_host.Take(), QStringList{u"現在のデータファイルを選択しています。\n別のデータファイルを選択してください。"_s});
        QVERIFY(!QFile::exists(BackupPathOf(path)));

        QVERIFY(doc.ImportAccountTable(sourcePath));
        QCOMPARE(m_host.Take(), QStringList{u"科目テーブルがインポートされました。"_s});
        QCOMPARE(doc.PathName(), path);
        QCOMPARE(RowsOf(m_connection, u"勘定科目"_s), sourceItems);
        QCOMPARE(doc.AccountItems().m_lastChild->m_firstChild->m_data.name, u"食費'外食"_s);
        QVERIFY(QFile::exists(BackupPathOf(path)));
        _AccountItem added = _AccountItem::ChildOf(doc.AccountItems().m_firstChild->m_data, u"給与"_s);
        QCOMPARE(doc.AccountTable().AddItem(added), DbStatus::Ok);
        QCOMPARE(added.ID, 4);
    }

    void accountTableImportRefusesAndRestores()
    {
        CDBConnection sourceConnection;
        CKinzoDoc source(sourceConnection, m_host);
        const QString sourcePath = filledLedger(u"source.kzd"_s, source);
        sourceConnection.Close();
        CKinzoDoc doc(m_connection, m_host);
        const QString path = filledLedger(u"target.kzd"_s, doc);
        QCOMPARE(doc.KinzoTable().DeleteAll(), DbStatus::Ok);  // the import is only for a ledger without entries
        const Snapshot before = snapshot();
        const QByteArray original = ReadAll(path);

        const QString text = m_dir.filePath(u"text.kzd"_s);
        WriteAll(text, "not a ledger");
        QVERIFY(!doc.ImportAccountTable(text));
        QCOMPARE(m_host.Take(), QStringList{u"データベースへの接続に失敗しました。"_s});
        RunSql(sourcePath, "UPDATE 勘定科目 SET 親科目ID = 1 WHERE 仕分けID = 2 AND 親科目ID = 0;");
        QVERIFY(!doc.ImportAccountTable(sourcePath));
        QCOMPARE(m_host.Take(), QStringList{u"科目テーブルが正しくありません。ファイルが壊れている可能性があります。"_s});
        QVERIFY(!QFile::exists(BackupPathOf(path)));
        QCOMPARE(ReadAll(path), original);

        // A table this engine reads but cannot create: the copy fails after
        // the drop, and the backup comes back.
        RunSql(sourcePath,
               "UPDATE 勘定科目 SET 親科目ID = 0 WHERE 仕分けID = 2 AND レベル = 0;"
               "PRAGMA writable_schema = ON;"
               "UPDATE sqlite_master SET sql = replace(sql, '備考 TEXT', '備考 TEXT CHECK (kinzo_missing(備考))')"
               " WHERE name = '勘定科目';");
        QVERIFY(!doc.ImportAccountTable(sourcePath));
        QCOMPARE(m_host.Take(), QStringList{u"ファイルコピーに失敗しました。"_s});
        QVERIFY(doc.IsOpen() && m_connection.IsOpen());
        QCOMPARE(snapshot(), before);
    }

    void accountTableImportIsRefusedWhileEntriesExist()
    {
        CDBConnection sourceConnection;
        CKinzoDoc source(sourceConnection, m_host);
        const QString sourcePath = filledLedger(u"other.kzd"_s, source);
        sourceConnection.Close();
        CKinzoDoc doc(m_connection, m_host);
        const QString path = m_dir.filePath(u"entries.kzd"_s);
        QVERIFY(doc.OnNewDocument(path));
        _AccountItem food = _AccountItem::ChildOf(doc.AccountItems().m_lastChild->m_data, u"食費"_s);
        food.code = u"2.1."_s;
        QCOMPARE(doc.AccountTable().AddItem(food), DbStatus::Ok);
        _KinzoEntry entry{0, QDate(2010, 4, 1), food.ID, 1500, 0, 0, QString()};
        QCOMPARE(doc.KinzoTable().AddEntry(entry), DbStatus::Ok);
        m_host.Take();
        const QByteArray original = ReadAll(path);
        QVERIFY(!doc.ImportAccountTable(sourcePath));
        QCOMPARE(m_host.Take(), QStringList{u"出納データが登録されているため、科目設定をインポートできません。\n"
                                            "科目設定のインポートは、出納データを登録する前に行ってください。"_s});
        QCOMPARE(ReadAll(path), original);
        QVERIFY(!QFile::exists(BackupPathOf(path)));
    }

    // Every operation on files in a folder whose name holds what SQL and URIs
    // treat specially.
    void everyFileOperationWorksInAnAwkwardFolder()
    {
        const QString folder = m_dir.filePath(u"家計[2010] 'a' \"b\" #1 %20 ?x"_s);
        QVERIFY(QDir().mkpath(folder));
        CKinzoDoc doc(m_connection, m_host);
        const QString path = QDir(folder).filePath(u"家計簿 [本].kzd"_s);
        QVERIFY(!filledLedger(QDir(m_dir.path()).relativeFilePath(path), doc).isEmpty());
        const Snapshot before = snapshot();

        const QString csv = QDir(folder).filePath(u"CSV [出力]"_s);
        QVERIFY(doc.ExportAllCsv(csv));
        change(doc);
        QVERIFY(doc.ImportAllCsv(csv));
        QCOMPARE(snapshot(), before);

        const QString copy = QDir(folder).filePath(u"写し]"_s);
        QVERIFY(doc.OnSaveDocument(copy));
        QCOMPARE(doc.PathName(), copy + u".kzd"_s);
        QVERIFY(doc.OnOpenDocument(path));

        const QString empty = QDir(folder).filePath(u"新規 [空].kzd"_s);
        QVERIFY(doc.OnNewDocument(empty));
        QVERIFY(doc.ImportAccountTable(path));
        QCOMPARE(RowsOf(m_connection, u"勘定科目"_s), before[u"勘定科目"_s]);

        // The older payment layout, upgraded through copies of its tables.
        QVERIFY(doc.OnOpenDocument(copy + u".kzd"_s));
        QVERIFY(doc.DeleteDataFile());
        QVERIFY(QFile::copy(path, copy + u".kzd"_s));
        RunSql(copy + u".kzd"_s, "DROP TABLE 定期支払; CREATE TABLE 定期支払 (ID INTEGER PRIMARY KEY AUTOINCREMENT,"
                                " 勘定科目ID INTEGER, 支払日 INTEGER, 自動アナウンス INTEGER);"
                                "INSERT INTO 定期支払 (勘定科目ID, 支払日, 自動アナウンス) VALUES (3, 27, 1);");
        QVERIFY(doc.OnOpenDocument(copy + u".kzd"_s));
        QCOMPARE(doc.PaymentLayout(), 1);
        QCOMPARE(RowsOf(m_connection, u"出納簿"_s), before[u"出納簿"_s]);
        QVERIFY(QFile::exists(BackupPathOf(copy + u".kzd"_s)));
        QVERIFY(doc.DeleteDataFile());
        QVERIFY(!QFile::exists(copy + u".kzd"_s));
        QCOMPARE(m_host.Take(), QStringList{u"科目テーブルがインポートされました。"_s});
    }
};

QTEST_GUILESS_MAIN(TestBulkTransfer)
#include "test_bulk_transfer.moc"
