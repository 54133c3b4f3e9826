#pragma once

#include <QString>

namespace platform {

// A folder private to the user for sockets and lock files of running
// programs (XDG_RUNTIME_DIR, else a per-user folder under the temporary folder).
QString runtimeFolder();

// The path of a local socket with the given name in the runtime folder. A
// socket address holds little more than a hundred bytes: when the runtime
// folder is too deep for that, the socket lives in a short folder only this
// user may enter, under a name hashed from the path it would have had, so
// each runtime folder still has sockets of its own. Empty when no such folder
// can be had (another user owns it, or it cannot be made).
QString localSocketPath(const QString& name);

// A name for objects the system keeps outside the file system (named
// semaphores): the name made safe, tagged with the user and the runtime folder,
// so programs of another user or another session never meet it.
QString sessionScopedName(const QString& name);

// A name made safe as one file name: characters other than letters, digits,
// '.', '-' and '_' become '_'.
QString fileSafeName(const QString& name);

}  // namespace platform
