#include "kinzo/data/CsvTransfer.h"

#include "kinzo/data/CsvFormat.h"
#include "kinzo/data/DateValue.h"

#include "platform/TextFile.h"

#include <QList>

#include <sqlite3.h>

using namespace Qt::StringLiterals;

namespace csv_transfer {
namespace {

enum class Kind { Integer, Text, Date, Boolean };

struct Column {
    QString name;
    Kind kind;
};

Kind kindOf(const QString& declaredType)
{
    const QString type = declaredType.toUpper();
    if (type.contains(u"BOOL"_s)) return Kind::Boolean;
    if (type.contains(u"DATE"_s) || type.contains(u"TIME"_s)) return Kind::Date;
    if (type.contains(u"INT"_s)) return Kind::Integer;
    return Kind::Text;
}

QString quotedName(const QString& name)
{
    QString escaped = name;
    return u"\""_s + escaped.replace(u"\""_s, u"\"\""_s) + u"\""_s;
}

bool tableColumns(sqlite3* db, const QString& table, QList<Column>& columns, QString& error)
{
    sqlite3_stmt* stmt = nullptr;
    const QByteArray sql = (u"PRAGMA table_info("_s + quotedName(table) + u")"_s).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        error = QString::fromUtf8(sqlite3_errmsg(db));
        return false;
    }
    while (sqlite3_step(stmt) == SQLITE_ROW) {
        const auto text = [&](int i) { return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i))); };
        columns.append({text(1), kindOf(text(2))});
    }
    sqlite3_finalize(stmt);
    if (columns.isEmpty()) error = u"no such table: "_s + table;
    return !columns.isEmpty();
}

QString exportField(sqlite3_stmt* stmt, int i, Kind kind)
{
    const int type = sqlite3_column_type(stmt, i);
    if (type == SQLITE_NULL) return QString();
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(stmt, i)),
                                           sqlite3_column_bytes(stmt, i));
    switch (kind) {
    case Kind::Boolean: return sqlite3_column_int64(stmt, i) != 0 ? u"1"_s : u"0"_s;
    case Kind::Integer: return type == SQLITE_INTEGER ? text : QuoteCsv(text);
    case Kind::Date: {
        const QDate date = ParseDateValue(text);
        return date.isValid() ? date.toString(u"yyyy/MM/dd"_s) : QuoteCsv(text);
    }
    case Kind::Text: return QuoteCsv(text);
    }
    return QString();
}

// Binds one CSV field to parameter i; false with the reason for a value the
// column cannot hold.
bool bindField(sqlite3_stmt* stmt, int i, const CsvField& field, Kind kind, QString& reason)
{
    const QString value = field.quoted ? field.text : field.text.trimmed();
    if (kind == Kind::Text) {
        if (value.isEmpty() && !field.quoted) return sqlite3_bind_null(stmt, i) == SQLITE_OK;
        const QByteArray utf8 = field.text.toUtf8();
        return sqlite3_bind_text(stmt, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    if (kind == Kind::Boolean) {
        static const QStringList yes{u"1"_s, u"-1"_s, u"true"_s, u"yes"_s};
        static const QStringList no{u"0"_s, u"false"_s, u"no"_s, QString()};
        const QString lower = value.toLower();
        if (!yes.contains(lower) && !no.contains(lower)) { reason = u"Yes/No の値ではありません"_s; return false; }
        return sqlite3_bind_int(stmt, i, yes.contains(lower) ? 1 : 0) == SQLITE_OK;
    }
    if (value.isEmpty()) return sqlite3_bind_null(stmt, i) == SQLITE_OK;
    if (kind == Kind::Date) {
        const QDate date = ParseDateValue(value);
        if (!date.isValid()) {
            // The earlier version's mark of an unset date reads as NULL.
            if (value.startsWith(u"1899/12/31"_s) || value.startsWith(u"1899-12-31"_s)) return sqlite3_bind_null(stmt, i) == SQLITE_OK;
            reason = u"日付ではありません"_s;
            return false;
        }
        const QByteArray text = FormatDateValue(date).toLatin1();
        return sqlite3_bind_text(stmt, i, text.constData(), int(text.size()), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!ok) { reason = u"整数ではありません"_s; return false; }
    return sqlite3_bind_int64(stmt, i, number) == SQLITE_OK;
}

}  // namespace

bool ExportTable(sqlite3* db, const QString& table, const QString& path, QString& error)
{
    QList<Column> columns;
    if (!tableColumns(db, table, columns, error)) return false;
    QStringList header;
    for (const Column& column : columns) header.append(QuoteCsv(column.name));
    QString text = header.join(u',') + u"\r\n"_s;

    sqlite3_stmt* stmt = nullptr;
    const QByteArray sql = (u"SELECT * FROM "_s + quotedName(table)).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        error = QString::fromUtf8(sqlite3_errmsg(db));
        return false;
    }
    int rc;
    while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int i = 0; i < columns.size(); ++i) {
            if (i > 0) text += u',';
            text += exportField(stmt, i, columns[i].kind);
        }
        text += u"\r\n"_s;
    }
    if (rc != SQLITE_DONE) error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) return false;
    if (!platform::writeTextFile(path, text)) {
        error = u"CSVファイルに書き込めません: "_s + path;
        return false;
    }
    return true;
}

