#pragma once
// Text helpers for building the SQL statements of the data layer. Free text
// always goes through EscapeQuote (or EscapeLike for a LIKE pattern) before it
// is put between single quotes; dates go through DateToSql / MonthToSql and
// are written between '#' signs: "日付<=#" + DateToSql(day) + "#".

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringView>

// True when the text holds a character that account item and counterparty
// names may not contain: ! ' " \ # $ % & ~ { } [ ] < > * = ? and the full-width
// ！ ’ ” ￥ ＃ ＄ ％ ＆ ｛ ｝ 「 」 ＜ ＞ ＊ ＝ ？.
bool HasForbiddenChar(QStringView text);

// The text with every "'" doubled, ready to stand between single quotes.
QString EscapeQuote(const QString& text);

// The text as a literal part of a LIKE pattern between single quotes: "'"
// doubled, and "%", "_" and "[" turned into the one-character classes "[%]",
// "[_]" and "[[]" so that they match only themselves.
QString EscapeLike(const QString& text);

// "yyyy/MM/dd" of a valid date (with " hh:mm:ss" when withTime is set and a
// date-time is given); empty for an invalid one.
QString DateToSql(const QDate& date);
QString DateToSql(const QDateTime& dateTime, bool withTime);

// "yyyy/MM" of a valid date's month, the form of the month columns; empty for
// an invalid date. "#yyyy/MM#" stands for the first day of that month.
QString MonthToSql(const QDate& date);

// A text between single quotes, its quotes doubled; NULL for an empty text
// (the columns store no empty texts).
QString TextLiteral(const QString& text);
QString TextLiteralOrNull(const QString& text);

// The literals themselves: "#yyyy/MM/dd#" and "#yyyy/MM#".
QString DateLiteral(const QDate& date);
QString MonthLiteral(const QDate& date);
// The same, or NULL for an unset (invalid) date, the stored form of "unset".
QString DateLiteralOrNull(const QDate& date);
QString MonthLiteralOrNull(const QDate& date);
