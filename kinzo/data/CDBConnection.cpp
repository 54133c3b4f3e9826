#include "kinzo/data/CDBConnection.h"

#include "kinzo/data/CJetTranslator.h"
#include "kinzo/data/CsvTransfer.h"
#include "kinzo/data/KinzoSchema.h"
#include "kinzo/data/SqlFunctions.h"
#include "kinzo/data/TableCopy.h"

#include <QFileInfo>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

int exec(sqlite3* db, const char* sql)
{
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
}

QString engineError(sqlite3* db)
{
    return QString::fromUtf8(sqlite3_errmsg(db));
}

// The transaction of one statement: a transaction of its own, or a savepoint
// inside the one already open. Rolls back unless committed.
class StatementTransaction {
public:
    explicit StatementTransaction(sqlite3* db) : m_db(db), m_nested(!sqlite3_get_autocommit(db))
    {
        m_began = exec(db, m_nested ? "SAVEPOINT kinzo_statement" : "BEGIN IMMEDIATE") == SQLITE_OK;
    }
    ~StatementTransaction()
    {
        if (m_began && !m_committed)
            exec(m_db, m_nested ? "ROLLBACK TO kinzo_statement; RELEASE kinzo_statement" : "ROLLBACK");
    }
    bool Began(QString& error) const
    {
        if (!m_began) error = engineError(m_db);
        return m_began;
    }
    bool Commit(QString& error)
    {
        m_committed = exec(m_db, m_nested ? "RELEASE kinzo_statement" : "COMMIT") == SQLITE_OK;
        if (!m_committed) error = engineError(m_db);
        return m_committed;
    }

private:
    sqlite3* m_db;
    bool m_nested;
    bool m_began = false;
    bool m_committed = false;
};

// Prepares exactly one statement; text after it is refused, so that a value
// can never smuggle in a second one.
sqlite3_stmt* prepareOne(sqlite3* db, const QByteArray& utf8, bool persistent, QString& error)
{
    sqlite3_stmt* stmt = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v3(db, utf8.constData(), int(utf8.size()), persistent ? SQLITE_PREPARE_PERSISTENT : 0, &stmt,
                           &tail) != SQLITE_OK) {
        error = engineError(db);
        return nullptr;
    }
    if (!stmt) {
        error = u"実行する文がありません。"_s;
        return nullptr;
    }
    for (; tail && *tail; ++tail) {
        if (*tail != ' ' && *tail != ';' && *tail != '\n' && *tail != '\r' && *tail != '\t') {
            sqlite3_finalize(stmt);
            error = u"一度に実行できる文は一つだけです。"_s;
            return nullptr;
        }
    }
    return stmt;
}

bool samePath(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

}  // namespace

CDBConnection::~CDBConnection()
{
    Close();
}

int CDBConnection::Open(const QString& path)
{
    if (OpenUnchanged(path, Access::ReadWrite) != 1) return 0;
    QString error;
    if (!RestoreSupport(error)) {
        Close();
        m_error = error;
        return 0;
    }
    return 1;
}

int CDBConnection::OpenUnchanged(const QString& path, Access access)
{
    m_error.clear();
    m_errorCode = SQLITE_OK;
    Close();
    sqlite3* db = nullptr;
    const int flags = (access == Access::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_URI;
    if (const int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr); rc != SQLITE_OK) {
        sqlite3_close(db);
        m_error = u"CDBConnection Open失敗"_s;
        m_errorCode = rc;
        return 0;
    }
    sqlite3_busy_timeout(db, m_busyTimeout);
    // Statement journals in memory: inside a long transaction (a whole CSV
    // import) every statement needs one, and as files they cost more than the
    // statements themselves.
    exec(db, "PRAGMA temp_store = MEMORY");
    // Reading the catalogue tells a database from any other file, and a locked
    // or damaged one, now rather than at the first operation.
    int rc = exec(db, "SELECT count(*) FROM sqlite_master");
    if (rc == SQLITE_OK && !RegisterJetFunctions(db)) rc = sqlite3_errcode(db);
    if (rc != SQLITE_OK) {
        m_error = engineError(db);
        m_errorCode = rc;
        sqlite3_close(db);
        return 0;
    }
    m_db = db;
    m_cache = std::make_shared<CStatementCache>();
    m_path = path;
    m_schemaVersion = -1;
    m_readOnly = access == Access::ReadOnly;
    return 1;
}

