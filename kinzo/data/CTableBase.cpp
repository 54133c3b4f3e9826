#include "kinzo/data/CTableBase.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace {

// The positions of the wanted columns in a result; false (with the engine's
// kind of text) when one is missing.
bool columnIndices(const CDbRecordset& recordset, const QStringList& columns, QList<int>& indices, QString& error)
{
    indices.clear();
    for (const QString& column : columns) {
        const int index = recordset.IndexOf(column);
        if (index < 0) {
            error = u"no such column: "_s + column;
            return false;
        }
        indices.append(index);
    }
    return true;
}

}  // namespace

CTableBase::CTableBase(const QString& tableName, const QStringList& columns)
    : m_tableName(tableName), m_columns(columns)
{
}

CTableBase::~CTableBase() = default;

DbStatus CTableBase::Begin()
{
    m_lastError.clear();
    if (m_pConnection && m_pConnection->IsOpen()) return DbStatus::Ok;
    m_lastError = GetErrorMessage(DbStatus::NotConnected);
    return DbStatus::NotConnected;
}

DbStatus CTableBase::Run(const QString& sql, DbStatus failure)
{
    if (const DbStatus status = Begin(); status != DbStatus::Ok) return status;
    return m_pConnection->Execute(sql, m_lastError) ? DbStatus::Ok : failure;
}

DbStatus CTableBase::Insert(const QString& columns, const QString& values, int& newId, const QString& keyword)
{
    const DbStatus status =
        Run(u"INSERT INTO %1 (%2) %3 (%4)"_s.arg(m_tableName, columns, keyword, values), DbStatus::InsertFailed);
    if (status != DbStatus::Ok) return status;
    const auto identity = m_pConnection->Query(u"SELECT @@IDENTITY"_s, m_lastError);
    if (!identity || identity->Next() != CDbRecordset::Step::Row) return DbStatus::InsertFailed;
    newId = int(identity->Int64(0));
    return DbStatus::Ok;
}

DbStatus CTableBase::Read(const QString& sql, const QStringList& columns, ValueMapList& rows)
{
    rows.clear();
    if (const DbStatus status = Begin(); status != DbStatus::Ok) return status;
    const auto recordset = m_pConnection->Query(sql, m_lastError);
    if (!recordset) return DbStatus::SelectFailed;
    if (recordset->ColumnCount() == 0) return DbStatus::NoRecordset;
    QList<int> indices;
    if (!columns.isEmpty() && !columnIndices(*recordset, columns, indices, m_lastError)) return DbStatus::SelectFailed;
    CDbRecordset::Step step;
    while ((step = recordset->Next()) == CDbRecordset::Step::Row) {
        rows.emplaceBack();
        if (columns.isEmpty()) recordset->ReadAll(rows.last());
        else recordset->Read(rows.last(), columns, indices);
    }
    if (step == CDbRecordset::Step::End) return DbStatus::Ok;
    m_lastError = recordset->Error();
    rows.clear();
    return DbStatus::SelectFailed;
}

DbStatus CTableBase::ReadFirst(const QString& sql, ValueMap& row)
{
    row.clear();
    ValueMapList rows;
    const DbStatus status = Read(sql, {}, rows);
    if (status == DbStatus::Ok && !rows.isEmpty()) row = rows.first();
    return status;
}

DbStatus CTableBase::GetAllRecords(ValueMapList& rows)
{
    rows.clear();
    if (const DbStatus status = OpenRecordset(); status != DbStatus::Ok) return status;
    ValueMap row;
    DbStatus status;
    while ((status = FetchNext(row)) == DbStatus::Ok) rows.append(row);
    return status == DbStatus::EndOfRecords ? DbStatus::Ok : status;
}

DbStatus CTableBase::OpenRecordset()
{
    m_recordset.reset();
    if (const DbStatus status = Begin(); status != DbStatus::Ok) return status;
    auto recordset = m_pConnection->Query(u"SELECT * FROM %1"_s.arg(m_tableName), m_lastError, true);
    if (!recordset) return DbStatus::SelectFailed;
    if (!columnIndices(*recordset, m_columns, m_recordsetColumns, m_lastError)) return DbStatus::SelectFailed;
    m_recordset = std::move(recordset);
    return DbStatus::Ok;
}

