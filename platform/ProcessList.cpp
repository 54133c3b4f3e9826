#include "ProcessList.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <csignal>
#include <sys/types.h>
#include <unistd.h>

namespace platform {

namespace {

QString baseName(const QString& name)
{
    QString file = QFileInfo(name).fileName();
    if (file.endsWith(QStringLiteral(".exe"), Qt::CaseInsensitive)) file.chop(4);
    return file;
}

// The executable of a process: the target of /proc/<pid>/exe, which only the
// owner may read, else the first word of its command line.
QString executableOf(const QString& procDir)
{
    QString exe = QFileInfo(procDir + QStringLiteral("/exe")).symLinkTarget();
    if (exe.endsWith(QStringLiteral(" (deleted)"))) exe.chop(10);
    if (!exe.isEmpty()) return QFileInfo(exe).fileName();
    QFile cmdline(procDir + QStringLiteral("/cmdline"));
    if (!cmdline.open(QIODevice::ReadOnly)) return QString();
    const QByteArray argv0 = cmdline.readAll().split('\0').value(0);
    return QFileInfo(QString::fromLocal8Bit(argv0)).fileName();
}

// The kernel's name of a process: a script started by its own name keeps that
// name here while its executable is the interpreter.
QString commandOf(const QString& procDir)
{
    QFile comm(procDir + QStringLiteral("/comm"));
    if (!comm.open(QIODevice::ReadOnly)) return QString();
    return QString::fromLocal8Bit(comm.readAll()).trimmed();
}

// A process that has ended but not been reaped (a zombie) counts as gone.
bool isAlive(qint64 pid)
{
    if (::kill(pid_t(pid), 0) != 0) return false;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly)) return false;
    const QByteArray line = stat.readAll();
    const qsizetype close = line.lastIndexOf(')');
    return close < 0 || line.mid(close + 2, 1) != "Z";
}

}  // namespace

QList<ProcessEntry> runningProcesses()
{
    QList<ProcessEntry> result;
    const QDir proc(QStringLiteral("/proc"));
    for (const QString& entry : proc.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric) continue;
        const QString name = executableOf(proc.filePath(entry));
        if (!name.isEmpty()) result.push_back({pid, name, commandOf(proc.filePath(entry))});
    }
    return result;
}

qint64 currentProcessId()
{
    return qint64(::getpid());
}

bool sameExecutableName(const QString& a, const QString& b)
{
    return baseName(a).compare(baseName(b), Qt::CaseInsensitive) == 0;
}

bool isProcessRunning(const QString& executableName)
{
    const qint64 self = currentProcessId();
    for (const ProcessEntry& p : runningProcesses())
        if (p.pid != self && (sameExecutableName(p.executableName, executableName)
                              || sameExecutableName(p.commandName, executableName)))
            return true;
    return false;
}

bool belongsToThisSession(qint64 pid)
{
    const QString procDir = QStringLiteral("/proc/%1").arg(pid);
    if (QFileInfo(procDir).ownerId() != ::getuid()) return false;
    QFile environment(procDir + QStringLiteral("/environ"));
    if (!environment.open(QIODevice::ReadOnly)) return false;
    const QByteArray prefix("XDG_RUNTIME_DIR=");
    QByteArray theirs;
    for (const QByteArray& variable : environment.readAll().split('\0'))
        if (variable.startsWith(prefix)) theirs = variable.mid(prefix.size());
    return theirs == qgetenv("XDG_RUNTIME_DIR");
}

bool terminateProcess(qint64 pid, int waitMs)
{
    if (pid <= 0 || pid == currentProcessId()) return false;
    if (::kill(pid_t(pid), SIGTERM) != 0) return false;
    const QDeadlineTimer deadline(waitMs);
    while (isAlive(pid) && !deadline.hasExpired()) QThread::msleep(10);
    if (isAlive(pid)) ::kill(pid_t(pid), SIGKILL);
    return true;
}

}  // namespace platform