bool CDBConnection::RestoreSupport(QString& error)
{
    if (!m_db) {
        error = u"データベースに接続されていません。"_s;
        return false;
    }
    if (m_readOnly) return true;
    const int rc = kinzo_schema::EnsureSupport(m_db, error);
    if (rc == SQLITE_OK || (rc & 0xff) == SQLITE_READONLY || (rc & 0xff) == SQLITE_BUSY) {
        error.clear();
        return true;
    }
    return false;
}

int CDBConnection::QuickCheck(QString& error)
{
    if (!m_db) return SQLITE_MISUSE;
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(m_db, "PRAGMA quick_check(1)", -1, &stmt, nullptr);
    QString result;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(stmt);
        if (rc == SQLITE_ROW) {
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
            rc = SQLITE_OK;
        }
    }
    if (rc != SQLITE_OK && rc != SQLITE_DONE) error = engineError(m_db);
    else if (result != u"ok"_s) {
        rc = SQLITE_CORRUPT;
        error = result;
    } else rc = SQLITE_OK;
    sqlite3_finalize(stmt);
    return rc;
}

int CDBConnection::Close()
{
    if (!m_db) return 1;
    m_cache->Clear();
    m_cache.reset();
    const int rc = sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_path.clear();
    m_transactionDepth = 0;
    m_readOnly = false;
    if (rc != SQLITE_OK) {
        m_error = u"CDBConnection Close失敗"_s;
        return 0;
    }
    return 1;
}

void CDBConnection::SetBusyTimeout(int milliseconds)
{
    m_busyTimeout = milliseconds;
    if (m_db) sqlite3_busy_timeout(m_db, milliseconds);
}

bool CDBConnection::Execute(const QString& jetSql, QString& error)
{
    if (RefusedInsideProgress(error)) return false;
    if (!m_db) {
        error = u"データベースに接続されていません。"_s;
        return false;
    }
    JetStatement statement;
    if (!CJetTranslator::Translate(jetSql, statement, error)) return false;
    switch (statement.kind) {
    case JetStatement::Kind::Sql: return RunSql(statement, error);
    case JetStatement::Kind::ExportCsv: return csv_transfer::ExportTable(m_db, statement.table, statement.csvPath, error);
    case JetStatement::Kind::ImportCsv: {
        StatementTransaction transaction(m_db);
        return transaction.Began(error) && csv_transfer::ImportTable(m_db, statement.table, statement.csvPath, error) &&
               transaction.Commit(error);
    }
    case JetStatement::Kind::CopyTable: return CopyTableIn(statement, error);
    }
    return false;
}

bool CDBConnection::ExportCsv(const QString& table, const QString& csvPath, QString& error, const RowProgress& progress)
{
    if (!m_db) {
        error = u"データベースに接続されていません。"_s;
        return false;
    }
    return csv_transfer::ExportTable(m_db, table, csvPath, error, progress);
}

bool CDBConnection::ReplaceWithCsv(const QString& table, const QString& csvPath, QString& error, bool& deleteFailed,
                                   const RowProgress& progress)
{
    deleteFailed = false;
    if (!m_db) {
        error = u"データベースに接続されていません。"_s;
        return false;
    }
    // The rows go in under the same savepoint that the delete ran under: one
    // opened between the two would copy every page the delete freed into its
    // journal as the rows reuse them. Indexes and month totals are dropped
    // meanwhile and built once at the end.
    StatementTransaction transaction(m_db);
    if (!transaction.Began(error)) return false;
    {
        BusyProgress clearing(*this, progress, 0);
        if (clearing.Stopped() || kinzo_schema::DropSupport(m_db, table, error) != SQLITE_OK || !clearing.Report())
            return false;
        if (!Execute(u"DELETE FROM %1"_s.arg(table), error)) {
            deleteFailed = !clearing.Stopped();
            return false;
        }
        if (!clearing.Report()) return false;
    }
    if (!csv_transfer::ImportTable(m_db, table, csvPath, error, progress)) return false;
    const BusyProgress finishing(*this, progress);
    if (finishing.Stopped()) return false;
    return kinzo_schema::EnsureSupport(m_db, error) == SQLITE_OK && transaction.Commit(error);
}

bool CDBConnection::RefusedInsideProgress(QString& error) const
{
    if (m_insideProgress) error = u"データベースは作業中です。"_s;
    return m_insideProgress;
}

