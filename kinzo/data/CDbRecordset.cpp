#include "kinzo/data/CDbRecordset.h"

#include "kinzo/data/DateValue.h"

#include <sqlite3.h>

namespace {

constexpr qsizetype cacheCapacity = 48;

}  // namespace

sqlite3_stmt* CStatementCache::Take(const QByteArray& sql)
{
    sqlite3_stmt* statement = m_idle.take(sql);
    if (statement) m_order.removeOne(sql);
    return statement;
}

void CStatementCache::Give(const QByteArray& sql, sqlite3_stmt* statement)
{
    if (m_closed || m_idle.contains(sql)) {
        sqlite3_finalize(statement);
        return;
    }
    sqlite3_reset(statement);
    sqlite3_clear_bindings(statement);
    if (m_order.size() >= cacheCapacity) sqlite3_finalize(m_idle.take(m_order.takeFirst()));
    m_idle.insert(sql, statement);
    m_order.append(sql);
}

void CStatementCache::Clear()
{
    for (sqlite3_stmt* statement : std::as_const(m_idle)) sqlite3_finalize(statement);
    m_idle.clear();
    m_order.clear();
    m_closed = true;
}

CDbRecordset::CDbRecordset(sqlite3_stmt* statement, std::shared_ptr<CStatementCache> cache, QByteArray sql)
    : m_statement(statement), m_cache(std::move(cache)), m_sql(std::move(sql))
{
    const int count = sqlite3_column_count(statement);
    for (int i = 0; i < count; ++i) m_names.append(QString::fromUtf8(sqlite3_column_name(statement, i)));
}

CDbRecordset::~CDbRecordset()
{
    if (m_cache) m_cache->Give(m_sql, m_statement);
    else sqlite3_finalize(m_statement);
}

CDbRecordset::Step CDbRecordset::Next()
{
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW) return Step::Row;
    if (rc == SQLITE_DONE) return Step::End;
    m_error = QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(m_statement)));
    return Step::Failed;
}

int CDbRecordset::ColumnCount() const
{
    return int(m_names.size());
}

QString CDbRecordset::ColumnName(int column) const
{
    return m_names.value(column);
}

int CDbRecordset::IndexOf(const QString& name) const
{
    for (int i = 0; i < m_names.size(); ++i)
        if (m_names[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

bool CDbRecordset::IsNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}

qint64 CDbRecordset::Int64(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

QString CDbRecordset::Text(int column) const
{
    if (sqlite3_column_type(m_statement, column) == SQLITE_INTEGER)
        return QString::number(sqlite3_column_int64(m_statement, column));
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(m_statement, column));
    return text ? QString::fromUtf8(text, sqlite3_column_bytes(m_statement, column)) : QString();
}

QDate CDbRecordset::Date(int column) const
{
    return ParseDateValue(Text(column));
}

void CDbRecordset::ReadAll(ValueMap& row) const
{
    row.Reset(m_names);
    for (int i = 0; i < m_names.size(); ++i)
        if (!IsNull(i)) row.Set(i, Text(i));
}

void CDbRecordset::Read(ValueMap& row, const QStringList& names, const QList<int>& indices) const
{
    row.Reset(names);
    for (int i = 0; i < indices.size(); ++i)
        if (indices[i] >= 0 && !IsNull(indices[i])) row.Set(i, Text(indices[i]));
}
