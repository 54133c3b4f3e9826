#pragma once
// Whole tables to and from CSV files, in place of Jet's text driver.
//
// A file: a header line of the column names in double quotes, then one line per
// row in table order; integers bare, text in double quotes, dates yyyy/mm/dd,
// Yes/No as 1 and 0, NULL as an empty field; CRLF line ends; CP932, or UTF-8
// with a byte-order mark when some text has no CP932 form (platform codec).
// Reading also takes what the earlier version's driver wrote: header names
// with or without quotes, dates with a time ("2010/04/01 0:00:00"), Yes/No as
// True/False or -1/0, and columns in any order (matched by name). A file that
// lacks a column of the table, or a row with more or fewer fields than the
// header, is refused.

#include "kinzo/data/RowProgress.h"

#include <QString>

struct sqlite3;

namespace csv_transfer {

// Called every ProgressRows rows with the rows of this table done (total 0),
// and on import once with 0 when the file has been read; false stops the
// table with the reason "中止しました" (nothing written).
constexpr qint64 ProgressRows = 4096;

// Writes every row of the table to the file, replacing it. Returns false with
// the reason in error.
bool ExportTable(sqlite3* db, const QString& table, const QString& path, QString& error,
                 const RowProgress& progress = {});

// Inserts every row of the file into the table. REQUIRES: a transaction is
// open, so that a failure part-way can be rolled back by the caller.
// Returns false with the reason (and the line) in error.
bool ImportTable(sqlite3* db, const QString& table, const QString& path, QString& error,
                 const RowProgress& progress = {});

}  // namespace csv_transfer
