#include "CTranscriptReader.h"

#include <QFile>

using namespace Qt::StringLiterals;

CTranscriptReader::CTranscriptReader()
{
    m_readerId = ReaderTranscript;
}

QString CTranscriptReader::TranscriptPath()
{
    return qEnvironmentVariable("VOICE_TRANSCRIPT");
}

QString CTranscriptReader::StopLine()
{
    return MarkerLead + u"stop"_s;
}

QString CTranscriptReader::WaitLine(int timeoutMs)
{
    return timeoutMs > 0 ? MarkerLead + u"wait %1"_s.arg(timeoutMs) : MarkerLead + u"wait"_s;
}

bool CTranscriptReader::IsMarker(const QString& line)
{
    return line.startsWith(MarkerLead);
}

QStringList CTranscriptReader::LinesWithMarkers(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(file.readAll()).split(u'\n', Qt::SkipEmptyParts);
}

QStringList CTranscriptReader::SpokenLines(const QString& path)
{
    QStringList lines = LinesWithMarkers(path);
    lines.removeIf(IsMarker);
    return lines;
}

int CTranscriptReader::Init()
{
    m_path = TranscriptPath();
    if (m_path.isEmpty()) return 0;
    QFile file(m_path);
    return file.open(QIODevice::WriteOnly | QIODevice::Append) ? 1 : 0;
}

int CTranscriptReader::IsExecuting()
{
    return TranscriptPath().isEmpty() ? 0 : 1;
}

QString CTranscriptReader::GetReaderName()
{
    return u"Transcript"_s;
}

int CTranscriptReader::Read(const QString& text, const _ReadParm*)
{
    if (!m_enabled || !m_speechOn || text.isEmpty()) return 0;
    QString line = text;
    line.replace(u"\r\n"_s, u" "_s).replace(u'\r', u' ').replace(u'\n', u' ').replace(MarkerLead, u' ');
    return Append(line);
}

int CTranscriptReader::Stop()
{
    return m_enabled && m_speechOn ? Append(StopLine()) : 0;
}

int CTranscriptReader::WaitStart(int) { return 0; }

int CTranscriptReader::WaitEnd(int timeoutMs)
{
    return m_enabled && m_speechOn ? Append(WaitLine(timeoutMs)) : 0;
}

int CTranscriptReader::Append(const QString& line)
{
    if (m_path.isEmpty()) return -1;
    // Opened for each line so that a reader of the file sees it at once.
    QFile file(m_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) return -1;
    file.write((line + u'\n').toUtf8());
    return 0;
}

int CTranscriptReader::GetStatus() { return 0; }

int CTranscriptReader::SetRead(int on)
{
    if (!m_enabled) return 0;
    const int previous = m_speechOn;
    m_speechOn = on;
    return previous;
}

int CTranscriptReader::GetRead()
{
    return m_speechOn;
}
