#pragma once
// The one place where calendar days become text and back, for every date the
// data layer stores, returns in a ValueMap, or reads from a CSV file.
//
// Stored and ValueMap form: "yyyy-MM-dd" (ISO), which sorts as the days do.
// Read forms: "yyyy-MM-dd" and "yyyy/M/d" (one- or two-digit month and day),
// each optionally followed by a blank and a time, which is ignored.
// An unset date is an invalid QDate in memory and NULL (or empty text) in a
// file. Files of the earlier version mark an unset date with 31 December 1899
// (its date value 1.0); that day reads as unset too.

#include <QDate>
#include <QString>
#include <QStringView>

// "yyyy-MM-dd" of a valid date; empty for an invalid one.
QString FormatDateValue(const QDate& date);

// The date of a stored, ValueMap or CSV text; an invalid QDate for empty or
// malformed text, an impossible day (2010/02/30) and the old unset marker.
QDate ParseDateValue(QStringView text);

// The same on raw bytes (UTF-8 or ASCII), without allocating, for the SQL
// functions that run once per row. Returns false for malformed text.
bool ParseYmd(const char* text, int length, int& year, int& month, int& day);

// ParseDateValue on raw bytes, without allocating: false where it gives an
// invalid QDate (the old unset marker included).
bool ParseDateBytes(const char* text, int length, int& year, int& month, int& day);

// Writes "yyyy-MM-dd" (10 characters, no terminator) to out.
void WriteYmd(char* out, int year, int month, int day);

int DaysInMonth(int year, int month);
