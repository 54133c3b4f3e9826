#include "CVoiceReader.h"

#include <QObject>
#include <QVariant>

#include <algorithm>
#include <climits>

CVoiceReader::CVoiceReader() = default;

CVoiceReader::~CVoiceReader()
{
    Destroy();
}

int CVoiceReader::Init()
{
    m_reader = m_factory.CreateScReader();
    return m_reader ? 1 : 0;
}

void CVoiceReader::Destroy()
{
    m_factory.Destroy();
    m_reader = nullptr;
}

void CVoiceReader::ReadText(const QString& text, int stop, int wait)
{
    if (!m_reader) return;
    if (stop) m_reader->Stop();
    else m_reader->WaitEnd(-1);
    m_reader->Read(text);
    if (wait) m_reader->WaitEnd(-1);
}

void CVoiceReader::ReadTextLimit(const QString& text, int stop, unsigned int limitMs)
{
    if (!m_reader) return;
    if (stop) m_reader->Stop();
    else m_reader->WaitEnd(-1);
    m_reader->Read(text);
    if (limitMs > 0) m_reader->WaitEnd(int(std::min<unsigned int>(limitMs, INT_MAX)));
}

void CVoiceReader::ReadControl(const QObject* control, int stop, int wait)
{
    if (!control || !m_reader) return;
    for (const char* property : {"text", "currentText", "plainText", "windowTitle"}) {
        const QVariant value = control->property(property);
        if (value.isValid()) {
            ReadText(value.toString(), stop, wait);
            return;
        }
    }
}

void CVoiceReader::StopRead()
{
    if (m_reader) m_reader->Stop();
}

void CVoiceReader::WaitRead(int timeoutMs)
{
    if (m_reader) m_reader->WaitEnd(timeoutMs);
}

int CVoiceReader::SetRead(int on)
{
    return m_reader ? m_reader->SetRead(on) : 0;
}

int CVoiceReader::GetRead()
{
    return m_reader ? m_reader->GetRead() : 0;
}

int CVoiceReader::SetReadIME(int on)
{
    if (!m_reader) return 0;
    return IsPCTalker() ? m_reader->SetRead(on) : GetRead();
}

int CVoiceReader::SetReadTreeList(int on)
{
    return SetReadIME(on);
}

int CVoiceReader::GetReaderID()
{
    return m_reader ? m_reader->m_readerId : ReaderNone;
}

QString CVoiceReader::GetScReaderName()
{
    return m_reader ? m_reader->GetReaderName() : QString();
}

int CVoiceReader::IsPCTalker()
{
    const int id = GetReaderID();
    return id >= ReaderPcTalkerXP && id <= ReaderPcTalker7 ? 1 : 0;
}

int CVoiceReader::IsFocusTalk()
{
    return GetReaderID() == ReaderFocusTalk ? 1 : 0;
}

int CVoiceReader::IsXPReader()
{
    return GetReaderID() == ReaderXPReader ? 1 : 0;
}
