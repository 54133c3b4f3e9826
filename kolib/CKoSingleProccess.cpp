#include "CKoSingleProccess.h"

#include "platform/Beep.h"
#include "platform/ProcessList.h"
#include "platform/WindowMark.h"

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
    return m_mutex.create(m_mutexName) == platform::NamedMutex::Result::AlreadyExists ? 1 : 0;
}

int CKoSingleProccess::ActivatePrevInstance()
{
    switch (platform::activateMarkedWindow(MarkName())) {
    case platform::MarkedWindow::Visible:
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
        if (process.pid == self || !platform::sameExecutableName(process.executableName, target))
            continue;
        if (platform::terminateProcess(process.pid)) ended = 1;
    }
    // The mutex of an ended holder is free now; this instance takes it so that
    // the next start finds it here.
    if (ended && !m_mutex.owned() && !m_mutexName.isEmpty()) m_mutex.create(m_mutexName);
    return ended;
}

void CKoSingleProccess::SetMark(QWidget* window, int value)
{
    m_mark.reset();
    if (!window || value == 0) return;
    const QPointer<QWidget> target(window);
    m_mark = std::make_unique<platform::WindowMarkHolder>(MarkName(), [target] {
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
