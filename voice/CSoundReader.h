#pragma once
// A reader whose client library speaks, reports busy, pauses and stops
// through five entry points of the same shape (FocusTalk, XP Reader).
// Read waits up to a second for speech to start, so that a wait for its end
// that follows does not return before the reader has begun.

#include "CVendorReader.h"

class VOICE_EXPORT CSoundReader : public CVendorReader {
public:
    struct EntryNames {
        const char* say;     // BOOL (const char* text, int param)
        const char* busy;    // BOOL ()
        const char* pause;   // BOOL (int pause)
        const char* mode;    // BOOL (int mode), required but not used
        const char* stop;    // BOOL ()
    };

    int Init() override;
    int Read(const QString& text, const _ReadParm* parm = nullptr) override;
    int Stop() override;
    int WaitStart(int timeoutMs) override;
    int WaitEnd(int timeoutMs) override;
    int GetStatus() override;
    int SetRead(int on) override;
    int GetRead() override;

protected:
    CSoundReader(int readerId, const QString& libraryName, const QString& processName,
                 const EntryNames& names);

private:
    // The busy test for the wait loop: 0 or 1, or -1 after a fault.
    int Busy();

    using SayFn = int(VOICE_VENDOR_CALL*)(const char*, int);
    using QueryFn = int(VOICE_VENDOR_CALL*)();
    using SetFn = int(VOICE_VENDOR_CALL*)(int);

    EntryNames m_names;
    SayFn m_say = nullptr;
    QueryFn m_busy = nullptr;
    SetFn m_pause = nullptr;
    SetFn m_mode = nullptr;
    QueryFn m_stop = nullptr;
};

class VOICE_EXPORT CFocusTalk : public CSoundReader {
public:
    CFocusTalk();
    QString GetReaderName() override;
};

class VOICE_EXPORT CXPReader : public CSoundReader {
public:
    CXPReader();
    QString GetReaderName() override;
};
