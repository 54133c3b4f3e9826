#pragma once
// The CSV text of table transfer: comma separators, CRLF line ends, fields in
// double quotes when they hold text (inner quotes doubled; separators and line
// breaks inside quotes belong to the field). Pure text; files and encodings
// are the caller's (CsvTransfer.h).

#include <QList>
#include <QString>
#include <QStringView>

struct CsvField {
    QString text;
    bool quoted = false;  // an empty unquoted field is NULL, "" is empty text
};
using CsvRecord = QList<CsvField>;

// Reads CSV text one record at a time. Accepts CRLF, LF or CR line ends, and
// text after a closing quote (kept as part of the field). A line break at the
// very end of the text ends the last record; an empty line is a record of one
// empty unquoted field. The text must outlive the reader.
class CsvReader {
public:
    explicit CsvReader(QStringView text) : m_text(text) {}

    // The next record into record, whose fields' storage is reused. False at
    // the end of the text, and false with the reason in error when a quote is
    // never closed.
    bool Next(CsvRecord& record, QString& error);
    // The records read so far.
    qsizetype Count() const { return m_count; }

private:
    bool ReadQuoted(CsvField& field, QString& error);

    QStringView m_text;
    qsizetype m_pos = 0;
    qsizetype m_count = 0;
};

// Splits the whole text into records with CsvReader. Returns false with the
// reason in error when a quote is never closed.
bool ParseCsv(QStringView text, QList<CsvRecord>& records, QString& error);

// The text between double quotes with inner quotes doubled.
QString QuoteCsv(const QString& text);
