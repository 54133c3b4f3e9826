#pragma once
// The reader on Linux desktops: speech-dispatcher, the service Orca and other
// screen readers speak through. Chosen when the service or Orca runs; a
// missing libspeechd means no speech, never a failed start. Our speech is
// queued behind the screen reader's own and never cancels it; Stop cancels
// only ours.

#include "CScrReader.h"

#include <memory>

class SpeechdSession;

class VOICE_EXPORT CSpeechDispatcher : public CScrReader {
public:
    CSpeechDispatcher();
    ~CSpeechDispatcher() override;

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

    // Waits until the service has been reached; true when it was (for tests
    // and measurements: speaking never needs to wait for it).
    bool WaitUntilConnected(int timeoutMs);

private:
    std::shared_ptr<SpeechdSession> m_session;
};
