#include "kinzo/data/TableCopy.h"

#include "kinzo/data/KinzoSchema.h"

#include <QFileInfo>
#include <QUrl>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace {

QString quoted(const QString& name)
{
    QString escaped = name;
    return u"\""_s + escaped.replace(u"\""_s, u"\"\""_s) + u"\""_s;
}

bool run(sqlite3* db, const QString& sql, const QStringList& parameters, QString& error)
{
    sqlite3_stmt* stmt = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &stmt, nullptr);
    for (int i = 0; rc == SQLITE_OK && i < parameters.size(); ++i)
        rc = sqlite3_bind_text(stmt, i + 1, parameters[i].toUtf8().constData(), -1, SQLITE_TRANSIENT);
    if (rc == SQLITE_OK) rc = sqlite3_step(stmt);
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW) error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(stmt);
    return error.isEmpty();
}

QString sourceDefinition(sqlite3* db, const QString& table, QString& error)
{
    sqlite3_stmt* stmt = nullptr;
    QString definition;
    if (sqlite3_prepare_v2(db, "SELECT sql FROM kinzo_source.sqlite_master WHERE type = 'table' AND name = ?", -1,
                           &stmt, nullptr) == SQLITE_OK) {
        sqlite3_bind_text(stmt, 1, table.toUtf8().constData(), -1, SQLITE_TRANSIENT);
        if (sqlite3_step(stmt) == SQLITE_ROW)
            definition = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, 0)));
        else
            error = u"コピー元にテーブル %1 がありません。"_s.arg(table);
    } else {
        error = QString::fromUtf8(sqlite3_errmsg(db));
    }
    sqlite3_finalize(stmt);
    return definition;
}

}  // namespace

bool CopyTableFrom(sqlite3* target, const QString& sourceFile, const QString& table, QString& error)
{
    error.clear();
    if (!QFileInfo(sourceFile).isFile()) {
        error = u"コピー元のファイルがありません: "_s + sourceFile;
        return false;
    }
    // ATTACH would create a missing file, hence the check above; the URI form
    // keeps the source read-only.
    const QString uri =
        QUrl::fromLocalFile(QFileInfo(sourceFile).absoluteFilePath()).toString(QUrl::FullyEncoded) + u"?mode=ro"_s;
    if (!run(target, u"ATTACH DATABASE ? AS kinzo_source"_s, {uri}, error)) return false;

    const QString definition = sourceDefinition(target, table, error);
    const QString name = quoted(table);
    bool ok = !definition.isEmpty() && run(target, u"SAVEPOINT kinzo_copy"_s, {}, error) &&
              run(target, definition, {}, error) &&
              run(target, u"INSERT INTO main.%1 SELECT * FROM kinzo_source.%1"_s.arg(name), {}, error);
    // The AutoNumber counter goes on from the source's, deleted keys included.
    if (ok && definition.contains(u"AUTOINCREMENT"_s, Qt::CaseInsensitive))
        ok = run(target, u"DELETE FROM main.sqlite_sequence WHERE name = ?"_s, {table}, error) &&
             run(target,
                 u"INSERT INTO main.sqlite_sequence (name, seq) SELECT name, seq FROM kinzo_source.sqlite_sequence "
                 "WHERE name = ?"_s,
                 {table}, error);
    if (ok) ok = run(target, u"RELEASE kinzo_copy"_s, {}, error);
    else if (!sqlite3_get_autocommit(target)) {
        QString ignored;
        run(target, u"ROLLBACK TO kinzo_copy"_s, {}, ignored);
        run(target, u"RELEASE kinzo_copy"_s, {}, ignored);
    }
    QString ignored;
    run(target, u"DETACH DATABASE kinzo_source"_s, {}, ignored);
    if (ok && kinzo_schema::EnsureSupport(target, error) != SQLITE_OK) ok = false;
    return ok;
}
