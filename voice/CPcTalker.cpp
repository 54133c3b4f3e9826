#include "CPcTalker.h"

using namespace Qt::StringLiterals;

namespace {

constexpr unsigned int speechStatus = 0x20003;

}  // namespace

CPcTalker::CPcTalker() : CVendorReader(u"PCTKUSR.dll"_s, u"PCTalker.exe"_s)
{
    m_readerId = ReaderPcTalkerXP;
}

int CPcTalker::IdForVersion(quint32 version)
{
    if (version <= 0x07FFFFFFu) return ReaderPcTalkerXP;
    if (version <= 0x08FFFFFFu) return ReaderPcTalkerVista;
    return ReaderPcTalker7;
}

int CPcTalker::Init()
{
    if (!LoadLibrary()) return 0;
    m_setStatus = Bind<SetStatusFn>("PCTKSetStatus");
    m_pRead = Bind<PReadFn>("PCTKPRead");
    m_vReset = Bind<QueryFn>("PCTKVReset");
    m_getVStatus = Bind<QueryFn>("PCTKGetVStatus");
    m_status = Bind<QueryFn>("PCTKStatus");
    m_getVersion = Bind<VersionFn>("PCTKGetVersion");
    m_soundMessage = Bind<MessageFn>("SoundMessage");
    if (m_getVersion) {
        unsigned int version = 0;
        if (!Guarded([&] { version = m_getVersion(); })) return 0;
        m_readerId = IdForVersion(version);
    }
    return m_setStatus && m_pRead && m_vReset && m_getVStatus && m_status && m_getVersion
                   && m_soundMessage
               ? 1
               : 0;
}

QString CPcTalker::GetReaderName()
{
    switch (m_readerId) {
    case ReaderPcTalkerXP: return u"PC-Talker XP"_s;
    case ReaderPcTalkerVista: return u"PC-Talker Vista"_s;
    case ReaderPcTalker7: return u"PC-Talker 7"_s;
    default: return QString();
    }
}

int CPcTalker::Read(const QString& text, const _ReadParm* parm)
{
    if (!m_enabled || !m_speechOn || text.isEmpty()) return 0;
    const QByteArray bytes = Ansi(text);
    const int first = parm ? parm->param1 : 4;
    const int second = parm ? parm->param2 : 1;
    return Guarded([&] { m_pRead(bytes.constData(), first, second); }) ? 0 : -1;
}

int CPcTalker::Stop()
{
    if (!m_enabled) return 0;
    return Guarded([&] { m_vReset(); }) ? 0 : -1;
}

int CPcTalker::Busy()
{
    int busy = 0;
    return Guarded([&] { busy = m_getVStatus(); }) ? (busy != 0) : -1;
}

int CPcTalker::WaitStart(int timeoutMs)
{
    if (!m_enabled) return 0;
    return WaitFor(true, timeoutMs, true, [this] { return Busy(); });
}

int CPcTalker::WaitEnd(int timeoutMs)
{
    if (!m_enabled) return 0;
    return WaitFor(false, timeoutMs, true, [this] { return Busy(); });
}

int CPcTalker::GetStatus()
{
    if (!m_enabled) return 0;
    int status = 0;
    return Guarded([&] { status = m_getVStatus(); }) ? status : 0;
}

int CPcTalker::SetRead(int on)
{
    if (!m_enabled) return 0;
    const int previous = m_speechOn;
    m_speechOn = on;
    return Guarded([&] { m_setStatus(speechStatus, on ? 0 : 1, nullptr); }) ? previous : 0;
}

int CPcTalker::GetRead()
{
    return m_speechOn;
}

int CPcTalker::CheckEvents()
{
    return DispatchAndCheckInput() ? 1 : 0;
}