bool ImportTable(sqlite3* db, const QString& table, const QString& path, QString& error)
{
    QList<Column> columns;
    if (!tableColumns(db, table, columns, error)) return false;
    QString text;
    if (!platform::readTextFile(path, text)) {
        error = u"CSVファイルを読めません: "_s + path;
        return false;
    }
    QList<CsvRecord> records;
    if (!ParseCsv(text, records, error)) return false;
    if (records.isEmpty()) {
        error = u"CSVファイルに見出し行がありません: "_s + path;
        return false;
    }
    QList<Kind> kinds;
    QStringList names;
    for (const CsvField& field : records.first()) {
        const QString name = field.text.trimmed();
        const auto column = std::find_if(columns.cbegin(), columns.cend(), [&](const Column& c) {
            return c.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (column == columns.cend()) {
            error = u"CSVの列 %1 はテーブル %2 にありません。"_s.arg(name, table);
            return false;
        }
        kinds.append(column->kind);
        names.append(quotedName(column->name));
    }
    // A file without some column would silently leave it empty in every row.
    for (const Column& column : columns) {
        if (!names.contains(quotedName(column.name))) {
            error = u"CSVファイルに列 %1 がありません。"_s.arg(column.name);
            return false;
        }
    }
    const QString placeholders = QStringList(names.size(), u"?"_s).join(u", "_s);
    const QByteArray sql =
        u"INSERT INTO %1 (%2) VALUES (%3)"_s.arg(quotedName(table), names.join(u", "_s), placeholders).toUtf8();
    sqlite3_stmt* stmt = nullptr;
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        error = QString::fromUtf8(sqlite3_errmsg(db));
        return false;
    }
    bool ok = true;
    for (qsizetype line = 1; ok && line < records.size(); ++line) {
        const CsvRecord& record = records[line];
        if (record.size() == 1 && record[0].text.isEmpty() && !record[0].quoted) continue;  // blank line
        QString reason;
        if (record.size() > kinds.size()) reason = u"列が多すぎます"_s;
        else if (record.size() < kinds.size()) reason = u"列が足りません"_s;
        for (int i = 0; reason.isEmpty() && i < kinds.size(); ++i)
            bindField(stmt, i + 1, record[i], kinds[i], reason);
        if (reason.isEmpty() && sqlite3_step(stmt) != SQLITE_DONE) reason = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_reset(stmt);
        if (!reason.isEmpty()) {
            error = u"CSVの %1 件目: %2"_s.arg(line).arg(reason);
            ok = false;
        }
    }
    sqlite3_finalize(stmt);
    return ok;
}

}  // namespace csv_transfer
