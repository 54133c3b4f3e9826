#include "kinzo/data/CsvTransfer.h"

#include "kinzo/data/CsvFormat.h"
#include "kinzo/data/DateValue.h"

#include "platform/Cp932Codec.h"
#include "platform/TextFile.h"

#include <QList>
#include <QSaveFile>

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

// Appends the UTF-8 text between double quotes with inner quotes doubled.
void appendQuoted(QByteArray& out, const char* text, int length)
{
    out += '"';
    for (const char* end = text + length; text < end;) {
        const char* quote = static_cast<const char*>(memchr(text, '"', size_t(end - text)));
        const char* stop = quote ? quote + 1 : end;
        out.append(text, stop - text);
        if (quote) out += '"';
        text = stop;
    }
    out += '"';
}

// Appends one field of the current row as the file writes it.
void appendField(QByteArray& out, sqlite3_stmt* stmt, int i, Kind kind)
{
    const int type = sqlite3_column_type(stmt, i);
    if (type == SQLITE_NULL) return;
    if (kind == Kind::Boolean) {
        out += sqlite3_column_int64(stmt, i) != 0 ? '1' : '0';
        return;
    }
    const char* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt, i));
    const int length = sqlite3_column_bytes(stmt, i);
    int year = 0, month = 0, day = 0;
    if (kind == Kind::Integer && type == SQLITE_INTEGER) {
        out.append(text, length);
    } else if (kind == Kind::Date && ParseDateBytes(text, length, year, month, day)) {
        char ymd[10];
        WriteYmd(ymd, year, month, day);
        ymd[4] = ymd[7] = '/';
        out.append(ymd, 10);
    } else {
        appendQuoted(out, text, length);
    }
}

// Binds one CSV field to parameter i; false with the reason for a value the
// column cannot hold.
bool bindField(sqlite3_stmt* stmt, int i, const CsvField& field, Kind kind, QString& reason)
{
    const QStringView value = field.quoted ? QStringView(field.text) : QStringView(field.text).trimmed();
    if (kind == Kind::Text) {
        if (value.isEmpty() && !field.quoted) return sqlite3_bind_null(stmt, i) == SQLITE_OK;
        return sqlite3_bind_text16(stmt, i, field.text.utf16(), int(field.text.size() * 2), SQLITE_TRANSIENT) == SQLITE_OK;
    }
    if (kind == Kind::Boolean) {
        static const QStringList yes{u"1"_s, u"-1"_s, u"true"_s, u"yes"_s};
        static const QStringList no{u"0"_s, u"false"_s, u"no"_s, QString()};
        const auto among = [&](const QStringList& words) {
            return std::any_of(words.cbegin(), words.cend(),
                               [&](const QString& word) { return value.compare(word, Qt::CaseInsensitive) == 0; });
        };
        const bool isYes = among(yes);
        if (!isYes && !among(no)) { reason = u"Yes/No の値ではありません"_s; return false; }
        return sqlite3_bind_int(stmt, i, isYes ? 1 : 0) == SQLITE_OK;
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
        char text[10];
        WriteYmd(text, date.year(), date.month(), date.day());
        return sqlite3_bind_text(stmt, i, text, 10, SQLITE_TRANSIENT) == SQLITE_OK;
    }
    bool ok = false;
    const qint64 number = value.toLongLong(&ok);
    if (!ok) { reason = u"整数ではありません"_s; return false; }
    return sqlite3_bind_int64(stmt, i, number) == SQLITE_OK;
}

