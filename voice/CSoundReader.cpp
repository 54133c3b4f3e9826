#include "CSoundReader.h"

using namespace Qt::StringLiterals;

CSoundReader::CSoundReader(int readerId, const QString& libraryName, const QString& processName,
                           const EntryNames& names)
    : CVendorReader(libraryName, processName), m_names(names)
{
    m_readerId = readerId;
}

int CSoundReader::Init()
{
    if (!LoadLibrary()) return 0;
    m_say = Bind<SayFn>(m_names.say);
    m_busy = Bind<QueryFn>(m_names.busy);
    m_pause = Bind<SetFn>(m_names.pause);
    m_mode = Bind<SetFn>(m_names.mode);
    m_stop = Bind<QueryFn>(m_names.stop);
    return m_say && m_busy && m_pause && m_mode && m_stop ? 1 : 0;
}

int CSoundReader::Read(const QString& text, const _ReadParm* parm)
{
    if (!m_enabled || !m_speechOn || text.isEmpty()) return 0;
    const QByteArray bytes = Ansi(text);
    int said = 0;
    if (!Guarded([&] { said = m_say(bytes.constData(), parm ? parm->param1 : 0); })) return -1;
    if (WaitStart(1000) < 0) return -1;
    return said ? 0 : -1;
}

int CSoundReader::Stop()
{
    if (!m_enabled) return 0;
    int stopped = 0;
    if (!Guarded([&] { stopped = m_stop(); })) return -1;
    return stopped ? 0 : -1;
}

int CSoundReader::Busy()
{
    int busy = 0;
    return Guarded([&] { busy = m_busy(); }) ? (busy != 0) : -1;
}

int CSoundReader::WaitStart(int timeoutMs)
{
    if (!m_enabled) return 0;
    return WaitFor(true, timeoutMs, false, [this] { return Busy(); });
}

int CSoundReader::WaitEnd(int timeoutMs)
{
    if (!m_enabled) return 0;
    return WaitFor(false, timeoutMs, false, [this] { return Busy(); });
}

int CSoundReader::GetStatus()
{
    if (!m_enabled) return 0;
    int status = 0;
    return Guarded([&] { status = m_busy(); }) ? status : 0;
}

int CSoundReader::SetRead(int on)
{
    if (!m_enabled) return 0;
    const int previous = m_speechOn;
    m_speechOn = on;
    const bool ok = Guarded([&] {
        if (on) {
            m_pause(0);
        } else {
            m_pause(1);
            m_stop();
        }
    });
    return ok ? previous : 0;
}

int CSoundReader::GetRead()
{
    return m_speechOn;
}

CFocusTalk::CFocusTalk()
    : CSoundReader(ReaderFocusTalk, u"FocusTalkExt.dll"_s, u"FocusTalk.exe"_s,
                   {"FT_OutputVoiceText", "FT_IsSoundBusy", "FT_PauseSound", "FT_ChangeSoundMode",
                    "FT_StopSound"})
{
}

QString CFocusTalk::GetReaderName()
{
    return u"FocusTalk"_s;
}

CXPReader::CXPReader()
    : CSoundReader(ReaderXPReader, u"SOUNDP.dll"_s, u"XPRD.exe"_s,
                   {"SoundMessage", "SoundStatus", "SoundPause", "SoundModifyMode", "SoundStop"})
{
}

QString CXPReader::GetReaderName()
{
    return u"XPReader"_s;
}
