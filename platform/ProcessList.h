#pragma once
// The processes of the machine, found by their executable file names, as a
// process snapshot gives them. Names compare without folder, without a
// trailing ".exe" and without regard to case, so that names written for the
// Windows version ("Kinzo2.exe", "PCTKPRO.exe") find the same programs here.

#include <QList>
#include <QString>

namespace platform {

struct ProcessEntry {
    qint64 pid = 0;
    QString executableName;   // file name without folder
    QString commandName;      // the name the system shows for it (a script's own name,
                              // where the executable is its interpreter), at most 15 characters
};

// Every process this user may see. Processes that end while the list is read
// are left out.
QList<ProcessEntry> runningProcesses();

qint64 currentProcessId();

// True when the two executable names name the same program (see above).
bool sameExecutableName(const QString& a, const QString& b);

// True when some process other than this one runs the named executable (by
// its executable or its command name).
bool isProcessRunning(const QString& executableName);

// True when the process is this user's and runs with this process's runtime
// folder (XDG_RUNTIME_DIR, both unset counting as the same): it can see our
// locks and marks. A process of another user, another login or another test's
// desktop cannot.
bool belongsToThisSession(qint64 pid);

// Ends a process at once, as TerminateProcess does: asks it to stop and, when it
// has not within waitMs, kills it. Returns false when the process could not be
// signalled (gone, or another user's).
bool terminateProcess(qint64 pid, int waitMs = 1000);

}  // namespace platform
