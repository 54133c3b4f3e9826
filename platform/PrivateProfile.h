#pragma once
// Key-by-key access to INI files, with the behaviour programs written against
// the Windows private-profile functions rely on:
//  - every call reads (and a write rewrites) the file, so other keys, comments
//    and unknown lines are kept as they are;
//  - section and key names compare case-insensitively; a key is the text
//    before the first "=" without leading blanks, trailing blanks included
//    ("Trace =1" holds the key "Trace ", not "Trace");
//  - a value is the text after the "=" without surrounding blanks and without
//    one pair of enclosing double quotes;
//  - a read returns at most readLimit characters, as a 260-character buffer
//    would, and the default when the file, the section or the key is missing;
//  - the first of duplicate sections or keys wins.
// The file is read as CP932 or UTF-8 and written through the CP932 codec.
// Reentrant; calls on the same file from several threads are not serialised.

#include <QString>
#include <QList>
#include <QStringList>

#include <utility>

namespace platform::profile {

constexpr qsizetype readLimit = 259;

QString readString(const QString& path, const QString& section, const QString& key,
                   const QString& defaultValue = QString());

// Sets one key, adding the section or key when missing. A line break in the
// value is written as a blank (a value is one line); a value with blanks at
// either end, or enclosed in quotes, is quoted so that it reads back the same.
// Returns false when the file cannot be written; the old file then stays.
bool writeString(const QString& path, const QString& section, const QString& key,
                 const QString& value);

// Removes one key, or a whole section with its keys. Missing ones are no error.
bool removeKey(const QString& path, const QString& section, const QString& key);
bool removeSection(const QString& path, const QString& section);

// The keys of a section in file order (for inspection and tests).
QStringList keys(const QString& path, const QString& section);

// The key lines of a section in file order, read once: for lists of keys that
// would otherwise take one read each. Values are cut as readString cuts them.
QList<std::pair<QString, QString>> readSection(const QString& path, const QString& section);

// Replaces a whole section with the given keys in one rewrite of the file (the
// section is removed when the list is empty). Values are stored as by writeString.
bool replaceSection(const QString& path, const QString& section,
                    const QList<std::pair<QString, QString>>& entries);

}  // namespace platform::profile
