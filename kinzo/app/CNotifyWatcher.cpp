#include "CNotifyWatcher.h"

#include <QCoreApplication>

CNotifyWatcher::CNotifyWatcher(QObject* receiver)
    : m_receiver(receiver), m_event(QStringLiteral("Event_Notyfy_To_Kinzo"))
{
}

CNotifyWatcher::~CNotifyWatcher()
{
    Stop();
}

bool CNotifyWatcher::Start()
{
    if (!m_event.isValid()) return false;
    m_running = 1;
    try {
        m_thread = std::thread([this] { Run(); });
    } catch (const std::system_error&) {
        m_running = 0;
        return false;
    }
    return true;
}

void CNotifyWatcher::Stop()
{
    m_running = 0;
    if (m_thread.joinable()) m_thread.join();
}

void CNotifyWatcher::Run()
{
    while (m_running) {
        if (!m_event.wait(10)) continue;
        m_event.reset();
        QCoreApplication::postEvent(m_receiver, new QEvent(NotifyEventType));
    }
}
