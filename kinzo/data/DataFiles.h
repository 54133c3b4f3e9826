#pragma once
// Data files on disk: the templates, the backup beside a file, copying a whole
// file over another, and telling our files from others before opening them.

#include "kinzo/data/KinzoSchema.h"

#include <QString>

// The template of the kind in the program folder: "_kinzoTemplate.kzd" or
// "_kinzoTemplate_payment.kzd".
QString TemplatePath(const QString& programFolder, kinzo_schema::FileKind kind);

// The backup beside a data file: "_Backup" before the extension
// ("/a/家計簿.kzd" gives "/a/家計簿_Backup.kzd").
QString BackupPathOf(const QString& path);

// Replaces target with a copy of source, or creates it. The copy is written
// beside the target and renamed over it at the end, so a failure part-way
// leaves the target as it was; an existing target without write permission
// is refused. A journal left beside the target belongs to the replaced file
// and is removed. REQUIRES: no connection writes to source or target.
// Returns false with the system's reason in *error when given.
bool CopyDataFile(const QString& source, const QString& target, QString* error = nullptr);

// True when both paths name the same existing file (links resolved).
bool IsSameFile(const QString& a, const QString& b);

enum class DataFileKind {
    Missing,    // no such file, or it cannot be read
    SQLite,     // a database of this program's engine (maybe not a ledger)
    Jet,        // a Microsoft Access/Jet database of the earlier Windows version
    Other
};
// What the first bytes of the file say it is.
DataFileKind SniffDataFile(const QString& path);

// True when the data file may be written: the user may write it and its
// folder (where the engine keeps its journal), the medium takes writes, and
// neither carries a mode without owner write permission, which is respected
// even by a user whom the system would let write.
bool IsWritableDataFile(const QString& path);

// Renames from over to, replacing to in one step. An existing target without
// write permission is refused. Returns false with the reason in *error.
bool MoveFileOver(const QString& from, const QString& to, QString* error = nullptr);
