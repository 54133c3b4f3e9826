#include "TreeReader.h"

#include "platform/ProcessList.h"

#include <QElapsedTimer>
#include <QFile>

using namespace Qt::StringLiterals;

namespace {

// Orca reads the desktop of its own session: a screen reader another login
// (or a test's own desktop) runs does not read our windows.
bool SharesOurSession(qint64 pid)
{
#ifdef Q_OS_LINUX
    QFile environment(u"/proc/%1/environ"_s.arg(pid));
    if (!environment.open(QIODevice::ReadOnly)) return false;
    const QList<QByteArray> variables = environment.readAll().split('\0');
    for (const char* name : {"DBUS_SESSION_BUS_ADDRESS", "DISPLAY"}) {
        const QByteArray ours = qgetenv(name);
        if (!ours.isEmpty()) return variables.contains(QByteArray(name) + '=' + ours);
    }
    return false;
#else
    Q_UNUSED(pid);
    return true;
#endif
}

bool OrcaReadsOurSession()
{
    for (const platform::ProcessEntry& process : platform::runningProcesses())
        if ((platform::sameExecutableName(process.commandName, u"orca"_s)
             || platform::sameExecutableName(process.executableName, u"orca"_s))
            && SharesOurSession(process.pid))
            return true;
    return false;
}

}  // namespace

bool TreeReaderSpeaksArrivals()
{
    static QElapsedTimer checked;
    static bool running = false;
    if (!checked.isValid() || checked.elapsed() >= 1000) {
        running = OrcaReadsOurSession();
        checked.restart();
    }
    return running;
}
