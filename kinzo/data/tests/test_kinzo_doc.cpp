// The document's life on real data files: new, open (with every kind of file
// that is not a good ledger), the upgrade of the older payment layout with its
// backup and restore, save as, delete, and reloading the account tree.

#include "RecordingHost.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/DataFiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

const QString connectFailed = u"データベースへの接続に失敗しました。"_s;
const QString copyFailed = u"ファイルコピーに失敗しました。"_s;
const QString treeBroken = u"科目テーブルが正しくありません。ファイルが壊れている可能性があります。"_s;
const QString openOther = u"別のファイルを読み込むか、新規作成してください。"_s;

void runSql(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    QVERIFY2(rc == SQLITE_OK, error);
    sqlite3_close(db);
}

ValueMapList rowsOf(CDBConnection& connection, const QString& table)
{
    CTableBase wrapper(table, {});
    wrapper.m_pConnection = &connection;
    ValueMapList rows;
    wrapper.SelectSql(u"SELECT * FROM %1 ORDER BY ID"_s.arg(table), rows);
    return rows;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class TestKinzoDoc : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingHost m_host;
    CDBConnection m_connection;

    // A ledger with the two roots, one item, a counterparty, a loan and an
    // entry, closed again.
    QString makeLedger(const QString& name)
    {
        const QString path = m_dir.filePath(name);
        CDBConnection connection;
        RecordingHost host;
        CKinzoDoc doc(connection, host);
        if (!doc.OnNewDocument(path)) return QString();
        _AccountItem food = _AccountItem::ChildOf(doc.AccountItems().m_lastChild->m_data, u"食費"_s);
        food.code = u"2.1."_s;
        doc.AccountTable().AddItem(food);
        _CaterData cater{0, u"八百屋"_s, 1};
        doc.CaterTable().AddCater(cater);
        _KinzoEntry entry{0, QDate(2010, 4, 1), food.ID, 1500, cater.ID, 0, u"it's"_s};
        doc.KinzoTable().AddEntry(entry);
        _LoanData loan{0, food.ID, 100000, 10000, 0, 0, 0, 27, QDate(2010, 4, 1), QDate(), 1, 90000, QString()};
        doc.LoanTable().AddLoan(loan);
        return path;
    }

    // makeLedger with the older recurring-payment table, holding payments
    // when asked to.
    QString makeLayout0Ledger(const QString& name, bool withPayments)
    {
        const QString path = makeLedger(name);
        runSql(path,
               "DROP TABLE 定期支払;"
               "CREATE TABLE 定期支払 (ID INTEGER PRIMARY KEY AUTOINCREMENT, 勘定科目ID INTEGER, 支払日 INTEGER,"
               " 自動アナウンス INTEGER);");
        if (withPayments)
            runSql(path, "INSERT INTO 定期支払 (勘定科目ID, 支払日, 自動アナウンス) VALUES (3, 27, 1), (3, 10, 0);");
        return path;
    }

private Q_SLOTS:
    void init()
    {
        m_host = RecordingHost();
        m_connection.Close();
        m_connection.SetBusyTimeout(2000);
    }

    void newDocumentHoldsExactlyTheTwoRoots()
    {
        CKinzoDoc doc(m_connection, m_host);
        QSignalSpy list(&doc, &CKinzoDoc::ListViewCommand);
        QSignalSpy tree(&doc, &CKinzoDoc::AccountTreeReloaded);
        const QString path = m_dir.filePath(u"家計簿 2026.kzd"_s);
        QVERIFY(doc.OnNewDocument(path));
        QCOMPARE(m_host.notices, QStringList());
        QCOMPARE(doc.PathName(), path);
        QCOMPARE(doc.Title(), u"家計簿 2026"_s);
        QCOMPARE(m_host.dbFileNames, QStringList{path});
        QCOMPARE(list.size(), 1);
        QVERIFY(tree.size() >= 1);
        const ValueMapList rows = rowsOf(m_connection, u"勘定科目"_s);
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows[0].value(u"科目名称"_s), u"収入"_s);
        QCOMPARE(rows[0].value(u"仕分けID"_s), u"1"_s);
        QCOMPARE(rows[0].value(u"階層番号"_s), u"1."_s);
        QCOMPARE(rows[1].value(u"科目名称"_s), u"支出"_s);
        QCOMPARE(rows[1].value(u"仕分けID"_s), u"2"_s);
        QCOMPARE(rows[1].value(u"親科目ID"_s), u"0"_s);
        QVERIFY(doc.AccountItems().HasTwoRoots());
        for (const QString& table : {u"取引先"_s, u"定期支払"_s, u"分割支払"_s, u"出納簿"_s})
            QVERIFY(rowsOf(m_connection, table).isEmpty());

        // A new file over an existing one replaces it; without a main window
        // no command is sent.
        _AccountItem extra = _AccountItem::ChildOf(doc.AccountItems().m_firstChild->m_data, u"給与"_s);
        QCOMPARE(doc.AccountTable().AddItem(extra), DbStatus::Ok);
        m_host.mainWindowReady = false;
        QVERIFY(doc.OnNewDocument(path));
        QCOMPARE(rowsOf(m_connection, u"勘定科目"_s).size(), 2);
        QCOMPARE(list.size(), 1);
    }

    void newDocumentWithoutPathOrTemplate()
    {
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(doc.OnNewDocument(QString()));
        QVERIFY(!doc.IsOpen());
        QVERIFY(!m_connection.IsOpen());
        QCOMPARE(m_host.dbFileNames, QStringList());
        QCOMPARE(m_host.notices, QStringList());

        QTemporaryDir emptyProgramFolder;
        m_host.programFolder = emptyProgramFolder.path();
        QVERIFY(!doc.OnNewDocument(m_dir.filePath(u"nothing.kzd"_s)));
        QCOMPARE(m_host.Take(), QStringList{copyFailed});
        m_host.programFolder = QStringLiteral(KINZO_TEMPLATE_DIR);
        QVERIFY(!doc.OnNewDocument(m_dir.filePath(u"no folder/x.kzd"_s)));
        QCOMPARE(m_host.Take(), QStringList{copyFailed});
        QVERIFY(!doc.IsOpen());
        QVERIFY(!m_connection.IsOpen());
        QCOMPARE(m_host.dbFileNames, QStringList());
    }

    void openLoadsTheFile()
    {
        const QString path = makeLedger(u"開く.kzd"_s);
        CKinzoDoc doc(m_connection, m_host);
        QSignalSpy list(&doc, &CKinzoDoc::ListViewCommand);
        QSignalSpy named(&doc, &CKinzoDoc::PathNameChanged);
        QVERIFY(doc.OnOpenDocument(path));
        QCOMPARE(m_host.notices, QStringList());
        QCOMPARE(doc.PaymentLayout(), 1);
        QCOMPARE(doc.PaymentTable().Layout(), 1);
        QCOMPARE(m_host.dbFileNames, QStringList{path});
        QCOMPARE(list.size(), 1);
        QCOMPARE(named.last().at(0).toString(), path);
        const AccountItemNode* expense = doc.AccountItems().m_lastChild;
        QCOMPARE(expense->m_data.name, u"支出"_s);
        QCOMPARE(expense->m_firstChild->m_data.name, u"食費"_s);
        QList<_ViewEntry> entries;
        QCOMPARE(doc.KinzoView().SelectRange(QDate(2010, 1, 1), QDate(2010, 12, 31), entries), DbStatus::Ok);
        QCOMPARE(entries.size(), 1);
        QCOMPARE(entries[0].caterName, u"八百屋"_s);
        QVERIFY(!QFile::exists(BackupPathOf(path)));
    }

    void openRefusesWhatIsNoLedger()
    {
        const QString good = makeLedger(u"good.kzd"_s);
        const QString text = m_dir.filePath(u"text.kzd"_s);
        QFile(text).open(QIODevice::WriteOnly);  // empty
        QByteArray jetHeader(2048, '\0');
        jetHeader.replace(4, 15, "Standard Jet DB");
        const QString jet = m_dir.filePath(u"old windows.kzd"_s);
        QFile jetFile(jet);
        QVERIFY(jetFile.open(QIODevice::WriteOnly));
        jetFile.write(jetHeader);
        jetFile.close();
        const QString bare = m_dir.filePath(u"bare.kzd"_s);
        runSql(bare, "CREATE TABLE other (x INTEGER);");

        CKinzoDoc doc(m_connection, m_host);
        const auto refused = [&](const QString& path, const QStringList& messages) {
            QVERIFY(doc.OnOpenDocument(good));
            QVERIFY(!doc.OnOpenDocument(path));
            QCOMPARE(m_host.Take(), messages);
            QVERIFY(!doc.IsOpen());
            QVERIFY(!m_connection.IsOpen());
            QVERIFY(!doc.AccountItems().HasChildren());
            QVERIFY(!QFile::exists(BackupPathOf(path)));
        };
        refused(m_dir.filePath(u"missing.kzd"_s), {connectFailed});
        refused(text, {connectFailed});
        refused(bare, {u"科目テーブル読み込みに失敗しました。\n(レコード検索失敗)"_s, openOther});
        QVERIFY(doc.OnOpenDocument(good));
        QVERIFY(!doc.OnOpenDocument(jet));
        const QStringList jetMessages = m_host.Take();
        QCOMPARE(jetMessages.size(), 1);
        QVERIFY2(jetMessages[0].contains(u"Microsoft Access"_s), qPrintable(jetMessages[0]));
        QCOMPARE(m_host.dbFileNames.size(), 4);  // only the opens that worked
    }

    void openRefusesABrokenAccountTable_data()
    {
        QTest::addColumn<QByteArray>("sql");
        QTest::newRow("third root") << QByteArray(
            "INSERT INTO 勘定科目 (科目名称, レベル, 子フラグ, 親科目ID, 仕分けID, 階層番号) VALUES ('他', 0, 0, 0, 1, '3.')");
        QTest::newRow("income root missing") << QByteArray("DELETE FROM 勘定科目 WHERE 仕分けID = 1");
        QTest::newRow("two expense roots") << QByteArray("UPDATE 勘定科目 SET 仕分けID = 2 WHERE 科目名称 = '収入'");
    }

    void openRefusesABrokenAccountTable()
    {
        QFETCH(QByteArray, sql);
        const QString path = makeLedger(u"broken.kzd"_s);
        runSql(path, sql.constData());
        const QByteArray before = bytesOf(path);
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(!doc.OnOpenDocument(path));
        QCOMPARE(m_host.notices, (QStringList{treeBroken, openOther}));
        QVERIFY(!doc.IsOpen());
        QVERIFY(!m_connection.IsOpen());
        QCOMPARE(bytesOf(path), before);
        QCOMPARE(m_host.dbFileNames, QStringList());
    }

    void lockedFileIsNotOpened()
    {
        const QString path = makeLedger(u"locked.kzd"_s);
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(path.toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
        m_connection.SetBusyTimeout(50);
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(!doc.OnOpenDocument(path));
        QCOMPARE(m_host.Take(), QStringList{connectFailed});
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QVERIFY(doc.OnOpenDocument(path));
    }

    void layout0FileIsUpgraded_data()
    {
        QTest::addColumn<bool>("withPayments");
        QTest::newRow("with payments") << true;
        QTest::newRow("without payments") << false;
    }

    void layout0FileIsUpgraded()
    {
        QFETCH(bool, withPayments);
        const QString path = makeLayout0Ledger(u"古い 形式.kzd"_s, withPayments);
        QMap<QString, ValueMapList> before;
        {
            CDBConnection old;
            QCOMPARE(old.Open(path), 1);
            for (const QString& table : {u"勘定科目"_s, u"取引先"_s, u"分割支払"_s, u"出納簿"_s})
                before[table] = rowsOf(old, table);
        }
        const QByteArray original = bytesOf(path);

        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(doc.OnOpenDocument(path));
        QCOMPARE(m_host.notices, QStringList());
        QCOMPARE(doc.PaymentLayout(), 1);
        QCOMPARE(bytesOf(BackupPathOf(path)), original);
        QVERIFY(BackupPathOf(path).endsWith(u"古い 形式_Backup.kzd"_s));
        for (auto table = before.cbegin(); table != before.cend(); ++table)
            QCOMPARE(rowsOf(m_connection, table.key()), table.value());
        QList<_PaymentData> payments;
        QCOMPARE(doc.PaymentTable().GetAllPayments(payments), DbStatus::Ok);
        QCOMPARE(payments.size(), withPayments ? 2 : 0);
        if (withPayments) {
            const int year = QDate::currentDate().year();
            QCOMPARE(payments[0].payDay, 27);
            QCOMPARE(payments[0].start, QDate(year, 1, 1));
            QCOMPARE(payments[1].end, QDate(year, 12, 31));
            QCOMPARE(payments[1].months, (std::array<int, 12>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
        }
        // The upgraded file keeps working: new payments and entries.
        _PaymentData payment{0, 3, 5, 1, QDate(2020, 1, 1), QDate(2020, 12, 31), 0, {}, 1};
        QCOMPARE(doc.PaymentTable().AddPayment(payment), DbStatus::Ok);
        _KinzoEntry entry{0, QDate(2011, 1, 1), 3, 10, 0, 0, QString()};
        QCOMPARE(doc.KinzoTable().AddEntry(entry), DbStatus::Ok);
        QCOMPARE(entry.ID, 2);
    }

    void failedUpgradeOpensTheFileAsItWas_data()
    {
        QTest::addColumn<bool>("templateMissing");
        QTest::newRow("template copy fails") << true;
        QTest::newRow("table copy fails") << false;
    }

    void failedUpgradeOpensTheFileAsItWas()
    {
        QFETCH(bool, templateMissing);
        const QString path = makeLayout0Ledger(u"old.kzd"_s, true);
        if (!templateMissing) runSql(path, "DROP TABLE 分割支払;");
        const QByteArray original = bytesOf(path);
        QTemporaryDir programFolder;
        if (templateMissing) {
            QVERIFY(QFile::copy(TemplatePath(QStringLiteral(KINZO_TEMPLATE_DIR), kinzo_schema::FileKind::Ledger),
                                TemplatePath(programFolder.path(), kinzo_schema::FileKind::Ledger)));
            m_host.programFolder = programFolder.path();
        }
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(doc.OnOpenDocument(path));
        QCOMPARE(m_host.notices, QStringList{copyFailed});
        QCOMPARE(doc.PaymentLayout(), 0);
        QCOMPARE(doc.PaymentTable().Layout(), 0);
        QCOMPARE(bytesOf(BackupPathOf(path)), original);
        QList<_PaymentData> payments;
        QCOMPARE(doc.PaymentTable().GetAllPayments(payments), DbStatus::Ok);
        QCOMPARE(payments.size(), 2);
        QCOMPARE(payments[1].payDay, 10);
        QCOMPARE(rowsOf(m_connection, u"出納簿"_s).size(), 1);
        QCOMPARE(m_host.dbFileNames, QStringList{path});
    }

    void saveAsMakesTheCopyTheDocument()
    {
        const QString path = makeLedger(u"元.kzd"_s);
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(doc.OnOpenDocument(path));
        const QByteArray original = bytesOf(path);
        QSignalSpy named(&doc, &CKinzoDoc::PathNameChanged);
        QVERIFY(doc.OnSaveDocument(m_dir.filePath(u"写し 1"_s)));
        const QString copy = m_dir.filePath(u"写し 1.kzd"_s);
        QCOMPARE(doc.PathName(), copy);
        QCOMPARE(m_host.dbFileNames.last(), copy);
        QCOMPARE(named.size(), 1);
        QCOMPARE(bytesOf(copy), original);
        // Changes now go to the copy only.
        _KinzoEntry entry{0, QDate(2011, 1, 1), 3, 10, 0, 0, QString()};
        QCOMPARE(doc.KinzoTable().AddEntry(entry), DbStatus::Ok);
        QCOMPARE(bytesOf(path), original);

        QVERIFY(doc.OnSaveDocument(m_dir.filePath(u"backup.dat"_s)));
        QCOMPARE(doc.PathName(), m_dir.filePath(u"backup.dat"_s));
        QCOMPARE(rowsOf(m_connection, u"出納簿"_s).size(), 2);

        // A write-protected target is not replaced; the document stays.
        const QString protectedFile = m_dir.filePath(u"protected.kzd"_s);
        QVERIFY(QFile::copy(path, protectedFile));
        QFile::setPermissions(protectedFile, QFile::ReadOwner | QFile::ReadGroup);
        QVERIFY(!doc.OnSaveDocument(protectedFile));
        QCOMPARE(m_host.Take(), QStringList{copyFailed});
        QCOMPARE(doc.PathName(), m_dir.filePath(u"backup.dat"_s));
        QCOMPARE(bytesOf(protectedFile), original);
        QCOMPARE(rowsOf(m_connection, u"出納簿"_s).size(), 2);
    }

    void deleteDataFile()
    {
        const QString path = makeLedger(u"消す.kzd"_s);
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(doc.OnOpenDocument(path));
        QSignalSpy views(&doc, &CKinzoDoc::UpdateAllViews);
        QVERIFY(doc.DeleteDataFile());
        QVERIFY(!QFile::exists(path));
        QVERIFY(!doc.IsOpen());
        QVERIFY(!m_connection.IsOpen());
        QCOMPARE(views.size(), 1);
        QCOMPARE(views[0].at(0).value<UpdateHint>(), UpdateHint::FileDeleted);
        QVERIFY(!doc.DeleteDataFile());

        // A file deleted by someone else while open: the document goes on
        // reading it, cannot copy it, and deleting it just closes it.
        QVERIFY(doc.OnOpenDocument(makeLedger(u"gone.kzd"_s)));
        QVERIFY(QFile::remove(doc.PathName()));
        QVERIFY(doc.ReloadAccountItems());
        QVERIFY(!doc.OnSaveDocument(m_dir.filePath(u"copy of gone.kzd"_s)));
        QCOMPARE(m_host.Take(), QStringList{copyFailed});
        QVERIFY(doc.DeleteDataFile());
        QCOMPARE(m_host.notices, QStringList());

        // What cannot be deleted is reported with the system's text.
        const QString blocked = makeLedger(u"blocked.kzd"_s);
        QVERIFY(doc.OnOpenDocument(blocked));
        QVERIFY(QFile::remove(blocked));
        QVERIFY(QDir().mkpath(blocked + u"/inside"_s));
        QVERIFY(!doc.DeleteDataFile());
        QCOMPARE(m_host.notices.size(), 1);
        QVERIFY(!m_host.notices[0].isEmpty());
        QVERIFY(QFileInfo(blocked).isDir());
    }

    void reloadKeepsAGoodTree()
    {
        const QString path = makeLedger(u"reload.kzd"_s);
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(doc.OnOpenDocument(path));
        QSignalSpy tree(&doc, &CKinzoDoc::AccountTreeReloaded);
        runSql(path,
               "INSERT INTO 勘定科目 (科目名称, レベル, 子フラグ, 親科目ID, 仕分けID, 階層番号) VALUES ('給与', 1, 0, 1, 1, '1.1.')");
        QVERIFY(doc.ReloadAccountItems());
        QCOMPARE(tree.size(), 1);
        AccountItemList& items = doc.AccountItems();
        QCOMPARE(items.m_firstChild->m_firstChild->m_data.name, u"給与"_s);

        runSql(path,
               "INSERT INTO 勘定科目 (科目名称, レベル, 子フラグ, 親科目ID, 仕分けID, 階層番号) VALUES ('他', 0, 0, 0, 2, '3.')");
        QVERIFY(!doc.ReloadAccountItems());
        QCOMPARE(m_host.Take(), QStringList{treeBroken});
        QCOMPARE(tree.size(), 1);
        QCOMPARE(items.m_firstChild->m_firstChild->m_data.name, u"給与"_s);
        QCOMPARE(items.m_lastChild->m_data.name, u"支出"_s);
    }
};

QTEST_GUILESS_MAIN(TestKinzoDoc)
#include "test_kinzo_doc.moc"
