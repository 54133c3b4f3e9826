#include "CSpeechDispatcher.h"

#include "SpeechdSession.h"

#include "platform/ProcessList.h"

using namespace Qt::StringLiterals;

CSpeechDispatcher::CSpeechDispatcher()
{
    m_readerId = ReaderSpeechDispatcher;
}

CSpeechDispatcher::~CSpeechDispatcher() = default;

int CSpeechDispatcher::Init()
{
    m_session = SpeechdSession::Acquire();
    return m_session ? 1 : 0;
}

int CSpeechDispatcher::IsExecuting()
{
    return platform::isProcessRunning(u"speech-dispatcher"_s) || platform::isProcessRunning(u"orca"_s) ? 1 : 0;
}

QString CSpeechDispatcher::GetReaderName()
{
    return u"Speech Dispatcher"_s;
}

int CSpeechDispatcher::Read(const QString& text, const _ReadParm*)
{
    if (!m_enabled || !m_speechOn || text.isEmpty()) return 0;
    m_session->Say(text);
    return 0;
}

int CSpeechDispatcher::Stop()
{
    if (!m_enabled) return 0;
    m_session->Cancel();
    return 0;
}

int CSpeechDispatcher::WaitStart(int timeoutMs)
{
    if (!m_enabled) return 0;
    return WaitFor(true, timeoutMs, false, [this] { return m_session->Busy() ? 1 : 0; });
}

int CSpeechDispatcher::WaitEnd(int timeoutMs)
{
    if (!m_enabled) return 0;
    return WaitFor(false, timeoutMs, false, [this] { return m_session->Busy() ? 1 : 0; });
}

int CSpeechDispatcher::GetStatus()
{
    return m_enabled && m_session->Busy() ? 1 : 0;
}

int CSpeechDispatcher::SetRead(int on)
{
    if (!m_enabled) return 0;
    const int previous = m_speechOn;
    m_speechOn = on;
    if (!on) m_session->Cancel();
    return previous;
}

int CSpeechDispatcher::GetRead()
{
    return m_speechOn;
}

bool CSpeechDispatcher::WaitUntilConnected(int timeoutMs)
{
    return m_session && m_session->WaitUntilConnected(timeoutMs);
}