// The file's bytes for the UTF-8 text: CP932 when every character has a CP932
// form, else UTF-8 with a byte-order mark. ASCII is the same in both, so only
// the runs of other characters go through the codec, as one text with line
// breaks between them; no CP932 character holds the byte of a line break, so
// the encoded runs split apart again there.
QByteArray fileBytes(const QByteArray& utf8)
{
    QList<std::pair<qsizetype, qsizetype>> runs;  // [begin, end) of each run
    QByteArray joined;
    const qsizetype n = utf8.size();
    for (qsizetype i = 0; i < n; ++i) {
        if ((utf8[i] & 0x80) == 0) continue;
        const qsizetype begin = i;
        while (i < n && (utf8[i] & 0x80)) ++i;
        runs.append({begin, i});
        joined.append(utf8.constData() + begin, i - begin).append('\n');
    }
    if (runs.isEmpty()) return utf8;
    bool representable = false;
    const QByteArray encoded = platform::cp932::encode(QString::fromUtf8(joined), &representable);
    if (!representable) return platform::cp932::encodeAs(QString::fromUtf8(utf8), platform::cp932::FileEncoding::Utf8WithBom, true);
    QByteArray out;
    out.reserve(n);
    qsizetype from = 0, piece = 0;
    for (const auto& [begin, end] : runs) {
        const qsizetype pieceEnd = encoded.indexOf('\n', piece);
        out.append(utf8.constData() + from, begin - from).append(encoded.constData() + piece, pieceEnd - piece);
        from = end;
        piece = pieceEnd + 1;
    }
    return out.append(utf8.constData() + from, n - from);
}

QString stoppedText() { return u"中止しました"_s; }

}  // namespace

bool ExportTable(sqlite3* db, const QString& table, const QString& path, QString& error, const RowProgress& progress)
{
    QList<Column> columns;
    if (!tableColumns(db, table, columns, error)) return false;
    QStringList header;
    for (const Column& column : columns) header.append(QuoteCsv(column.name));
    QByteArray text = (header.join(u',') + u"\r\n"_s).toUtf8();

    sqlite3_stmt* stmt = nullptr;
    const QByteArray sql = (u"SELECT * FROM "_s + quotedName(table)).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        error = QString::fromUtf8(sqlite3_errmsg(db));
        return false;
    }
    int rc;
    qint64 rows = 0;
    bool stopped = false;
    while (!stopped && (rc = sqlite3_step(stmt)) == SQLITE_ROW) {
        for (int i = 0; i < columns.size(); ++i) {
            if (i > 0) text += ',';
            appendField(text, stmt, i, columns[i].kind);
        }
        text += "\r\n";
        stopped = ++rows % ProgressRows == 0 && progress && !progress(rows, 0);
    }
    if (stopped) {
        sqlite3_finalize(stmt);
        error = stoppedText();
        return false;
    }
    if (rc != SQLITE_DONE) error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE) return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(fileBytes(text)) < 0 || !file.commit()) {
        error = u"CSVファイルに書き込めません: "_s + path;
        return false;
    }
    return true;
}

bool ImportTable(sqlite3* db, const QString& table, const QString& path, QString& error, const RowProgress& progress)
{
    QList<Column> columns;
    if (!tableColumns(db, table, columns, error)) return false;
    QString text;
    if (!platform::readTextFile(path, text)) {
        error = u"CSVファイルを読めません: "_s + path;
        return false;
    }
    // Reading a large file takes a while of its own.
    if (progress && !progress(0, 0)) {
        error = stoppedText();
        return false;
    }
    CsvReader reader(text);
    CsvRecord record;
    if (!reader.Next(record, error)) {
        if (error.isEmpty()) error = u"CSVファイルに見出し行がありません: "_s + path;
        return false;
    }
    QList<Kind> kinds;
    QStringList names;
    for (const CsvField& field : record) {
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
    QString reason;
    while (reason.isEmpty() && reader.Next(record, reason)) {
        if (record.size() == 1 && record[0].text.isEmpty() && !record[0].quoted) continue;  // blank line
        if (record.size() > kinds.size()) reason = u"列が多すぎます"_s;
        else if (record.size() < kinds.size()) reason = u"列が足りません"_s;
        for (int i = 0; reason.isEmpty() && i < kinds.size(); ++i) bindField(stmt, i + 1, record[i], kinds[i], reason);
        if (reason.isEmpty() && sqlite3_step(stmt) != SQLITE_DONE) reason = QString::fromUtf8(sqlite3_errmsg(db));
        sqlite3_reset(stmt);
        if (reason.isEmpty() && reader.Count() % ProgressRows == 0 && progress && !progress(reader.Count() - 1, 0)) {
            reason = stoppedText();
            break;
        }
        if (!reason.isEmpty()) reason = u"CSVの %1 件目: %2"_s.arg(reader.Count() - 1).arg(reason);
    }
    sqlite3_finalize(stmt);
    if (reason.isEmpty()) return true;
    error = reason;
    return false;
}

}  // namespace csv_transfer
