#pragma once
// One open data file. The application owns the connection of the open
// document for the whole run; CopyTable and DropTable open short-lived ones.
// Every statement is Jet SQL as the rest of the program writes it and goes
// through CJetTranslator; statements that change data run in a transaction of
// their own (or inside the one BeginTrans opened) and are rolled back on error.
// Single-threaded: use a connection from one thread only. Nothing throws.

#include "kinzo/data/CDbRecordset.h"
#include "kinzo/data/RowProgress.h"

#include <QElapsedTimer>
#include <QString>

#include <memory>

struct sqlite3;

class CDBConnection {
public:
    CDBConnection() = default;
    ~CDBConnection();
    CDBConnection(const CDBConnection&) = delete;
    CDBConnection& operator=(const CDBConnection&) = delete;

    // Opens an existing data file (never creates one), closing an open
    // connection first, and brings back the derived objects it lacks
    // (RestoreSupport). Returns 1 on success. Returns 0 when the file cannot
    // be opened ("CDBConnection Open失敗") or is no readable database (the
    // engine's text, e.g. "file is not a database", "database is locked"),
    // with the text in m_error, the engine's result code in m_errorCode and
    // the connection closed.
    int Open(const QString& path);
    // As Open, but writes nothing to the file: no derived object is made and
    // no total rebuilt. A read-only connection refuses every write with the
    // engine's "attempt to write a readonly database".
    enum class Access { ReadWrite, ReadOnly };
    int OpenUnchanged(const QString& path, Access access);
    // Creates the derived objects the open file lacks and rebuilds the month
    // totals when they no longer match the entries (KinzoSchema.h). A file
    // that cannot take them now (read-only, locked) is still read without
    // them, and that is no failure. Returns false with the reason in error.
    bool RestoreSupport(QString& error);
    // Reads every page of the file; SQLITE_OK when it is whole, otherwise
    // the engine's code (SQLITE_CORRUPT for damage) with its text in error.
    int QuickCheck(QString& error);
    bool IsReadOnly() const { return m_db && m_readOnly; }
    // Closes the connection; an open transaction is rolled back. Returns 1, or
    // 0 with "CDBConnection Close失敗" in m_error.
    int Close();
    bool IsOpen() const { return m_db != nullptr; }

    QString m_path;   // the data file of the open connection
    QString m_error;  // the last error text of Open and Close
    int m_errorCode = 0;  // the engine's result code of the last failed Open

    // --- for the table wrappers and the rest of the data layer ---

    // Runs one statement of any kind, in a transaction (see above); SELECT rows
    // are read and dropped. Returns false with the reason in error.
    bool Execute(const QString& jetSql, QString& error);
    // Prepares one SELECT. Returns nullptr with the reason in error. A
    // recordset that stays open across calls (kept) is never shared with
    // later statements; others reuse prepared statements of the same text.
    std::unique_ptr<CDbRecordset> Query(const QString& jetSql, QString& error, bool kept = false);

    // Replaces every row of the table with those of the CSV file
    // (CsvTransfer.h) in one transaction, or one savepoint of the open one:
    // on failure the table is as it was. Its indexes (and the month totals)
    // are built once after the rows are in. deleteFailed tells whether the
    // removal of the old rows or the reading of the file failed.
    // REQUIRES: no recordset of this connection is open on the table.
    bool ReplaceWithCsv(const QString& table, const QString& csvPath, QString& error, bool& deleteFailed,
                        const RowProgress& progress = {});

    // The table to a CSV file (CsvTransfer.h), replacing the file. The path
    // is a value, never SQL text, so any name the file system allows works.
    bool ExportCsv(const QString& table, const QString& csvPath, QString& error, const RowProgress& progress = {});

    // An explicit transaction around several statements; one begun inside
    // another is a savepoint of it. Rollback does nothing when none is open.
    bool BeginTrans(QString& error);
    bool CommitTrans(QString& error);
    void RollbackTrans();

    // True when the file keeps month totals (KinzoSchema.h) that answer the
    // carry-over and the totals of whole months.
    bool HasMonthTotals();
    // True when it also keeps the running totals that answer them in one read
    // per account item.
    bool HasRunningTotals();
    // True when it also keeps the month and day balances that answer the
    // carry-over in two reads.
    bool HasBalances();
    // True when it keeps totals per fiscal year and account item.
    bool HasFiscalYearTotals();
    // Re-keys those totals to fiscal years that begin in startMonth (1 to 12),
    // in a transaction of its own. Refused (false) while a transaction of the
    // caller is open, inside a progress call, or on a file that cannot take
    // the write; the totals then stay as they were.
    bool KeepFiscalYearsFrom(int startMonth);

    // How long a statement waits for another connection's lock (milliseconds).
    void SetBusyTimeout(int milliseconds);

    sqlite3* Handle() const { return m_db; }

    // While it lives, a long statement on the connection (an index build, a
    // rebuild of totals, a delete of every row) calls progress(done, 0) about
    // every 50 ms and once when it begins; a false answer interrupts the
    // statement, which then fails so that the caller rolls back. Statements
    // begun from inside that call are refused: the engine may not be entered
    // while it runs one.
    class BusyProgress {
    public:
        BusyProgress(CDBConnection& connection, const RowProgress& progress, qint64 done = FinishingWork);
        ~BusyProgress();
        BusyProgress(const BusyProgress&) = delete;
        BusyProgress& operator=(const BusyProgress&) = delete;
        bool Stopped() const { return m_stopped; }
        // Tells progress now, between two statements; false once stopped.
        bool Report();

    private:
        static int OnEngineStep(void* self);
        CDBConnection& m_connection;
        const RowProgress& m_progress;
        QElapsedTimer m_sinceReport;
        qint64 m_done;
        bool m_stopped = false;
    };

private:
    bool RefusedInsideProgress(QString& error) const;
    bool RunSql(const struct JetStatement& statement, QString& error);
    std::unique_ptr<CDbRecordset> Prepare(const struct JetStatement& statement, QString& error, bool cached);
    bool CopyTableIn(const struct JetStatement& statement, QString& error);
    friend int CopyTable(const QString&, const QString&, const QString&, QString*);

    sqlite3* m_db = nullptr;
    std::shared_ptr<CStatementCache> m_cache;
    int m_busyTimeout = 2000;
    void CheckTotals();
    int m_schemaVersion = -1;  // of the file when the totals were last checked
    bool m_monthTotals = false;
    bool m_runningTotals = false;
    bool m_balances = false;
    bool m_fiscalYears = false;
    bool m_readOnly = false;
    int m_transactionDepth = 0;
    bool m_insideProgress = false;
};

// Creates the table of the source data file in the target data file, with its
// columns, types and AutoNumber key, and copies every row (the statement
// "SELECT * INTO [;DATABASE=target].[table] FROM [;DATABASE=source].[table]").
// The table must not exist in the target. Opens its own connection.
// Returns 1 on success, 0 on failure with the reason in *error when given.
int CopyTable(const QString& table, const QString& targetFile, const QString& sourceFile, QString* error = nullptr);

// "DROP TABLE table" on its own connection to the data file; 1 or 0 as above.
int DropTable(const QString& dataFile, const QString& table, QString* error = nullptr);
