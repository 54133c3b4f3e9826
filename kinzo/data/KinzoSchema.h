#pragma once
// The data file's schema, read from the schema SQL file that is built into the
// program (schema/kinzo_schema.sql; its header explains the layout).
// The templates are written from it at build time, and every file the data
// layer opens gets back the derived objects it lacks (indexes, the month and
// running totals with their triggers, the stored query): never a table of data.

#include <QString>
#include <QStringList>

struct sqlite3;

namespace kinzo_schema {

// The schema file's text.
QString SchemaText();

// The statements of one "@table" or "@view" part of the file, in file order.
struct Section {
    bool isView = false;
    QString name;         // the table or view
    QStringList needs;    // view: the tables it reads
    QStringList statements;
};
QList<Section> Sections();

enum class FileKind {
    Ledger,   // every table, empty, and the stored query: "_kinzoTemplate.kzd"
    Payment   // only the current 定期支払 table: "_kinzoTemplate_payment.kzd"
};

// Writes a new data file of the kind at path, replacing a file already there.
// Returns false with the reason in error; a half-written file is removed.
bool CreateDataFile(const QString& path, FileKind kind, QString& error);

// Creates the derived objects the open file lacks, for the tables it has, and
// rebuilds the month totals when they no longer match the entries, and the
// running, balance and fiscal-year totals when they no longer follow from
// them; sets each account item's 子フラグ to whether it has children where it
// does not say so. Does not write when nothing is missing. Returns the engine's result
// code (SQLITE_OK on success) with its text in error.
int EnsureSupport(sqlite3* db, QString& error);

// Drops the support objects of one table (its indexes, and for 出納簿 the
// month and running totals with their triggers), so that many rows can go in without
// keeping them up row by row; EnsureSupport puts them back and rebuilds the
// totals. Meant for a transaction that ends with EnsureSupport or a rollback.
// Returns the engine's result code with its text in error.
int DropSupport(sqlite3* db, const QString& table, QString& error);

// What the open file lacks of the tables and columns this file names: each
// missing table by its name, each missing column as "table.column", in file
// order. A 定期支払 table of the older layout 0 (ID, 勘定科目ID, 支払日 and
// 自動アナウンス, without 開始日) lacks nothing: it is upgraded on opening.
// Reads only. Returns the engine's result code, with its text in error.
struct MissingParts {
    QStringList tables;
    QStringList columns;
    bool IsEmpty() const { return tables.isEmpty() && columns.isEmpty(); }
};
int FindMissingParts(sqlite3* db, MissingParts& missing, QString& error);

// True when the file keeps month totals that its triggers keep up to date.
bool HasMonthTotals(sqlite3* db);
// True when it also keeps the running totals (_累計) from them.
bool HasRunningTotals(sqlite3* db);
// True when it also keeps the month and day balances (_月残高, _日残高).
bool HasBalances(sqlite3* db);

// True when it keeps the totals per fiscal year and account item (_年計) for
// the years that begin in the month stored in _年度開始 (January when none is).
bool HasFiscalYearTotals(sqlite3* db);
// Stores month (1 to 12) as the start of the fiscal years and rebuilds their
// totals from the month totals, in one savepoint. REQUIRES: HasFiscalYearTotals.
// Returns the engine's result code (SQLITE_MISUSE for a month out of range)
// with its text in error.
int SetFiscalYearStart(sqlite3* db, int month, QString& error);

}  // namespace kinzo_schema