CDBConnection::BusyProgress::BusyProgress(CDBConnection& connection, const RowProgress& progress, qint64 done)
    : m_connection(connection), m_progress(progress), m_done(done)
{
    if (!m_progress || !m_connection.m_db) return;
    m_sinceReport.start();
    m_stopped = !m_progress(m_done, 0);
    // Every thousand engine steps is often enough for the clock to decide.
    sqlite3_progress_handler(m_connection.m_db, 1000, &BusyProgress::OnEngineStep, this);
}

CDBConnection::BusyProgress::~BusyProgress()
{
    if (m_progress && m_connection.m_db) sqlite3_progress_handler(m_connection.m_db, 0, nullptr, nullptr);
}

bool CDBConnection::BusyProgress::Report()
{
    if (m_progress && !m_stopped) {
        m_stopped = !m_progress(m_done, 0);
        m_sinceReport.restart();
    }
    return !m_stopped;
}

int CDBConnection::BusyProgress::OnEngineStep(void* self)
{
    auto* busy = static_cast<BusyProgress*>(self);
    // Once stopped, the rollback that follows must not be interrupted too.
    if (busy->m_stopped || busy->m_sinceReport.elapsed() < 50) return 0;
    busy->m_connection.m_insideProgress = true;
    busy->m_stopped = !busy->m_progress(busy->m_done, 0);
    busy->m_connection.m_insideProgress = false;
    busy->m_sinceReport.restart();
    return busy->m_stopped ? 1 : 0;
}

std::unique_ptr<CDbRecordset> CDBConnection::Prepare(const JetStatement& statement, QString& error, bool cached)
{
    const QByteArray utf8 = statement.sql.toUtf8();
    sqlite3_stmt* stmt = cached ? m_cache->Take(utf8) : nullptr;
    if (!stmt) stmt = prepareOne(m_db, utf8, cached, error);
    if (!stmt) return nullptr;
    for (int i = 0; i < statement.parameters.size(); ++i) {
        const QByteArray value = statement.parameters[i].toUtf8();
        sqlite3_bind_text(stmt, i + 1, value.constData(), int(value.size()), SQLITE_TRANSIENT);
    }
    return std::make_unique<CDbRecordset>(stmt, cached ? m_cache : nullptr, utf8);
}

bool CDBConnection::RunSql(const JetStatement& statement, QString& error)
{
    StatementTransaction transaction(m_db);
    if (!transaction.Began(error)) return false;
    const auto recordset = Prepare(statement, error, true);
    if (!recordset) return false;
    CDbRecordset::Step step;
    while ((step = recordset->Next()) == CDbRecordset::Step::Row) {
    }
    if (step == CDbRecordset::Step::Failed) {
        error = recordset->Error();
        return false;
    }
    return transaction.Commit(error);
}

std::unique_ptr<CDbRecordset> CDBConnection::Query(const QString& jetSql, QString& error, bool kept)
{
    if (RefusedInsideProgress(error)) return nullptr;
    if (!m_db) {
        error = u"データベースに接続されていません。"_s;
        return nullptr;
    }
    JetStatement statement;
    if (!CJetTranslator::Translate(jetSql, statement, error)) return nullptr;
    if (statement.kind != JetStatement::Kind::Sql) {
        error = u"この文は行を返しません。"_s;
        return nullptr;
    }
    return Prepare(statement, error, !kept);
}

bool CDBConnection::BeginTrans(QString& error)
{
    if (RefusedInsideProgress(error)) return false;
    if (!m_db) {
        error = u"データベースに接続されていません。"_s;
        return false;
    }
    // A transaction begun inside another one is a savepoint of it.
    const QByteArray sql = m_transactionDepth == 0 ? QByteArray("BEGIN IMMEDIATE")
                                                   : "SAVEPOINT kinzo_" + QByteArray::number(m_transactionDepth);
    if (exec(m_db, sql.constData()) != SQLITE_OK) {
        error = engineError(m_db);
        return false;
    }
    ++m_transactionDepth;
    return true;
}

bool CDBConnection::CommitTrans(QString& error)
{
    if (RefusedInsideProgress(error)) return false;
    if (!m_db || m_transactionDepth == 0) {
        error = u"トランザクションが開始されていません。"_s;
        return false;
    }
    const QByteArray sql =
        m_transactionDepth == 1 ? QByteArray("COMMIT") : "RELEASE kinzo_" + QByteArray::number(m_transactionDepth - 1);
    if (exec(m_db, sql.constData()) != SQLITE_OK) {
        error = engineError(m_db);
        return false;
    }
    --m_transactionDepth;
    return true;
}

