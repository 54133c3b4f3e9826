#pragma once
// The base of the table wrappers: one table or stored query of the open data
// file, reached through a connection that the owner sets after construction
// and keeps open while the wrapper is used.
//
// Every operation clears m_lastError, returns a DbStatus (its text comes from
// GetErrorMessage) and on failure leaves the engine's text in m_lastError.
// Rows come back as ValueMaps of the wrapper's column list (m_columns); a column
// of the list that the table lacks is a failure of the read. Statements that
// change data run in a transaction and are rolled back on error.
// Clauses are inserted as given: callers escape free text (EscapeQuote,
// EscapeLike) and write dates with DateToSql.

#include "kinzo/data/CDBConnection.h"
#include "kinzo/data/DbStatus.h"
#include "kinzo/data/ValueMap.h"

#include <QString>
#include <QStringList>

#include <memory>

class CTableBase {
public:
    CTableBase(const QString& tableName, const QStringList& columns);
    virtual ~CTableBase();
    CTableBase(const CTableBase&) = delete;
    CTableBase& operator=(const CTableBase&) = delete;

    CDBConnection* m_pConnection = nullptr;  // not owned
    QString m_tableName;
    QString m_lastError;
    QStringList m_columns;

    // OpenRecordset, then FetchNext to the end. Ok, or the first failure.
    virtual DbStatus GetAllRecords(ValueMapList& rows);
    // "SELECT * FROM <table>", kept open for FetchNext. SelectFailed on error.
    virtual DbStatus OpenRecordset();
    // The next row of the open recordset; EndOfRecords (and the recordset
    // closed) after the last; NoRecordset when none is open; FetchFailed.
    virtual DbStatus FetchNext(ValueMap& row);
    // The row with the key; Ok with an empty row when there is none.
    virtual DbStatus SelectById(int id, ValueMap& row);
    // The record with the key, made from its row by parse; NotFound when there is none.
    template <class Record, class Parse>
    DbStatus GetRecord(int id, Record& record, Parse parse)
    {
        ValueMap row;
        const DbStatus status = SelectById(id, row);
        if (status != DbStatus::Ok) return status;
        if (row.isEmpty()) return DbStatus::NotFound;
        record = parse(row);
        return DbStatus::Ok;
    }
    // "UPDATE <table> SET <set> [WHERE <where>]"; UpdateFailed.
    virtual DbStatus Update(const QString& setClause, const QString& whereClause);
    // Any statement; UpdateFailed.
    virtual DbStatus ExecuteSql(const QString& sql);
    // "DELETE FROM <table> WHERE <where>"; DeleteFailed.
    virtual DbStatus Delete(const QString& whereClause);
    virtual DbStatus DeleteById(int id);
    virtual DbStatus DeleteAll();
    // Replaces every row with those of the CSV file (CsvTransfer.h) in one
    // transaction: on any failure the table stays as it was. CsvMissing when
    // the file does not exist, DeleteFailed, or CsvFailed.
    virtual DbStatus ImportCsv(const QString& path, const RowProgress& progress = {});
    // Writes the table to the CSV file. CsvDeleteFailed when an existing file
    // cannot be replaced (it has no write permission, or is no file); CsvFailed.
    virtual DbStatus ExportCsv(const QString& path, const RowProgress& progress = {});
    // "SELECT COUNT(*) AS counts FROM <table>".
    virtual DbStatus Count(qint64& count);
    // "SELECT * FROM <table> [WHERE <where>] [ORDER BY <order>]".
    virtual DbStatus Select(const QString& whereClause, const QString& orderClause, ValueMapList& rows);
    // A whole SELECT; rows hold every column it returns.
    virtual DbStatus SelectSql(const QString& sql, ValueMapList& rows);

protected:
    // NotConnected (with its text in m_lastError) or Ok; clears m_lastError.
    DbStatus Begin();
    // Runs a data-changing statement; failure is returned on error.
    DbStatus Run(const QString& sql, DbStatus failure);
    // "INSERT INTO <table> (<columns>) <keyword> (<values>)", then the new key
    // from "SELECT @@IDENTITY". InsertFailed on error.
    DbStatus Insert(const QString& columns, const QString& values, int& newId, const QString& keyword = QStringLiteral("VALUES"));
    // Rows of a SELECT with the given columns (or all when columns is empty).
    DbStatus Read(const QString& sql, const QStringList& columns, ValueMapList& rows);
    // The first row of a SELECT (all columns); Ok with an empty row when none.
    DbStatus ReadFirst(const QString& sql, ValueMap& row);

private:
    std::unique_ptr<CDbRecordset> m_recordset;
    QList<int> m_recordsetColumns;
};
