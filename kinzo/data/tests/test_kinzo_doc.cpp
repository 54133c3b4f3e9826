// The document's life on real data files: new, open (and every kind of file
// that is no good ledger), the upgrade of the older payment layout with its
// backup and restore, save as, delete and reloading the account tree.

#include "DocTestFiles.h"
#include "RecordingHost.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/DataFiles.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::StringLiterals;

namespace {

const QString connectFailed = u"データベースへの接続に失敗しました。"_s;
const QString copyFailed = u"ファイルコピーに失敗しました。"_s;
const QString treeBroken = u"科目テーブルが正しくありません。ファイルが壊れている可能性があります。"_s;
const QString openOther = u"別のファイルを読み込むか、新規作成してください。"_s;

}  // namespace

class TestKinzoDoc : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingHost m_host;
    CDBConnection m_connection;

    // A closed ledger with the roots, the item 食費 (ID 3), a counterparty,
    // a loan and an entry; with the older payment table when layout0 is set.
    QString makeLedger(const QString& name, bool layout0 = false, bool withPayments = false)
    {
        const QString path = m_dir.filePath(name);
        {
            CDBConnection connection;
            RecordingHost host;
            CKinzoDoc doc(connection, host);
            if (!doc.OnNewDocument(path)) return QString();
            _AccountItem food = _AccountItem::ChildOf(doc.AccountItems().m_lastChild->m_data, u"食費"_s);
            food.code = u"2.1."_s;
            _CaterData cater{0, u"八百屋"_s, 1};
            _KinzoEntry entry{0, QDate(2010, 4, 1), 3, 1500, 1, 0, u"it's"_s};
            _LoanData loan{0, 3, 100000, 10000, 0, 0, 0, 27, QDate(2010, 4, 1), QDate(), 1, 90000, QString()};
            doc.AccountTable().AddItem(food);
            doc.CaterTable().AddCater(cater);
            doc.KinzoTable().AddEntry(entry);
            doc.LoanTable().AddLoan(loan);
        }
        if (layout0)
            RunSql(path, "DROP TABLE 定期支払; CREATE TABLE 定期支払 (ID INTEGER PRIMARY KEY AUTOINCREMENT,"
                         " 勘定科目ID INTEGER, 支払日 INTEGER, 自動アナウンス INTEGER);");
        if (withPayments)
            RunSql(path, "INSERT INTO 定期支払 (勘定科目ID, 支払日, 自動アナウンス) VALUES (3, 27, 1), (3, 10, 0);");
        return path;
    }