void CDBConnection::RollbackTrans()
{
    if (m_insideProgress || !m_db || m_transactionDepth == 0) return;
    --m_transactionDepth;
    if (m_transactionDepth == 0) {
        if (!sqlite3_get_autocommit(m_db)) exec(m_db, "ROLLBACK");
        return;
    }
    const QByteArray name = "kinzo_" + QByteArray::number(m_transactionDepth);
    exec(m_db, ("ROLLBACK TO " + name + "; RELEASE " + name).constData());
}

bool CDBConnection::HasMonthTotals()
{
    CheckTotals();
    return m_monthTotals;
}

bool CDBConnection::HasRunningTotals()
{
    CheckTotals();
    return m_runningTotals;
}

bool CDBConnection::HasBalances()
{
    CheckTotals();
    return m_balances;
}

bool CDBConnection::HasFiscalYearTotals()
{
    CheckTotals();
    return m_fiscalYears;
}

bool CDBConnection::KeepFiscalYearsFrom(int startMonth)
{
    QString error;
    if (!m_db || m_readOnly || m_transactionDepth > 0 || RefusedInsideProgress(error) || !HasFiscalYearTotals())
        return false;
    StatementTransaction transaction(m_db);
    return transaction.Began(error) && kinzo_schema::SetFiscalYearStart(m_db, startMonth, error) == SQLITE_OK &&
           transaction.Commit(error);
}

void CDBConnection::CheckTotals()
{
    if (!m_db) {
        m_monthTotals = m_runningTotals = m_balances = m_fiscalYears = false;
        return;
    }
    // Asked before every whole-month total: the schema cookie tells cheaply
    // whether tables or triggers changed since the last look.
    static const QByteArray cookie("PRAGMA schema_version");
    sqlite3_stmt* stmt = m_cache->Take(cookie);
    if (!stmt) sqlite3_prepare_v3(m_db, cookie.constData(), -1, SQLITE_PREPARE_PERSISTENT, &stmt, nullptr);
    const int version = stmt && sqlite3_step(stmt) == SQLITE_ROW ? sqlite3_column_int(stmt, 0) : -1;
    if (stmt) m_cache->Give(cookie, stmt);
    if (version != m_schemaVersion || version < 0) {
        m_monthTotals = kinzo_schema::HasMonthTotals(m_db);
        m_runningTotals = kinzo_schema::HasRunningTotals(m_db);
        m_balances = kinzo_schema::HasBalances(m_db);
        m_fiscalYears = kinzo_schema::HasFiscalYearTotals(m_db);
        m_schemaVersion = version;
    }
}

bool CDBConnection::CopyTableIn(const JetStatement& statement, QString& error)
{
    if (statement.table != statement.sourceTable) {
        error = u"コピー元とコピー先のテーブル名が違います。"_s;
        return false;
    }
    // The copy runs on the target file as the main database, with the source
    // attached; this connection serves when it is open on the target.
    sqlite3* target = m_db;
    if (!samePath(statement.targetFile, m_path)) {
        target = nullptr;
        if (sqlite3_open_v2(statement.targetFile.toUtf8().constData(), &target, SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI, nullptr) !=
            SQLITE_OK) {
            error = engineError(target) + u": "_s + statement.targetFile;
            sqlite3_close(target);
            return false;
        }
        sqlite3_busy_timeout(target, m_busyTimeout);
    }
    const bool copied = CopyTableFrom(target, statement.sourceFile, statement.table, error);
    if (target != m_db) sqlite3_close(target);
    return copied;
}

int CopyTable(const QString& table, const QString& targetFile, const QString& sourceFile, QString* error)
{
    CDBConnection connection;
    QString reason;
    bool ok = connection.Open(targetFile) == 1;
    if (!ok) reason = connection.m_error;
    else {
        // The paths go over as values: any name the file system allows works.
        JetStatement copy;
        copy.kind = JetStatement::Kind::CopyTable;
        copy.table = copy.sourceTable = table;
        copy.targetFile = targetFile;
        copy.sourceFile = sourceFile;
        ok = connection.CopyTableIn(copy, reason);
    }
    if (error) *error = reason;
    return ok ? 1 : 0;
}

int DropTable(const QString& dataFile, const QString& table, QString* error)
{
    CDBConnection connection;
    QString reason;
    bool ok = connection.Open(dataFile) == 1;
    if (!ok) reason = connection.m_error;
    else ok = connection.Execute(u"DROP TABLE %1"_s.arg(table), reason);
    if (error) *error = reason;
    return ok ? 1 : 0;
}
