#pragma once
// Copying one table from another data file into an open one, as Jet's
// "SELECT * INTO [;DATABASE=...].[t] FROM [;DATABASE=...].[t]" does: the new
// table gets the source's definition (column types, AutoNumber key and its
// counter) and every row; then the file gets the indexes, month totals and
// stored query that go with it (KinzoSchema.h).

#include <QString>

struct sqlite3;

// REQUIRES: no transaction open on target. The table must not exist there.
// Returns false with the reason in error; the target is then unchanged.
bool CopyTableFrom(sqlite3* target, const QString& sourceFile, const QString& table, QString& error);
