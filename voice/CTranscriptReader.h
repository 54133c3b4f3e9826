#pragma once
// A reader that writes what would be spoken to a file, one UTF-8 line per
// spoken text (line breaks inside a text become blanks). It is chosen before
// any screen reader when the environment variable VOICE_TRANSCRIPT names the
// file: the programs' tests hear through it, and users can keep a history of
// what was said. It is never busy. A stop and a wait for the end of speech
// are written as marker lines (MarkerLead, then "stop" or "wait"), so that a
// reader of the file can tell an interrupting text from one that waits; no
// spoken line ever holds MarkerLead.

#include "CScrReader.h"

#include <QStringList>

class VOICE_EXPORT CTranscriptReader : public CScrReader {
public:
    static constexpr char16_t MarkerLead = u'\x1f';

    CTranscriptReader();

    // The file named by VOICE_TRANSCRIPT; empty when it is not set.
    static QString TranscriptPath();
    // The marker lines: a stop, and a wait (with its limit when it has one).
    static QString StopLine();
    static QString WaitLine(int timeoutMs = -1);
    static bool IsMarker(const QString& line);
    // The lines of a transcript file: only the spoken texts, or with the
    // stop and wait markers among them. Empty when the file cannot be read.
    static QStringList SpokenLines(const QString& path);
    static QStringList LinesWithMarkers(const QString& path);

    int Init() override;
    int IsExecuting() override;
    QString GetReaderName() override;
    int Read(const QString& text, const _ReadParm* parm = nullptr) override;
    int Stop() override;
    int WaitStart(int timeoutMs) override;
    int WaitEnd(int timeoutMs) override;
    int GetStatus() override;
    int SetRead(int on) override;
    int GetRead() override;

private:
    int Append(const QString& line);

    QString m_path;
};
