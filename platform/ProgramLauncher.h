#pragma once
// Starting another program, as process creation or the shell's "open" would.

#include <QString>
#include <QStringList>

namespace platform {

// Starts the program detached from this process, with the given arguments and
// working folder (empty: the program's own folder). Returns false when the
// program does not exist or cannot be started.
bool startProgram(const QString& program, const QStringList& arguments,
                  const QString& workingFolder = QString());

}  // namespace platform
