#pragma once
// The rows of one SELECT, read one after another. Owns its prepared
// statement; a recordset must not outlive the CDBConnection that made it.
// Not copyable; single-threaded like the connection.

#include "kinzo/data/ValueMap.h"

#include <QByteArray>
#include <QDate>
#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>

struct sqlite3_stmt;

// Prepared statements of one connection kept for reuse, by their SQL text.
// Shared with the recordsets that hold them, so a recordset that outlives its
// connection's Close still releases its statement safely.
class CStatementCache {
public:
    ~CStatementCache() { Clear(); }
    // An idle statement of that text, reset and unbound; nullptr when none.
    sqlite3_stmt* Take(const QByteArray& sql);
    // Keeps a statement for reuse (the oldest idle ones are finalized beyond
    // a few dozen); after Clear it is finalized at once.
    void Give(const QByteArray& sql, sqlite3_stmt* statement);
    // Finalizes every idle statement; later ones are no longer kept.
    void Clear();

private:
    QHash<QByteArray, sqlite3_stmt*> m_idle;
    QList<QByteArray> m_order;  // oldest first
    bool m_closed = false;
};

class CDbRecordset {
public:
    enum class Step { Row, End, Failed };

    // Owns the statement; with a cache, gives it back there instead of
    // finalizing it.
    explicit CDbRecordset(sqlite3_stmt* statement, std::shared_ptr<CStatementCache> cache = {},
                          QByteArray sql = {});
    ~CDbRecordset();
    CDbRecordset(const CDbRecordset&) = delete;
    CDbRecordset& operator=(const CDbRecordset&) = delete;

    // Moves to the next row. Failed leaves the engine's text in Error().
    Step Next();
    QString Error() const { return m_error; }

    int ColumnCount() const;
    QString ColumnName(int column) const;
    // The index of a result column by name (case-insensitive), -1 when absent.
    int IndexOf(const QString& name) const;

    // Values of the current row. REQUIRES: the last Next() gave Row.
    bool IsNull(int column) const;
    qint64 Int64(int column) const;
    QString Text(int column) const;
    QDate Date(int column) const;  // ParseDateValue of the text

    // The current row into row (cleared first): every column, or the named
    // columns at the given indices (-1 entries are skipped). NULLs stay absent.
    void ReadAll(ValueMap& row) const;
    void Read(ValueMap& row, const QStringList& names, const QList<int>& indices) const;

private:
    sqlite3_stmt* m_statement;
    std::shared_ptr<CStatementCache> m_cache;
    QByteArray m_sql;
    QStringList m_names;
    QString m_error;
};
