#pragma once
// The PC-Talker adapter. Its library tells the version, which decides the
// reader id (below 8: "PC-Talker XP", 8: "PC-Talker Vista", 9 or later:
// "PC-Talker 7"). Read returns at once; its waits end early when the user
// presses a key or clicks.

#include "CVendorReader.h"

class VOICE_EXPORT CPcTalker : public CVendorReader {
public:
    CPcTalker();

    int Init() override;
    QString GetReaderName() override;
    int Read(const QString& text, const _ReadParm* parm = nullptr) override;
    int Stop() override;
    int WaitStart(int timeoutMs) override;
    int WaitEnd(int timeoutMs) override;
    int GetStatus() override;
    int SetRead(int on) override;
    int GetRead() override;

    // Dispatches waiting events; 1 when a key press or mouse click went by.
    int CheckEvents();

    // The reader id of a library version.
    static int IdForVersion(quint32 version);

private:
    int Busy();

    using SetStatusFn = int(VOICE_VENDOR_CALL*)(unsigned int, unsigned int, void*);
    using PReadFn = int(VOICE_VENDOR_CALL*)(const char*, int, int);
    using QueryFn = int(VOICE_VENDOR_CALL*)();
    using VersionFn = unsigned int(VOICE_VENDOR_CALL*)();
    using MessageFn = int(VOICE_VENDOR_CALL*)(const char*, int);

    SetStatusFn m_setStatus = nullptr;
    PReadFn m_pRead = nullptr;
    QueryFn m_vReset = nullptr;
    QueryFn m_getVStatus = nullptr;
    QueryFn m_status = nullptr;
    VersionFn m_getVersion = nullptr;
    MessageFn m_soundMessage = nullptr;
};
