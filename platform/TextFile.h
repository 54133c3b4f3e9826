#pragma once
// Whole-file text reading and writing through the CP932 codec.

#include <QString>

namespace platform {

// Reads and decodes a whole file (see cp932::decodeFile). Returns false, and
// leaves text empty, when the file cannot be opened or read.
bool readTextFile(const QString& path, QString& text);

// Encodes the text (see cp932::encodeFile) and replaces the file with it in one
// step: a failure part-way leaves the old file as it was. Returns false on failure.
bool writeTextFile(const QString& path, const QString& text);

}  // namespace platform
