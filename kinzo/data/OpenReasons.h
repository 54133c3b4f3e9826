#pragma once
// Why a file cannot be opened as a ledger, said in the user's words. The
// engine's own text goes to the diagnostic log; these go to the message box.

#include "kinzo/data/DataFiles.h"
#include "kinzo/data/KinzoSchema.h"

#include <QString>

// For a path that is no database of ours (DataFileKind other than SQLite).
QString ReasonForFileKind(const QString& path, DataFileKind kind);
// For the engine's result code of a failed open or read.
QString ReasonForEngineCode(int resultCode);
// For the tables and columns a database lacks.
QString ReasonForMissingParts(const kinzo_schema::MissingParts& missing);
