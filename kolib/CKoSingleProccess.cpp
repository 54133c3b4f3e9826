#include "CKoSingleProccess.h"

#include "platform/Beep.h"
#include "platform/ProcessList.h"
#include "platform/WindowMark.h"

#include <QDebug>
#include <QWidget>

CKoSingleProccess::CKoSingleProccess() = default;

CKoSingleProccess::~CKoSingleProccess()
{
    Release();
}

int CKoSingleProccess::Create(const QString& appName, const QString& exeName, const QString& extraTag)
{
    m_appName = appName;
    m_exeName = exeName;
    m_extraTag = extraTag;
    m_mutexName = QStringLiteral("_MUTEX_") + appName + u'_' + exeName + u'_' + extraTag;
    return TakeMutex() == platform::NamedMutex::Result::AlreadyExists ? 1 : 0;
}

// The holder of the mutex is asked for at once: until its window is marked it
// answers that it is starting, so a second start never takes it for a program
// without a window. A holder that cannot be asked gives the mutex up rather
// than be ended by the next start as unreachable.
platform::NamedMutex::Result CKoSingleProccess::TakeMutex()
{
    const platform::NamedMutex::Result result = m_mutex.create(m_mutexName);
    if (result != platform::NamedMutex::Result::Created) return result;
    m_mark = std::make_unique<platform::WindowMarkHolder>(MarkName());
    if (!m_mark->isListening()) {
        qWarning().noquote() << MarkName() << "runs without the single-instance guard";
        m_mark.reset();
        m_mutex.release();
    }
    return result;
}

int CKoSingleProccess::ActivatePrevInstance()
{
    switch (platform::activateMarkedWindow(MarkName())) {
    case platform::MarkedWindow::Visible:
    case platform::MarkedWindow::Starting:
        return 1;
    case platform::MarkedWindow::Hidden:
        KillOtherProcess(m_exeName);
        return 1;
    case platform::MarkedWindow::None:
        break;
    }
    KillOtherProcess(m_exeName);
    return 0;
}

int CKoSingleProccess::KillOtherProcess(const QString& exeName)
{
    const QString target = exeName.section(u'.', 0, 0) + QStringLiteral(".exe");
    const qint64 self = platform::currentProcessId();
    int ended = 0;
    for (const platform::ProcessEntry& process : platform::runningProcesses()) {
        // A program of another user, login or desktop holds no mutex of ours.
        if (process.pid == self || !platform::sameExecutableName(process.executableName, target)
            || !platform::belongsToThisSession(process.pid))
            continue;
        if (platform::terminateProcess(process.pid)) ended = 1;
    }
    // The mutex of an ended holder is free now; this instance takes it so that
    // the next start finds it here.
    if (ended && !m_mutex.owned() && !m_mutexName.isEmpty()) TakeMutex();
    return ended;
}

void CKoSingleProccess::SetMark(QWidget* window, int value)
{
    if (!window || value == 0) {
        m_mark.reset();
        return;
    }
    if (!m_mark) m_mark = std::make_unique<platform::WindowMarkHolder>(MarkName());
    const QPointer<QWidget> target(window);
    m_mark->setAnswer([target] {
        if (!target || !target->isVisible()) return false;
        if (target->isMinimized()) target->setWindowState(target->windowState() & ~Qt::WindowMinimized);
        target->show();
        target->raise();
        target->activateWindow();
        return true;
    });
}

void CKoSingleProccess::Release()
{
    m_mark.reset();
    m_mutex.release();
}

bool CKoSingleProccess::SettleAtStart(const QString& appName, const QString& exeName, bool controlHeld)
{
    if (!Create(appName, exeName)) return true;
    if (controlHeld) {
        if (KillOtherProcess(exeName)) platform::beep(platform::BeepSound::Exclamation);
        return true;
    }
    return ActivatePrevInstance() == 0;
}
