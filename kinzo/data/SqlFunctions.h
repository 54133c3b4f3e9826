#pragma once
// The functions of Jet's SQL that the data layer's statements use, registered
// on an SQLite connection so that they run inside the engine:
//   Format(date, 'yyyy/mm')     date text by a pattern of yyyy, yy, mm, m, dd, d
//   Year(date), Month(date), Day(date)
//   DateAdd(interval, n, date)  interval 'yyyy', 'q', 'm', 'ww', 'd', 'y' or 'w';
//                               adding months keeps the day, or takes the last
//                               day of a shorter month (31 Jan + 1 month is 28
//                               or 29 Feb), as Jet does
//   x LIKE p                    Jet's wildcards and case rule (JetLike.h)
// Dates are the stored text of DateValue.h; a NULL argument gives NULL.

struct sqlite3;

// Returns false when the engine refused a registration.
bool RegisterJetFunctions(sqlite3* db);
