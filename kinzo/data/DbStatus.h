#pragma once
// Outcome of every operation of the database layer. The numbers are those the
// rest of the program compares and stores; nothing in the layer throws.

#include <QString>

enum class DbStatus : int {
    Ok = 0,              // 正常終了
    Error = 1,           // general database error
    NotConnected = 3,    // no connection, or it is not open
    NoRecordset = 4,     // the statement returned no rows object
    SelectFailed = 5,    // a SELECT failed while running or reading
    FetchFailed = 6,     // reading the next record failed
    InsertFailed = 7,
    DeleteFailed = 8,
    UpdateFailed = 9,    // an UPDATE or another statement failed
    NotFound = 10,       // no record matches
    EndOfRecords = 11,   // normal end of a record-by-record read
    NoRecords = 12,      // the table holds no records
    Reserved = 13,
    CsvFailed = 14,      // CSV export or import failed
    CsvMissing = 15,     // the CSV file to import does not exist
    CsvDeleteFailed = 16 // the old CSV file cannot be deleted before an export
};

// The user-facing text of a status code; codes without a text (2, 8, 13, 15
// and unknown ones) give an empty string.
QString GetErrorMessage(int code);
inline QString GetErrorMessage(DbStatus status) { return GetErrorMessage(static_cast<int>(status)); }