DbStatus CTableBase::FetchNext(ValueMap& row)
{
    row.clear();
    m_lastError.clear();
    if (!m_recordset) return DbStatus::NoRecordset;
    switch (m_recordset->Next()) {
    case CDbRecordset::Step::Row:
        m_recordset->Read(row, m_columns, m_recordsetColumns);
        return DbStatus::Ok;
    case CDbRecordset::Step::End:
        m_recordset.reset();
        return DbStatus::EndOfRecords;
    case CDbRecordset::Step::Failed:
        m_lastError = m_recordset->Error();
        m_recordset.reset();
        return DbStatus::FetchFailed;
    }
    return DbStatus::FetchFailed;
}

DbStatus CTableBase::SelectById(int id, ValueMap& row)
{
    row.clear();
    ValueMapList rows;
    const DbStatus status = Read(u"SELECT * FROM %1 WHERE ID = %2"_s.arg(m_tableName).arg(id), m_columns, rows);
    if (status == DbStatus::Ok && !rows.isEmpty()) row = rows.first();
    return status;
}

DbStatus CTableBase::Update(const QString& setClause, const QString& whereClause)
{
    QString sql = u"UPDATE %1 SET %2"_s.arg(m_tableName, setClause);
    if (!whereClause.isEmpty()) sql += u" WHERE "_s + whereClause;
    return Run(sql, DbStatus::UpdateFailed);
}

DbStatus CTableBase::ExecuteSql(const QString& sql)
{
    return Run(sql, DbStatus::UpdateFailed);
}

DbStatus CTableBase::Delete(const QString& whereClause)
{
    return Run(u"DELETE FROM %1 WHERE %2"_s.arg(m_tableName, whereClause), DbStatus::DeleteFailed);
}

DbStatus CTableBase::DeleteById(int id)
{
    return Run(u"DELETE FROM %1 WHERE ID = %2"_s.arg(m_tableName).arg(id), DbStatus::DeleteFailed);
}

DbStatus CTableBase::DeleteAll()
{
    return Run(u"DELETE FROM %1"_s.arg(m_tableName), DbStatus::DeleteFailed);
}

DbStatus CTableBase::ImportCsv(const QString& path, const RowProgress& progress)
{
    if (const DbStatus status = Begin(); status != DbStatus::Ok) return status;
    const QFileInfo file(path);
    if (!file.isFile()) return DbStatus::CsvMissing;
    // The delete and the insert are one transaction, so that a file that
    // fails part-way leaves the table as it was.
    bool deleteFailed = false;
    if (m_pConnection->ReplaceWithCsv(m_tableName, file.absoluteFilePath(), m_lastError, deleteFailed, progress))
        return DbStatus::Ok;
    return deleteFailed ? DbStatus::DeleteFailed : DbStatus::CsvFailed;
}

DbStatus CTableBase::ExportCsv(const QString& path, const RowProgress& progress)
{
    if (const DbStatus status = Begin(); status != DbStatus::Ok) return status;
    const QFileInfo file(path);
    if (file.exists() || file.isSymLink()) {
        // A file without write permission is protected, as a read-only file is.
        // Another takes its place only once written whole, so a full disk or
        // a stop keeps it; a link is replaced itself, not the file it names.
        const bool writable = file.isFile() && (file.permissions() & QFile::WriteOwner);
        if (!writable || (file.isSymLink() && !QFile::remove(path))) {
            m_lastError = u"CSVファイルを削除できません: "_s + path;
            return DbStatus::CsvDeleteFailed;
        }
    }
    return m_pConnection->ExportCsv(m_tableName, file.absoluteFilePath(), m_lastError, progress) ? DbStatus::Ok
                                                                                       : DbStatus::CsvFailed;
}

DbStatus CTableBase::Count(qint64& count)
{
    count = 0;
    ValueMap row;
    const DbStatus status = ReadFirst(u"SELECT COUNT(*) AS counts FROM %1"_s.arg(m_tableName), row);
    count = row.value(u"counts"_s).toLongLong();
    return status;
}

DbStatus CTableBase::Select(const QString& whereClause, const QString& orderClause, ValueMapList& rows)
{
    QString sql = u"SELECT * FROM %1"_s.arg(m_tableName);
    if (!whereClause.isEmpty()) sql += u" WHERE "_s + whereClause;
    if (!orderClause.isEmpty()) sql += u" ORDER BY "_s + orderClause;
    return Read(sql, m_columns, rows);
}

DbStatus CTableBase::SelectSql(const QString& sql, ValueMapList& rows)
{
    return Read(sql, {}, rows);
}
