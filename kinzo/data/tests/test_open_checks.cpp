// Opening files that are no whole ledger: each is refused with the reason in
// the user's words, the engine's text goes to the log, and the file keeps
// every byte. Files that may not be written open read-only and stay as they
// were.

#include "DocTestFiles.h"
#include "RecordingHost.h"

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/KinzoSchema.h"
#include "kinzo/data/Ver1Converter.h"

#include <QCryptographicHash>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

const QString connectFailed = u"データベースへの接続に失敗しました。\n"_s;
const QString readOnlyNotice = u"読み取り専用で開きました。"_s;

QByteArray hashOf(const QString& path)
{
    return QCryptographicHash::hash(ReadAll(path), QCryptographicHash::Sha256);
}

// The columns of a table of the schema, as a fresh file has them.
QStringList columnsOf(const QString& path, const QString& table)
{
    sqlite3* db = nullptr;
    sqlite3_stmt* stmt = nullptr;
    QStringList columns;
    sqlite3_open(path.toUtf8().constData(), &db);
    sqlite3_prepare_v2(db, "SELECT name FROM pragma_table_info(?)", -1, &stmt, nullptr);
    sqlite3_bind_text(stmt, 1, table.toUtf8().constData(), -1, SQLITE_TRANSIENT);
    while (sqlite3_step(stmt) == SQLITE_ROW)
        columns << QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    sqlite3_close(db);
    return columns;
}

}  // namespace

class TestOpenChecks : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    // A closed ledger with an item, a counterparty and 300 entries, so that it
    // spans many pages.
    QString makeLedger(const QString& name = QString())
    {
        const QString path = m_dir.filePath(name.isEmpty() ? u"ledger%1.kzd"_s.arg(++m_files) : name);
        CDBConnection connection;
        RecordingHost host;
        CKinzoDoc doc(connection, host);
        if (!doc.OnNewDocument(path)) return QString();
        _AccountItem food = _AccountItem::ChildOf(doc.AccountItems().m_lastChild->m_data, u"食費"_s);
        food.code = u"2.1."_s;
        doc.AccountTable().AddItem(food);
        _CaterData cater{0, u"八百屋"_s, 1};
        doc.CaterTable().AddCater(cater);
        QString error;
        connection.BeginTrans(error);
        for (int i = 0; i < 300; ++i) {
            _KinzoEntry entry{0, QDate(2010, 4, 1).addDays(i), food.ID, 100 + i, cater.ID, 0, u"メモ %1"_s.arg(i)};
            doc.KinzoTable().AddEntry(entry);
        }
        connection.CommitTrans(error);
        return path;
    }

    // Recreates the table without the column, behind the program's back.
    static void dropColumn(const QString& path, const QString& table, const QString& column)
    {
        const QStringList kept = columnsOf(path, table).filter(QRegularExpression(u"^(?!"_s + column + u"$)"_s));
        const QString list = u"\""_s + kept.join(u"\", \""_s) + u"\""_s;
        RunSql(path, u"PRAGMA legacy_alter_table = ON; DROP VIEW IF EXISTS View_出納簿;"
                     "CREATE TABLE t_new AS SELECT %1 FROM \"%2\"; DROP TABLE \"%2\";"
                     "ALTER TABLE t_new RENAME TO \"%2\";"_s.arg(list, table)
                         .toUtf8()
                         .constData());
    }

    struct Outcome {
        bool opened;
        QStringList notices;
        QStringList log;
        bool unchanged;
    };
    Outcome open(const QString& path)
    {
        const QByteArray before = hashOf(path);
        CDBConnection connection;
        RecordingHost host;
        CKinzoDoc doc(connection, host);
        const bool opened = doc.OnOpenDocument(path);
        const bool clean = opened || (!doc.IsOpen() && !connection.IsOpen());
        doc.OnNewDocument(QString());  // closes it
        return {opened && clean, clean ? host.notices : QStringList{u"not closed"_s}, host.logLines,
                hashOf(path) == before};
    }

