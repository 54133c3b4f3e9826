#pragma once
// One screen reader behind the speech facade. An adapter is constructed
// disabled; the factory enables it once Init succeeded. While disabled, every
// operation but Init, IsExecuting, GetReaderName and GetRead does nothing and
// returns 0. A fault inside the reader's own library disables the adapter for
// good: from then on it stays silent and nothing is reported.
// All operations run on the caller's user-interface thread; the waits keep
// that thread's events flowing, so handlers may run inside them.

#include "VoiceExport.h"

#include <QString>

// Optional parameters of Read (the facade never passes any).
struct VOICE_EXPORT _ReadParm {
    int param1 = 0;
    int param2 = 1;
    int param3 = 0;
};

// Reader ids, as GetReaderID reports them.
enum VoiceReaderId {
    ReaderNone = 0,
    ReaderXPReader = 1,
    ReaderPcTalkerXP = 2,
    ReaderPcTalkerVista = 3,
    ReaderPcTalker7 = 4,
    ReaderFocusTalk = 5,
    ReaderSpeechDispatcher = 6,
    ReaderTranscript = 7,
};

class VOICE_EXPORT CScrReader {
public:
    CScrReader() = default;
    virtual ~CScrReader();
    CScrReader(const CScrReader&) = delete;
    CScrReader& operator=(const CScrReader&) = delete;

    // Loads and binds what the reader needs; 1 on success.
    virtual int Init() = 0;
    // Whether the reader's program is running.
    virtual int IsExecuting() = 0;
    virtual QString GetReaderName() = 0;
    // Speaks the text; returns at once unless the reader must be seen to start.
    virtual int Read(const QString& text, const _ReadParm* parm = nullptr) = 0;
    // Stops what is being said and what is queued.
    virtual int Stop() = 0;
    // Waits until the reader is busy (WaitStart) or silent (WaitEnd); a
    // time-out of 0 or less waits without limit.
    virtual int WaitStart(int timeoutMs) = 0;
    virtual int WaitEnd(int timeoutMs) = 0;
    // Non-zero while the reader is speaking.
    virtual int GetStatus() = 0;
    // Turns our speech on or off; returns the previous setting.
    virtual int SetRead(int on) = 0;
    virtual int GetRead() = 0;
    // Dispatches the events waiting for this thread.
    virtual void DoEvents(int removal);
    // Called once when a call into the reader's library faulted.
    virtual void OnError(int fault);

    int m_readerId = ReaderNone;
    int m_enabled = 0;
    int m_speechOn = 1;

protected:
    // The wait loop shared by the adapters: until busy() gives `wantBusy`, or
    // the time-out passes. busy() returns -1 after a fault, which ends the wait
    // with -1. endOnInput ends the wait early when a key press or mouse click
    // was dispatched.
    template <class Busy>
    int WaitFor(bool wantBusy, int timeoutMs, bool endOnInput, Busy busy);

    // One pass of event dispatch; true when a key or button press went by.
    bool DispatchAndCheckInput();

private:
    bool WaitTimedOut(qint64 startedMs, int timeoutMs) const;
    static qint64 NowMs();
    static void Nap();
};

template <class Busy>
int CScrReader::WaitFor(bool wantBusy, int timeoutMs, bool endOnInput, Busy busy)
{
    const qint64 started = NowMs();
    for (;;) {
        const int state = busy();
        if (state < 0) return -1;
        if ((state != 0) == wantBusy || WaitTimedOut(started, timeoutMs)) return 0;
        if (endOnInput) {
            if (DispatchAndCheckInput()) return 0;
        } else {
            DoEvents(0);
        }
        Nap();
    }
}
