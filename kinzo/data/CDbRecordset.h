#pragma once
// The rows of one SELECT, read one after another. Owns its prepared
// statement; a recordset must not outlive the CDBConnection that made it.
// Not copyable; single-threaded like the connection.

#include "kinzo/data/ValueMap.h"

#include <QDate>
#include <QString>
#include <QStringList>

struct sqlite3_stmt;

class CDbRecordset {
public:
    enum class Step { Row, End, Failed };

    explicit CDbRecordset(sqlite3_stmt* statement);
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
    QStringList m_names;
    QString m_error;
};