private Q_SLOTS:
    void refusedFilesKeepEveryByte_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("reason");
        QTest::addColumn<bool>("logged");

        const auto file = [&](const QString& name, const QByteArray& bytes) {
            const QString path = m_dir.filePath(name);
            WriteAll(path, bytes);
            return path;
        };
        const QString notLedger = u"このファイルはデータファイルではありません。"_s;
        const QString broken = u"ファイルが壊れています。"_s;
        QTest::newRow("empty") << file(u"empty.kzd"_s, {}) << u"ファイルが空です。"_s << false;
        QByteArray noise(8192, '\0');
        for (char& c : noise) c = char(QRandomGenerator::global()->bounded(256));
        QTest::newRow("random bytes") << file(u"noise.kzd"_s, noise) << notLedger << false;
        QTest::newRow("text renamed") << file(u"memo.kzd"_s, "2010/04/01,食費,1500\r\n"_ba) << notLedger << false;
        const QString folder = m_dir.filePath(u"folder.kzd"_s);
        QDir().mkdir(folder);
        QTest::newRow("a folder") << folder << u"フォルダが選ばれています。ファイルを選んでください。"_s << false;
        const QString foreign = m_dir.filePath(u"foreign.kzd"_s);
        RunSql(foreign, "CREATE TABLE songs (title TEXT); INSERT INTO songs VALUES ('a');");
        QTest::newRow("another program's database") << foreign << notLedger << true;

        for (const kinzo_schema::Section& section : kinzo_schema::Sections()) {
            if (section.isView) continue;
            const QString path = makeLedger();
            RunSql(path, u"DROP TABLE \"%1\";"_s.arg(section.name).toUtf8().constData());
            QTest::newRow(qPrintable(u"no table "_s + section.name))
                << path << u"必要な表がありません（%1）。"_s.arg(section.name) << true;
            const QString fresh = makeLedger();
            for (const QString& column : columnsOf(fresh, section.name)) {
                // Without its period the payment table is the older layout, upgraded on opening.
                if (section.name == u"定期支払"_s && column == u"開始日"_s) continue;
                const QString path = makeLedger();
                dropColumn(path, section.name, column);
                QTest::newRow(qPrintable(u"no column %1.%2"_s.arg(section.name, column)))
                    << path << u"必要な列がありません（%1.%2）。"_s.arg(section.name, column) << true;
            }
        }

        const QString truncated = makeLedger();
        WriteAll(truncated, ReadAll(truncated).left(ReadAll(truncated).size() / 2));
        QTest::newRow("truncated") << truncated << broken << true;
        const QString overwritten = makeLedger();
        QByteArray bytes = ReadAll(overwritten);
        const int pageSize = 4096;
        bytes.replace(pageSize * (bytes.size() / pageSize / 2), pageSize, QByteArray(pageSize, '\x5a'));
        WriteAll(overwritten, bytes);
        QTest::newRow("one page overwritten") << overwritten << broken << true;
    }

    void refusedFilesKeepEveryByte()
    {
        QFETCH(QString, path);
        QFETCH(QString, reason);
        QFETCH(bool, logged);
        const Outcome outcome = open(path);
        QVERIFY(!outcome.opened);
        QCOMPARE(outcome.notices, QStringList{connectFailed + reason});
        QVERIFY(outcome.unchanged);
        QCOMPARE(!outcome.log.isEmpty(), logged);
    }

    void aLedgerInUseIsRefusedUntouched()
    {
        const QString path = makeLedger();
        sqlite3* other = nullptr;
        QCOMPARE(sqlite3_open(path.toUtf8().constData(), &other), SQLITE_OK);
        QCOMPARE(sqlite3_exec(other, "BEGIN EXCLUSIVE; DELETE FROM 出納簿 WHERE ID = 1;", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        const Outcome outcome = open(path);
        sqlite3_exec(other, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(other);
        QVERIFY(!outcome.opened);
        QCOMPARE(outcome.notices, QStringList{connectFailed + u"他のプログラムが使用中です。"_s});
        QVERIFY2(outcome.log.join(u' ').contains(u"database is locked"_s), qPrintable(outcome.log.join(u' ')));
        QVERIFY(outcome.unchanged);
    }

    void theOlderPaymentLayoutIsStillUpgraded()
    {
        const QString path = makeLedger();
        dropColumn(path, u"定期支払"_s, u"開始日"_s);
        CDBConnection connection;
        RecordingHost host;
        CKinzoDoc doc(connection, host);
        QVERIFY(doc.OnOpenDocument(path));
        QCOMPARE(host.notices, QStringList());
        QCOMPARE(doc.PaymentLayout(), 1);
        QCOMPARE(RowsOf(connection, u"出納簿"_s).size(), 300);
    }

    void readOnlyLedgersOpenUnwritten_data()
    {
        QTest::addColumn<QString>("way");
        QTest::newRow("file mode 0444") << u"mode"_s;
        QTest::newRow("read-only folder") << u"folder"_s;
        QTest::newRow("read-only medium") << u"medium"_s;
    }

    void readOnlyLedgersOpenUnwritten()
    {
        QFETCH(QString, way);
        QTemporaryDir folder;
        const QString source = makeLedger();
        // Derived objects missing and month totals stale: a writable file would get them back.
        RunSql(source, "DROP INDEX 出納簿_科目; DELETE FROM _月計;");
        const QString path = folder.filePath(u"読み取り専用.kzd"_s);
        const auto mount = [&](const QString& options) {
            return QProcess::execute(u"mount"_s, {u"-t"_s, u"tmpfs"_s, u"-o"_s, options, u"tmpfs"_s, folder.path()});
        };
        if (way == u"medium"_s && mount(u"size=4m"_s) != 0) QSKIP("no read-only medium can be mounted here");
        QVERIFY(QFile::copy(source, path));
        const QFile::Permissions folderMode = QFile::permissions(folder.path());
        if (way == u"mode"_s) QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
        if (way == u"folder"_s) QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
        if (way == u"medium"_s)
            QCOMPARE(QProcess::execute(u"mount"_s, {u"-o"_s, u"remount,ro"_s, folder.path()}), 0);
        const QByteArray before = hashOf(path);

        CDBConnection connection;
        RecordingHost host;
        CKinzoDoc doc(connection, host);
        const bool opened = doc.OnOpenDocument(path);
        const bool readOnly = doc.IsReadOnly();
        _KinzoEntry entry{0, QDate(2011, 1, 1), 3, 10, 0, 0, QString()};
        const DbStatus added = doc.KinzoTable().AddEntry(entry);
        const QString addError = doc.KinzoTable().m_lastError;
        QList<_ViewEntry> entries;
        doc.KinzoView().SelectRange(QDate(2010, 1, 1), QDate(2011, 12, 31), entries);
        const qsizetype listed = entries.size();
        const bool deleted = doc.DeleteDataFile();
        const QStringList notices = host.notices;
        doc.OnNewDocument(QString());
        const QByteArray after = hashOf(path);
        const bool leftovers = QFile::exists(path + u"-journal"_s);

        QFile::setPermissions(folder.path(), folderMode);
        if (way == u"medium"_s) QProcess::execute(u"umount"_s, {folder.path()});
        QVERIFY(opened && readOnly);
        QCOMPARE(listed, 300);
        QCOMPARE(added, DbStatus::InsertFailed);
        QVERIFY2(addError.contains(u"readonly"_s), qPrintable(addError));
        QVERIFY(!deleted);
        QCOMPARE(notices, (QStringList{readOnlyNotice, u"読み取り専用で開いたファイルは変更できません。"_s}));
        QCOMPARE(after, before);
        QVERIFY(!leftovers);
    }

    void leftoversOfAConversionAreRemoved()
    {
        QTemporaryDir folder;
        const QString work = folder.filePath(u".家計.kzd.converting"_s);
        WriteAll(work, QByteArray(1 << 20, 'x'));
        WriteAll(work + u"-journal"_s, QByteArray(4096, 'j'));
        const QString ledger = folder.filePath(u"家計.kzd"_s);
        WriteAll(ledger, "keep"_ba);
        RemoveConversionLeftovers(folder.path());
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"家計.kzd"_s});
    }
};

QTEST_GUILESS_MAIN(TestOpenChecks)
#include "test_open_checks.moc"
