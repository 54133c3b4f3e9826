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

// Splits CSV text into records. Accepts CRLF, LF or CR line ends, and text
// after a closing quote (kept as part of the field). Returns false with the
// reason in error when a quote is never closed.
bool ParseCsv(QStringView text, QList<CsvRecord>& records, QString& error);

// The text between double quotes with inner quotes doubled.
QString QuoteCsv(const QString& text);
