#pragma once

#include <QString>

namespace platform {

// A folder private to the user for sockets and lock files of running
// programs (XDG_RUNTIME_DIR, else a per-user folder under the temporary folder).
QString runtimeFolder();

// A name for objects the system keeps outside the file system (named
// semaphores): the name made safe, tagged with the user and the runtime folder,
// so programs of another user or another session never meet it.
QString sessionScopedName(const QString& name);

// A name made safe as one file name: characters other than letters, digits,
// '.', '-' and '_' become '_'.
QString fileSafeName(const QString& name);

}  // namespace platform