private Q_SLOTS:
    void init()
    {
        m_host = RecordingHost();
        m_connection.Close();
    }

    void newDocumentHoldsExactlyTheTwoRoots()
    {
        CKinzoDoc doc(m_connection, m_host);
        QSignalSpy list(&doc, &CKinzoDoc::ListViewCommand);
        QVERIFY(doc.OnNewDocument(QString()));  // start-up without a file
        QVERIFY(!doc.IsOpen());
        const QString path = m_dir.filePath(u"家計簿 2026.kzd"_s);
        QVERIFY(doc.OnNewDocument(path));
        QCOMPARE(doc.Title(), u"家計簿 2026"_s);
        QCOMPARE(m_host.dbFileNames, QStringList{path});
        QCOMPARE(list.size(), 1);
        QStringList roots;
        for (const ValueMap& row : RowsOf(m_connection, u"勘定科目"_s))
            roots << row.value(u"科目名称"_s) + row.value(u"仕分けID"_s) + row.value(u"親科目ID"_s) + row.value(u"階層番号"_s);
        QCOMPARE(roots, (QStringList{u"収入101."_s, u"支出202."_s}));
        for (const QString& table : {u"取引先"_s, u"定期支払"_s, u"分割支払"_s, u"出納簿"_s})
            QVERIFY(RowsOf(m_connection, table).isEmpty());

        // Over an existing file it starts afresh; without a main window no command.
        _AccountItem salary = _AccountItem::ChildOf(doc.AccountItems().m_firstChild->m_data, u"給与"_s);
        QCOMPARE(doc.AccountTable().AddItem(salary), DbStatus::Ok);
        m_host.mainWindowReady = false;
        QVERIFY(doc.OnNewDocument(path));
        QCOMPARE(RowsOf(m_connection, u"勘定科目"_s).size(), 2);
        QCOMPARE(list.size(), 1);

        QTemporaryDir emptyProgramFolder;
        m_host.programFolder = emptyProgramFolder.path();
        QVERIFY(!doc.OnNewDocument(m_dir.filePath(u"nothing.kzd"_s)));
        QCOMPARE(m_host.notices, QStringList{copyFailed});
        QVERIFY(!doc.IsOpen());
        QVERIFY(!m_connection.IsOpen());
        QCOMPARE(m_host.dbFileNames.size(), 2);
    }

    void openRefusesWhatIsNoGoodLedger()
    {
        const QString good = makeLedger(u"good.kzd"_s);
        const QString empty = m_dir.filePath(u"empty.kzd"_s);
        WriteAll(empty, QByteArray());
        const QString jet = m_dir.filePath(u"old windows.kzd"_s);
        WriteAll(jet, QByteArray(4, '\0') + "Standard Jet DB" + QByteArray(2048, '\0'));
        const QString bare = m_dir.filePath(u"bare.kzd"_s);
        RunSql(bare, "CREATE TABLE other (x INTEGER);");
        const QString broken = makeLedger(u"broken.kzd"_s);
        RunSql(broken, "UPDATE 勘定科目 SET 仕分けID = 2 WHERE 科目名称 = '収入'");
        const QByteArray brokenBytes = ReadAll(broken);

        CKinzoDoc doc(m_connection, m_host);
        const auto refused = [&](const QString& path) {
            m_host.notices.clear();
            if (!doc.OnOpenDocument(good) || doc.OnOpenDocument(path) || doc.IsOpen() || m_connection.IsOpen() ||
                doc.AccountItems().HasChildren() || QFile::exists(BackupPathOf(path)))
                return QStringList{u"not refused cleanly"_s};
            return m_host.notices;
        };
        QCOMPARE(refused(m_dir.filePath(u"missing.kzd"_s)), QStringList{connectFailed + u"\nファイルが見つかりません。"_s});
        QCOMPARE(refused(empty), QStringList{connectFailed + u"\nファイルが空です。"_s});
        QCOMPARE(refused(bare), QStringList{connectFailed + u"\nこのファイルはデータファイルではありません。"_s});
        QCOMPARE(refused(broken), (QStringList{treeBroken, openOther}));
        QCOMPARE(ReadAll(broken), brokenBytes);
        const QStringList jetMessages = refused(jet);
        QCOMPARE(jetMessages.size(), 1);
        QVERIFY2(jetMessages[0].contains(u"Microsoft Access"_s), qPrintable(jetMessages[0]));
        QCOMPARE(m_host.dbFileNames.size(), 5);  // only the opens that worked
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
        const QString path = makeLedger(u"古い 形式.kzd"_s, true, withPayments);
        const QStringList kept{u"勘定科目"_s, u"取引先"_s, u"分割支払"_s, u"出納簿"_s};
        QMap<QString, ValueMapList> before;
        {
            CDBConnection old;
            QCOMPARE(old.Open(path), 1);
            for (const QString& table : kept) before[table] = RowsOf(old, table);
        }
        const QByteArray original = ReadAll(path);

        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(doc.OnOpenDocument(path));
        QCOMPARE(m_host.notices, QStringList());
        QCOMPARE(doc.PaymentLayout(), 1);
        QCOMPARE(ReadAll(m_dir.filePath(u"古い 形式_Backup.kzd"_s)), original);
        for (const QString& table : kept) QCOMPARE(RowsOf(m_connection, table), before[table]);
        QList<_PaymentData> payments;
        QCOMPARE(doc.PaymentTable().GetAllPayments(payments), DbStatus::Ok);
        QCOMPARE(payments.size(), withPayments ? 2 : 0);
        if (withPayments) {
            const int year = QDate::currentDate().year();
            QCOMPARE(payments[1].payDay, 10);
            QCOMPARE(payments[1].start, QDate(year, 1, 1));
            QCOMPARE(payments[1].end, QDate(year, 12, 31));
            QCOMPARE(payments[1].months, (std::array<int, 12>{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
        }
        // The upgraded file takes new payments, and keys go on after the old ones.
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
        const QString path = makeLedger(u"old.kzd"_s, true, true);
        // A view in the table's place reads as the table but cannot be copied.
        if (!templateMissing)
            RunSql(path, "ALTER TABLE 分割支払 RENAME TO 分割支払_行; CREATE VIEW 分割支払 AS SELECT * FROM 分割支払_行;");
        const QByteArray original = ReadAll(path);
        QTemporaryDir programFolder;  // holds the ledger template only
        QVERIFY(QFile::copy(TemplatePath(QStringLiteral(KINZO_TEMPLATE_DIR), kinzo_schema::FileKind::Ledger),
                            TemplatePath(programFolder.path(), kinzo_schema::FileKind::Ledger)));
        if (templateMissing) m_host.programFolder = programFolder.path();
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(doc.OnOpenDocument(path));
        QCOMPARE(m_host.notices, QStringList{copyFailed});
        QCOMPARE(doc.PaymentLayout(), 0);
        QCOMPARE(ReadAll(BackupPathOf(path)), original);
        QList<_PaymentData> payments;
        QCOMPARE(doc.PaymentTable().GetAllPayments(payments), DbStatus::Ok);
        QCOMPARE(payments.size(), 2);
        QCOMPARE(RowsOf(m_connection, u"出納簿"_s).size(), 1);
    }

    void saveAsMakesTheCopyTheDocument()
    {
        const QString path = makeLedger(u"元.kzd"_s);
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(doc.OnOpenDocument(path));
        const QByteArray original = ReadAll(path);
        QSignalSpy named(&doc, &CKinzoDoc::PathNameChanged);
        QVERIFY(doc.OnSaveDocument(m_dir.filePath(u"写し 1"_s)));
        const QString copy = m_dir.filePath(u"写し 1.kzd"_s);
        QCOMPARE(doc.PathName(), copy);
        QCOMPARE(named.last().at(0).toString(), copy);
        QCOMPARE(m_host.dbFileNames.last(), copy);
        QCOMPARE(ReadAll(copy), original);
        _KinzoEntry entry{0, QDate(2011, 1, 1), 3, 10, 0, 0, QString()};
        QCOMPARE(doc.KinzoTable().AddEntry(entry), DbStatus::Ok);
        QCOMPARE(ReadAll(path), original);  // changes go to the copy only
        QVERIFY(doc.OnSaveDocument(m_dir.filePath(u"backup.dat"_s)));
        QCOMPARE(doc.PathName(), m_dir.filePath(u"backup.dat"_s));

        const QString protectedFile = m_dir.filePath(u"protected.kzd"_s);
        QVERIFY(QFile::copy(path, protectedFile));
        QFile::setPermissions(protectedFile, QFile::ReadOwner | QFile::ReadGroup);
        QVERIFY(!doc.OnSaveDocument(protectedFile));
        QCOMPARE(m_host.notices, QStringList{copyFailed});
        QCOMPARE(doc.PathName(), m_dir.filePath(u"backup.dat"_s));
        QCOMPARE(ReadAll(protectedFile), original);
        QCOMPARE(RowsOf(m_connection, u"出納簿"_s).size(), 2);
    }

    void deleteDataFile()
    {
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(doc.OnOpenDocument(makeLedger(u"消す.kzd"_s)));
        QSignalSpy views(&doc, &CKinzoDoc::UpdateAllViews);
        QVERIFY(doc.DeleteDataFile());
        QVERIFY(!QFile::exists(m_dir.filePath(u"消す.kzd"_s)));
        QVERIFY(!doc.IsOpen() && !m_connection.IsOpen());
        QCOMPARE(views.size(), 1);
        QCOMPARE(views[0].at(0).value<UpdateHint>(), UpdateHint::FileDeleted);

        // Deleted by someone else while open: still read, not copied, and
        // deleting it just closes it.
        QVERIFY(doc.OnOpenDocument(makeLedger(u"gone.kzd"_s)));
        QVERIFY(QFile::remove(doc.PathName()));
        QVERIFY(doc.ReloadAccountItems());
        QVERIFY(!doc.OnSaveDocument(m_dir.filePath(u"copy of gone.kzd"_s)));
        QCOMPARE(m_host.Take(), QStringList{copyFailed});
        QVERIFY(doc.DeleteDataFile());

        // What cannot be deleted is reported with the system's text.
        const QString blocked = makeLedger(u"blocked.kzd"_s);
        QVERIFY(doc.OnOpenDocument(blocked));
        QVERIFY(QFile::remove(blocked) && QDir().mkpath(blocked + u"/inside"_s));
        QVERIFY(!doc.DeleteDataFile());
        QCOMPARE(m_host.notices.size(), 1);
        QVERIFY(!m_host.notices[0].isEmpty());
    }

    void reloadKeepsAGoodTree()
    {
        const QString path = makeLedger(u"reload.kzd"_s);
        CKinzoDoc doc(m_connection, m_host);
        QVERIFY(doc.OnOpenDocument(path));
        QSignalSpy tree(&doc, &CKinzoDoc::AccountTreeReloaded);
        const char* insert = "INSERT INTO 勘定科目 (科目名称, レベル, 子フラグ, 親科目ID, 仕分けID, 階層番号) VALUES ";
        RunSql(path, QByteArray(insert).append("('給与', 1, 0, 1, 1, '1.1.')").constData());
        QVERIFY(doc.ReloadAccountItems());
        const AccountItemList& items = doc.AccountItems();
        QCOMPARE(items.m_firstChild->m_firstChild->m_data.name, u"給与"_s);
        RunSql(path, QByteArray(insert).append("('他', 0, 0, 0, 2, '3.')").constData());
        QVERIFY(!doc.ReloadAccountItems());
        QCOMPARE(m_host.notices, QStringList{treeBroken});
        QCOMPARE(tree.size(), 1);
        QCOMPARE(items.m_firstChild->m_firstChild->m_data.name, u"給与"_s);
    }
};

QTEST_GUILESS_MAIN(TestKinzoDoc)
#include "test_kinzo_doc.moc"
