#pragma once
// A reader that writes what would be spoken to a file, one UTF-8 line per
// spoken text (line breaks inside a text become blanks). It is chosen before
// any screen reader when the environment variable VOICE_TRANSCRIPT names the
// file: the programs' tests hear through it, and users can keep a history of
// what was said. It is never busy; stopping writes nothing.

#include "CScrReader.h"

class VOICE_EXPORT CTranscriptReader : public CScrReader {
public:
    CTranscriptReader();

    // The file named by VOICE_TRANSCRIPT; empty when it is not set.
    static QString TranscriptPath();

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
    QString m_path;
};
