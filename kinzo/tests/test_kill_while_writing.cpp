// The program killed while it writes entries: a child process adds entries
// through the document and reports each one after it was stored; it is
// killed at a random moment, again and again. After every kill the file must
// be whole, open as a ledger without a message, hold every entry reported,
// and every kept total must match its entries. The number of kills is
// bounded (KINZO_KILLS, 30 by default); the figures are printed.

#include "kinzo/data/CKinzoDoc.h"
#include "kinzo/data/CKinzoDocHost.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <cstdlib>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

class QuietHost : public CKinzoDocHost {
public:
    QStringList notices;
    void Notice(const QString& text) override { notices << text; }
    void Log(const QString&) override {}
    QString ProgramFolder() const override { return QStringLiteral(KINZO_PROGRAM_DIR); }
    void WriteDBFileName(const QString&) override {}
    bool MainWindowReady() const override { return false; }
};

// The amount the child gives entry number n, so the parent can check it.
qint64 amountOf(int id)
{
    return 1000 + qint64(id) * 7 % 100000;
}

// The child: asks for fiscal-year totals of years that begin in startMonth
// (so the file's kept years are re-keyed to them), then adds entries until it
// is killed, one line "<id>" after each.
int writeEntries(const QString& path, int startMonth)
{
    CDBConnection connection;
    QuietHost host;
    CKinzoDoc doc(connection, host);
    if (!doc.OnOpenDocument(path)) return 2;
    const int item = doc.AccountItems().m_lastChild->m_data.ID;
    ValueMapList years;
    if (doc.KinzoView().FiscalYearTotals(QDate(), QDate(), startMonth, years) != DbStatus::Ok) return 4;
    for (;;) {
        _KinzoEntry entry{0, QDate(2010, 1, 1), item, 0, 0, 0, u"kill test"_s};
        qint64 count = 0;
        QDate first, last;
        doc.KinzoTable().GetDateRange(first, last, count);
        entry.date = QDate(2010, 1, 1).addDays(int(count % 3000));
        entry.amount = amountOf(int(count) + 1);  // the next key while no entry was deleted
        if (doc.KinzoTable().AddEntry(entry) != DbStatus::Ok) return 3;
        std::printf("%d %lld\n", entry.ID, static_cast<long long>(entry.amount));
        std::fflush(stdout);
    }
}

// Each entry with its fiscal year, as the file's stored start month gives it.
#define FISCAL_YEARS_OF_ENTRIES                                                                                  \
    "SELECT CAST(substr(日付, 1, 4) AS INTEGER) - (CAST(substr(日付, 6, 2) AS INTEGER)"                            \
    " < coalesce((SELECT 開始月 FROM _年度開始), 1)) AS 年度, 勘定科目ID, 金額 FROM 出納簿"

qint64 scalar(sqlite3* db, const char* sql)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    const qint64 value = sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int64(stmt, 0) : -1;
    sqlite3_finalize(stmt);
    return value;
}

QString text(sqlite3* db, const char* sql)
{
    sqlite3_stmt* stmt = nullptr;
    sqlite3_prepare_v2(db, sql, -1, &stmt, nullptr);
    QString value;
    if (sqlite3_step(stmt) == SQLITE_ROW)
        value = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
    sqlite3_finalize(stmt);
    return value;
}

}  // namespace

