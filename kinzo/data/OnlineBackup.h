#pragma once
// A consistent copy of an open database while it stays open, through the
// engine's online backup: pages go across in steps, and a write to the
// source meanwhile (by the same connection) is carried into the copy, so the
// copy is the database as it stands when the last step ends. The copy is
// written to a hidden file beside the target and renamed over it at the end:
// a failure or a stop leaves an earlier file at the target as it was.

#include "kinzo/data/RowProgress.h"

#include <QString>

struct sqlite3;

enum class BackupOutcome { Done, Failed, Stopped };

// progress gets the pages copied and the pages in all after every step.
// Failed gives the reason in error.
BackupOutcome BackupDatabase(sqlite3* source, const QString& target, const RowProgress& progress, QString& error);
