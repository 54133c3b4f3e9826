#pragma once
// File and table helpers of the document tests.

#include "kinzo/data/CTableBase.h"

#include <QFile>
#include <QTest>

#include <sqlite3.h>

// Runs SQL on the data file through a connection of its own, behind the
// document's back.
inline void RunSql(const QString& path, const char* sql)
{
    sqlite3* db = nullptr;
    QCOMPARE(sqlite3_open(path.toUtf8().constData(), &db), SQLITE_OK);
    char* error = nullptr;
    const int rc = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    sqlite3_close(db);
    QVERIFY2(rc == SQLITE_OK, error);
}

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

// Every row of the table in key order.
inline ValueMapList RowsOf(CDBConnection& connection, const QString& table)
{
    CTableBase wrapper(table, {});
    wrapper.m_pConnection = &connection;
    ValueMapList rows;
    wrapper.SelectSql(QStringLiteral("SELECT * FROM %1 ORDER BY ID").arg(table), rows);
    return rows;
}