class TestKillWhileWriting : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everyKillLeavesAWholeLedger()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"killed.kzd"_s);
        {
            CDBConnection connection;
            QuietHost host;
            CKinzoDoc doc(connection, host);
            QVERIFY(doc.OnNewDocument(path));
        }
        const int kills = qEnvironmentVariableIsSet("KINZO_KILLS") ? qEnvironmentVariableIntValue("KINZO_KILLS") : 30;
        int lastReported = 0;
        int aheadOfReport = 0;
        qint64 written = 0;
        QElapsedTimer clock;
        clock.start();
        for (int round = 0; round < kills; ++round) {
            QProcess child;
            child.start(QCoreApplication::applicationFilePath(),
                        {u"--writer"_s, path, QString::number(1 + round * 5 % 12)});
            QVERIFY(child.waitForStarted());
            // Killed at some moment after it started writing.
            QVERIFY2(child.waitForReadyRead(10000), qPrintable(child.readAllStandardError()));
            QTest::qWait(QRandomGenerator::global()->bounded(1, 150));
            child.kill();
            child.waitForFinished();
            const QList<QByteArray> lines = child.readAllStandardOutput().split('\n');
            for (const QByteArray& line : lines) {
                const QList<QByteArray> fields = line.split(' ');
                if (fields.size() != 2) continue;  // a line cut by the kill
                QCOMPARE(fields[1].toLongLong(), amountOf(fields[0].toInt()));
                lastReported = std::max(lastReported, fields[0].toInt());
                ++written;
            }

            sqlite3* db = nullptr;
            // Read-write, as the program opens it: a journal left by the kill is rolled back.
            QCOMPARE(sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
            const QString integrity = text(db, "PRAGMA integrity_check");
            const qint64 last = scalar(db, "SELECT MAX(ID) FROM 出納簿");
            const qint64 count = scalar(db, "SELECT COUNT(*) FROM 出納簿");
            const qint64 lastAmount = scalar(db, "SELECT 金額 FROM 出納簿 WHERE ID = (SELECT MAX(ID) FROM 出納簿)");
            const qint64 totals = scalar(db, "SELECT coalesce(SUM(合計), 0) FROM _月計");
            const qint64 sum = scalar(db, "SELECT coalesce(SUM(金額), 0) FROM 出納簿");
            // Each running total against the entries themselves, up to its month's end.
            const qint64 wrongRunning = scalar(db, "SELECT COUNT(*) FROM _累計 r WHERE r.合計 <> (SELECT coalesce(SUM(金額), 0)"
                                                   " FROM 出納簿 e WHERE e.勘定科目ID = r.勘定科目ID"
                                                   " AND substr(e.日付, 1, 8) || '01' <= r.月初)");
            const qint64 runningRows = scalar(db, "SELECT COUNT(*) FROM _累計");
            // Each day's balance against the entries of its month up to it.
            const qint64 wrongBalance = scalar(db, "SELECT COUNT(*) FROM _日残高 d WHERE d.残高 <> (SELECT coalesce(SUM("
                                                   " CASE a.仕分けID WHEN 1 THEN 金額 WHEN 2 THEN -金額 ELSE 0 END), 0)"
                                                   " FROM 出納簿 e JOIN 勘定科目 a ON a.ID = e.勘定科目ID"
                                                   " WHERE substr(e.日付, 1, 8) = substr(d.日付, 1, 8)"
                                                   " AND substr(e.日付, 1, 10) <= d.日付)");
            const qint64 balanceRows = scalar(db, "SELECT COUNT(*) FROM _日残高");
            // Each fiscal year's total against the entries of that year, for
            // the years that begin in the month the file keeps them for.
            const qint64 wrongYears = scalar(db, "SELECT (SELECT COUNT(*) FROM _年計) - (SELECT COUNT(*) FROM (SELECT"
                                                 " DISTINCT 年度, 勘定科目ID FROM (" FISCAL_YEARS_OF_ENTRIES ")))"
                                                 " + (SELECT COUNT(*) FROM _年計 y WHERE y.合計 <> (SELECT SUM(金額)"
                                                 " FROM (" FISCAL_YEARS_OF_ENTRIES ") e"
                                                 " WHERE e.年度 = y.年度 AND e.勘定科目ID = y.勘定科目ID))");
            sqlite3_close(db);
            QCOMPARE(integrity, u"ok"_s);
            // Every reported entry is there; at most one more was stored
            // before its report could be written.
            QVERIFY2(last == lastReported || last == lastReported + 1,
                     qPrintable(u"last %1, reported %2"_s.arg(last).arg(lastReported)));
            aheadOfReport += last == lastReported + 1 ? 1 : 0;
            lastReported = int(last);
            QCOMPARE(count, last);
            QCOMPARE(lastAmount, amountOf(int(last)));
            QCOMPARE(totals, sum);
            QCOMPARE(wrongRunning, 0);
            QVERIFY(count == 0 || runningRows > 0);
            QCOMPARE(wrongBalance, 0);
            QVERIFY(count == 0 || balanceRows > 0);
            QCOMPARE(wrongYears, 0);
        }
        // And the program opens it as a ledger without a word.
        CDBConnection connection;
        QuietHost host;
        CKinzoDoc doc(connection, host);
        QVERIFY(doc.OnOpenDocument(path));
        QCOMPARE(host.notices, QStringList());
        qInfo("%d kills in %.1f s: %d entries stored, %lld reported, %d stored but killed before the report;"
              " integrity, last entry, month, running and fiscal-year totals and day balances right after every kill",
              kills, clock.elapsed() / 1000.0, lastReported, written, aheadOfReport);
    }
};

int main(int argc, char** argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--writer") == 0) {
        QCoreApplication app(argc, argv);
        return writeEntries(QString::fromLocal8Bit(argv[2]), std::atoi(argv[3]));
    }
    QCoreApplication app(argc, argv);
    TestKillWhileWriting test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_kill_while_writing.moc"
